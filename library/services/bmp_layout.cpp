#include "services/bmp_layout.h"

#include <algorithm>

namespace paginor {

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;

// Little-endian reads; the caller has checked that the bytes lie inside the file.
uint16_t U16(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t U32(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint32_t>(U16(bytes, offset)) | (static_cast<uint32_t>(U16(bytes, offset + 2)) << 16);
}

bool IsInfoHeaderSize(uint32_t size) { return size == 40 || size == 52 || size == 56 || size == 108 || size == 124; }

bool DepthFitsCompression(uint16_t bits, BmpCompression compression) {
  switch (compression) {
    case BmpCompression::None:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BmpCompression::RunLength8:
      return bits == 8;
    case BmpCompression::RunLength4:
      return bits == 4;
    case BmpCompression::BitFields:
    case BmpCompression::AlphaBitFields:
      return bits == 16 || bits == 32;
  }
  return false;
}

// Fills the sizes, depth and compression from the information header; returns where the colour table
// (or, for a 40-byte header with bit fields, the masks) would start.
bool ReadInfoHeader(std::span<const uint8_t> bytes, uint32_t headersize, BmpLayout& layout, size_t& after) {
  const size_t start = FileHeaderSize;
  if (start + headersize > bytes.size()) return false;
  after = start + headersize;
  if (headersize == CoreHeaderSize) {
    layout.width = U16(bytes, start + 4);
    layout.height = U16(bytes, start + 6);
    layout.bitCount = U16(bytes, start + 10);
    layout.paletteEntrySize = 3;
    return U16(bytes, start + 8) == 1;
  }
  layout.width = static_cast<int32_t>(U32(bytes, start + 4));
  const int64_t height = static_cast<int32_t>(U32(bytes, start + 8));
  layout.topDown = height < 0;
  layout.height = layout.topDown ? -height : height;
  layout.bitCount = U16(bytes, start + 14);
  layout.compression = static_cast<BmpCompression>(U32(bytes, start + 16));
  return U16(bytes, start + 12) == 1;
}

// The colour masks of 16 and 32-bit pixels: given in the header (or just after a 40-byte one) for
// bit-field files, else 5 bits per colour for 16 bits and 8 bits for 32.
bool ReadMasks(std::span<const uint8_t> bytes, uint32_t headersize, BmpLayout& layout, size_t& after) {
  if (layout.compression != BmpCompression::BitFields && layout.compression != BmpCompression::AlphaBitFields) {
    layout.masks = layout.bitCount == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                         : std::array<uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    return true;
  }
  const size_t start = FileHeaderSize + InfoHeaderSize;
  if (start + 12 > bytes.size()) return false;
  for (size_t index = 0; index < 3; ++index) layout.masks[index] = U32(bytes, start + 4 * index);
  if (headersize == InfoHeaderSize) {
    after += layout.compression == BmpCompression::AlphaBitFields ? 16 : 12;
  }
  return true;
}

}  // namespace

bool ReadBmpLayout(std::span<const uint8_t> bytes, BmpLayout& layout) {
  layout = BmpLayout();
  if (bytes.size() < FileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t pixelstart = U32(bytes, 10);
  const uint32_t headersize = U32(bytes, FileHeaderSize);
  if (headersize != CoreHeaderSize && !IsInfoHeaderSize(headersize)) return false;
  size_t after = 0;
  if (!ReadInfoHeader(bytes, headersize, layout, after)) return false;
  if (!DepthFitsCompression(layout.bitCount, layout.compression)) return false;
  const bool runlength = layout.compression == BmpCompression::RunLength8 ||
                         layout.compression == BmpCompression::RunLength4;
  if (runlength && layout.topDown) return false;
  if (layout.bitCount > 8 && !ReadMasks(bytes, headersize, layout, after)) return false;
  if (pixelstart < after || pixelstart > bytes.size()) return false;
  layout.pixelStart = pixelstart;
  if (layout.bitCount <= 8) {
    const size_t possible = size_t{1} << layout.bitCount;
    const uint32_t used = headersize == CoreHeaderSize ? 0 : U32(bytes, FileHeaderSize + 32);
    const size_t declared = used == 0 ? possible : std::min<size_t>(used, possible);
    layout.paletteStart = after;
    layout.paletteEntries = std::min(declared, (pixelstart - after) / layout.paletteEntrySize);
  }
  return true;
}

}  // namespace paginor
