#pragma once

#include <cstddef>
#include <cstdint>

namespace paginor {

// The largest block of rows a bitmap may take: enough for 32767 rows of 32768 bytes.
inline constexpr int64_t MaxPictureBytes = int64_t{1} << 30;

// Bytes per stored bitmap row: ((bitcount × width + 31) \ 32) × 4.
inline constexpr int64_t ScanWidthOf(int64_t width, int64_t bitcount) { return (bitcount * width + 31) / 32 * 4; }

// The unpadded length of a row of pictures handed to the writers, in 16-bit arithmetic: width × 3 for
// 24 bits, (width + p − 1) \ p with p = 8 \ bits pixels per byte for indexed pictures. Failure when a
// step leaves 16 bits.
int16_t PictureRowLength(int16_t width, uint8_t bits);

// Whether a decoder may make a bitmap of this size and depth out of inputsize bytes of file: both sides
// from 1 to 32767, rows that PictureRowLength accepts (at 24 bits for 32-bit bitmaps), at most MaxPictureBytes of rows, and no more
// than a compressed file of that size could hold (small pictures are always allowed).
bool PictureAllowed(int64_t width, int64_t height, uint8_t bitcount, size_t inputsize);

}  // namespace paginor
