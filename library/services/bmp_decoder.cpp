#include <algorithm>
#include <array>
#include <cstring>

#include "services/bmp_layout.h"
#include "services/failure.h"
#include "services/picture_decoders.h"
#include "services/picture_limits.h"

namespace paginor {

namespace {

// Copies the colour table of an indexed file into the bitmap's; entries the file lacks stay black.
void CopyColourTable(std::span<const uint8_t> bytes, const BmpLayout& layout, DIB& dib) {
  RgbQuad* table = dib.PaletteOffset();
  for (size_t index = 0; index < layout.paletteEntries; ++index) {
    const uint8_t* entry = bytes.data() + layout.paletteStart + index * layout.paletteEntrySize;
    table[index].blue = entry[0];
    table[index].green = entry[1];
    table[index].red = entry[2];
  }
}

// One colour component of a masked pixel value, scaled to 0..255.
class MaskedComponent {
 public:
  explicit MaskedComponent(uint32_t mask) : Mask(mask) {
    if (mask == 0) return;
    while (((mask >> Shift) & 1) == 0) ++Shift;
    Maximum = mask >> Shift;
  }
  uint8_t operator()(uint32_t value) const {
    if (Maximum == 0) return 0;
    const uint64_t part = (value & Mask) >> Shift;
    return static_cast<uint8_t>((part * 255 + Maximum / 2) / Maximum);
  }

 private:
  uint32_t Mask;
  uint32_t Shift = 0;
  uint64_t Maximum = 0;
};

// Rows of 16 or 32 bits per pixel, read through the colour masks into 24-bit blue, green, red.
void ConvertMaskedRow(const uint8_t* source, uint8_t* target, int64_t width, uint16_t bitcount,
                      const std::array<MaskedComponent, 3>& components) {
  const size_t size = bitcount / 8;
  for (int64_t x = 0; x < width; ++x, source += size, target += 3) {
    uint32_t value = 0;
    for (size_t byte = size; byte-- > 0;) value = (value << 8) | source[byte];
    target[0] = components[2](value);
    target[1] = components[1](value);
    target[2] = components[0](value);
  }
}

bool DecodeUncompressed(std::span<const uint8_t> bytes, const BmpLayout& layout, DIB& dib) {
  const int64_t storedwidth = ScanWidthOf(layout.width, layout.bitCount);
  if (layout.pixelStart + storedwidth * layout.height > static_cast<int64_t>(bytes.size())) return false;
  const std::array<MaskedComponent, 3> components = {MaskedComponent(layout.masks[0]),
                                                     MaskedComponent(layout.masks[1]),
                                                     MaskedComponent(layout.masks[2])};
  const bool masked = layout.bitCount == 16 || layout.bitCount == 32;
  const int32_t height = static_cast<int32_t>(layout.height);
  for (int32_t stored = 0; stored < height; ++stored) {
    const uint8_t* source = bytes.data() + layout.pixelStart + stored * storedwidth;
    uint8_t* target = dib.Row(layout.topDown ? height - 1 - stored : stored);
    if (masked) {
      ConvertMaskedRow(source, target, layout.width, layout.bitCount, components);
    } else {
      std::memcpy(target, source, static_cast<size_t>(storedwidth));
    }
  }
  return true;
}

// Writes index value at column x of stored row y when that pixel lies inside the bitmap.
void PutIndex(DIB& dib, const BmpLayout& layout, int64_t x, int64_t y, uint8_t value) {
  if (x >= layout.width || y >= layout.height) return;
  uint8_t* row = dib.Row(static_cast<int32_t>(y));
  if (layout.bitCount == 8) {
    row[x] = value;
  } else {
    uint8_t& pair = row[x / 2];
    pair = (x % 2 == 0) ? static_cast<uint8_t>((pair & 0x0F) | (value << 4))
                        : static_cast<uint8_t>((pair & 0xF0) | (value & 0x0F));
  }
}

// The high nibble of a byte for even positions, the low one for odd positions.
uint8_t Nibble(uint8_t byte, int64_t position) {
  return static_cast<uint8_t>(position % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

// Run-length compressed rows of 8 or 4 bits: pairs of a count and a value, or a zero and an escape
// (end of row, end of picture, a move, or a literal group padded to an even number of bytes). Pixels
// outside the picture are dropped; pixels never written keep index 0. Data ending before the picture
// is complete means a damaged file.
bool DecodeRunLength(std::span<const uint8_t> bytes, const BmpLayout& layout, DIB& dib) {
  const bool nibbles = layout.bitCount == 4;
  const size_t size = bytes.size();
  size_t position = layout.pixelStart;
  int64_t x = 0;
  int64_t y = 0;
  while (y < layout.height) {
    // Data may end without a last mark once every pixel of the top row was given.
    if (position + 2 > size) return y == layout.height - 1 && x >= layout.width;
    const uint8_t count = bytes[position];
    const uint8_t value = bytes[position + 1];
    position += 2;
    if (count > 0) {
      const int64_t stop = std::min<int64_t>(x + count, layout.width);
      for (int64_t index = 0; x + index < stop; ++index) {
        PutIndex(dib, layout, x + index, y, nibbles ? Nibble(value, index) : value);
      }
      x += count;
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (position + 2 > size) return false;
      x += bytes[position];
      y += bytes[position + 1];
      position += 2;
    } else {
      const size_t length = nibbles ? (value + 1u) / 2u : value;
      if (position + length > size) return false;
      for (int64_t index = 0; index < value; ++index) {
        const uint8_t byte = bytes[position + static_cast<size_t>(nibbles ? index / 2 : index)];
        PutIndex(dib, layout, x + index, y, nibbles ? Nibble(byte, index) : byte);
      }
      x += value;
      position += length + length % 2;
    }
  }
  return true;
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> bytes, DIB& dib) {
  BmpLayout layout;
  if (!ReadBmpLayout(bytes, layout)) return false;
  const uint8_t bits = layout.bitCount <= 8 ? static_cast<uint8_t>(layout.bitCount) : 24;
  if (!PictureAllowed(layout.width, layout.height, bits, bytes.size())) return false;
  if (!dib.Create(static_cast<int16_t>(layout.width), static_cast<int16_t>(layout.height), bits)) return false;
  if (bits <= 8) CopyColourTable(bytes, layout, dib);
  if (layout.compression == BmpCompression::RunLength8 || layout.compression == BmpCompression::RunLength4) {
    return DecodeRunLength(bytes, layout, dib);
  }
  return DecodeUncompressed(bytes, layout, dib);
}

}  // namespace paginor
