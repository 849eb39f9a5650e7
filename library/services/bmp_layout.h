#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace paginor {

enum class BmpCompression : uint32_t { None = 0, RunLength8 = 1, RunLength4 = 2, BitFields = 3, AlphaBitFields = 6 };

// Where the parts of a BMP file lie and how its pixels are stored, checked against the file.
struct BmpLayout {
  int64_t width = 0;
  int64_t height = 0;        // positive; topDown tells the order of the stored rows
  bool topDown = false;
  uint16_t bitCount = 0;     // as stored: 1, 4, 8, 16, 24 or 32
  BmpCompression compression = BmpCompression::None;
  size_t paletteStart = 0;   // offset of the colour table
  size_t paletteEntries = 0; // entries present in the file, at most 2^bitCount
  size_t paletteEntrySize = 4;
  std::array<uint32_t, 3> masks = {0, 0, 0};  // red, green, blue, for 16 and 32 bits
  int64_t pixelStart = 0;    // offset of the first stored row, inside the file
};

// Reads and checks the file header and the core (12-byte) or 40, 52, 56, 108 or 124-byte information
// header. False for anything else, for a combination of depth and compression that is not supported,
// and for offsets outside the file. The size of the pixel data is checked by the decoder.
bool ReadBmpLayout(std::span<const uint8_t> bytes, BmpLayout& layout);

}  // namespace paginor
