#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace paginor::testing {

using Rgb = std::array<uint8_t, 3>;

// A one-image GIF: an image of width by height indices (top row first) placed at left, top on a
// logical screen. A colour map left empty is not written; its size must be a power of 2 otherwise.
struct GifPicture {
  int screenWidth = 0;
  int screenHeight = 0;
  int background = 0;
  std::vector<Rgb> globalColours;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<Rgb> localColours;
  std::vector<uint8_t> indices;
};

// Writes the picture with giflib's encoder; false when giflib refuses it.
bool WriteGif(const std::string& path, const GifPicture& picture);

enum class JpegColours { Grey, Rgb, Cmyk, Ycck };

// A JPEG picture of width by height pixels, samples top row first with 1 (grey), 3 (red, green, blue)
// or 4 (the four inks as the file stores them) per pixel. CMYK and YCCK files get an Adobe marker
// unless adobeMarker is false.
struct JpegPicture {
  int width = 0;
  int height = 0;
  JpegColours colours = JpegColours::Rgb;
  std::vector<uint8_t> samples;
  int quality = 100;
  bool progressive = false;
  bool adobeMarker = true;
};

// Writes the picture with libjpeg's compressor.
void WriteJpeg(const std::string& path, const JpegPicture& picture);

// Writes an 8-bit PNG of red, green, blue and opacity, width by height pixels, top row first, with
// libpng's encoder; false when it refuses.
bool WriteRgbaPng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

// Little-endian fields as BMP files store them.
void Put16(std::string& out, uint32_t value);
void Put32(std::string& out, uint32_t value);

// A BMP file written byte by byte: file header, information header of headerSize bytes (12 for the
// core header), what follows the header (masks, colour table) and the stored rows.
struct BmpFile {
  int32_t width = 0;
  int32_t height = 0;
  std::string rows;
  uint16_t bitCount = 24;
  std::string afterHeader;  // masks of a 40-byte header, then the colour table
  uint32_t compression = 0;
  std::string masks;        // inside a header of 52 bytes or more
  uint32_t headerSize = 40;
  uint32_t coloursUsed = 0;
  uint16_t planes = 1;

  std::string Bytes() const;
};

BmpFile Bmp(int32_t width, int32_t height, uint16_t bitcount = 24, uint32_t compression = 0,
            uint32_t headersize = 40);

// A colour table of 0xRRGGBB values, stored blue, green, red, 0.
std::string Entries(std::initializer_list<uint32_t> colours);

}  // namespace paginor::testing
