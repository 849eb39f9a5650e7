#pragma once

#include <cstdint>
#include <vector>

namespace paginor {

// A decoded picture as the writers embed it.
struct PictureDescription {
  int16_t width = 0;          // pixels
  int16_t height = 0;         // pixels
  uint8_t bitsPerPixel = 0;   // 1, 4, 8 or 24
  // For 8 bits per pixel or fewer: red, green, blue for each of the 2^bits indices, in index order.
  std::vector<uint8_t> palette;
  // Height rows, the bottom row first, unpadded; 24-bit pixels as red, green, blue.
  std::vector<uint8_t> pixels;
  // For 24-bit pictures with transparency: the opacity of each pixel (0 clear to 255 opaque), one byte
  // a pixel in the order of the pixels. Empty when every pixel is opaque.
  std::vector<uint8_t> opacity;
};

}  // namespace paginor
