#include <algorithm>

#include "services/dib.h"
#include "services/enumerations.h"
#include "services/failure.h"
#include "services/picture_limits.h"

namespace paginor {

namespace {

// The colour table as red, green, blue for each of the 2^bits indices.
std::vector<uint8_t> PaletteBytes(const RgbQuad* table, uint8_t bits) {
  const size_t count = size_t{1} << bits;
  std::vector<uint8_t> palette;
  palette.reserve(count * 3);
  for (size_t index = 0; index < count; ++index) {
    palette.push_back(table[index].red);
    palette.push_back(table[index].green);
    palette.push_back(table[index].blue);
  }
  return palette;
}

// The stored rows without their padding, bottom row first; 24-bit pixels turned to red, green, blue.
std::vector<uint8_t> PixelRows(const DIB& dib, int16_t height, int16_t rowlength, bool swap) {
  const auto length = static_cast<size_t>(rowlength);
  std::vector<uint8_t> pixels(length * static_cast<size_t>(height));
  uint8_t* target = pixels.data();
  for (int32_t y = 0; y < height; ++y, target += length) {
    const uint8_t* source = dib.Row(y);
    if (!swap) {
      std::copy(source, source + length, target);
      continue;
    }
    for (size_t x = 0; x < length; x += 3) {
      target[x] = source[x + 2];
      target[x + 1] = source[x + 1];
      target[x + 2] = source[x];
    }
  }
  return pixels;
}

// The picture description of a loaded bitmap; the bitmap is released either way.
bool Describe(DIB& dib, PictureDescription& picture) {
  try {
    picture.width = dib.ImageWidth();
    picture.height = dib.ImageHeight();
    picture.bitsPerPixel = dib.BitsPerPixel();
    const uint8_t bits = picture.bitsPerPixel;
    // The decoders give indexed pictures or 24 bits, nothing else.
    if (bits > 8 && bits != 24) Fail();
    const int16_t rowlength = PictureRowLength(picture.width, bits);
    if (bits <= 8) picture.palette = PaletteBytes(dib.PaletteOffset(), bits);
    picture.pixels = PixelRows(dib, picture.height, rowlength, bits == 24);
  } catch (const std::exception&) {
    dib.Destroy();
    return false;
  }
  dib.Destroy();
  return true;
}

}  // namespace

bool Enumerations::LoadImage(const std::string& file, PictureDescription& picture) const {
  DIB dib;
  return dib.Load(file) && Describe(dib, picture);
}

bool Enumerations::LoadImage(std::span<const uint8_t> bytes, PictureDescription& picture) const {
  DIB dib;
  return dib.Load(bytes) && Describe(dib, picture);
}

}  // namespace paginor
