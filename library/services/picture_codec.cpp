#include <algorithm>

#include "services/dib.h"
#include "services/picture_codec.h"
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

// A bitmap of 32 bits (blue, green, red, opacity) as 24-bit pixels and their opacity; the opacity is
// dropped when every pixel is opaque.
void SplitOpacity(const DIB& dib, PictureDescription& picture) {
  const auto width = static_cast<size_t>(picture.width);
  const size_t count = width * static_cast<size_t>(picture.height);
  picture.pixels.resize(count * 3);
  picture.opacity.resize(count);
  uint8_t* colour = picture.pixels.data();
  uint8_t* opacity = picture.opacity.data();
  uint8_t least = 255;
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* source = dib.Row(y);
    for (size_t x = 0; x < width; ++x, source += 4, colour += 3) {
      colour[0] = source[2];
      colour[1] = source[1];
      colour[2] = source[0];
      *opacity++ = source[3];
      least = std::min(least, source[3]);
    }
  }
  if (least == 255) picture.opacity = std::vector<uint8_t>();
}

// The picture description of a loaded bitmap; the bitmap is released either way.
bool Describe(DIB& dib, PictureDescription& picture) {
  try {
    picture.width = dib.ImageWidth();
    picture.height = dib.ImageHeight();
    const uint8_t bits = dib.BitsPerPixel();
    // The decoders give indexed pictures, 24 bits, or 32 bits with opacity, nothing else.
    if (bits > 8 && bits != 24 && bits != 32) Fail();
    picture.bitsPerPixel = bits == 32 ? 24 : bits;
    const int16_t rowlength = PictureRowLength(picture.width, picture.bitsPerPixel);
    if (bits <= 8) picture.palette = PaletteBytes(dib.PaletteOffset(), bits);
    if (bits == 32) {
      SplitOpacity(dib, picture);
    } else {
      picture.pixels = PixelRows(dib, picture.height, rowlength, bits == 24);
    }
  } catch (const std::exception&) {
    dib.Destroy();
    return false;
  }
  dib.Destroy();
  return true;
}

}  // namespace

bool PictureCodec::LoadImage(const std::string& file, PictureDescription& picture) const {
  DIB dib;
  return dib.Load(file) && Describe(dib, picture);
}

bool PictureCodec::LoadImage(std::span<const uint8_t> bytes, PictureDescription& picture) const {
  DIB dib;
  return dib.Load(bytes) && Describe(dib, picture);
}

}  // namespace paginor
