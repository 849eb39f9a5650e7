#include "services/picture_limits.h"

#include <algorithm>

#include "services/failure.h"

namespace paginor {

namespace {

// The most bytes of rows one byte of compressed file may stand for. The formats reach a few hundred
// (BMP runs) to a few thousand (GIF codes of a single colour); a file that claims more is not a
// picture of that size but damaged or hostile.
constexpr int64_t MaxExpansion = 4096;
// Pictures up to this many bytes of rows are allowed whatever the file size.
constexpr int64_t FreeBytes = int64_t{1} << 20;

}  // namespace

int16_t PictureRowLength(int16_t width, uint8_t bits) {
  if (bits > 8) return CheckedInt16(int64_t{width} * (bits >> 3));
  const int16_t perbyte = static_cast<int16_t>(8 / bits);
  return static_cast<int16_t>(CheckedInt16(int64_t{width} + perbyte - 1) / perbyte);
}

bool PictureAllowed(int64_t width, int64_t height, uint8_t bitcount, size_t inputsize) {
  if (width < 1 || width > 32767 || height < 1 || height > 32767 || bitcount == 0) return false;
  try {
    // 32-bit bitmaps reach the writers as 24-bit rows and their opacity.
    PictureRowLength(static_cast<int16_t>(width), std::min<uint8_t>(bitcount, 24));
  } catch (const Failure&) {
    return false;
  }
  const int64_t bytes = ScanWidthOf(width, bitcount) * height;
  const int64_t input = static_cast<int64_t>(std::min<size_t>(inputsize, MaxPictureBytes));
  return bytes <= MaxPictureBytes && bytes <= std::max(FreeBytes, input * MaxExpansion);
}

}  // namespace paginor
