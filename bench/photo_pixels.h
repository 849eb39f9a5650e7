#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace paginor::bench {

// Deterministic photo-like red, green, blue bytes, rows of width pixels, top row first: smooth colour
// gradients with a little noise, and flat areas (a white band at the top and a few solid grey
// rectangles), as scanned or rendered pictures have. size need not be a whole number of rows.
inline std::vector<uint8_t> PhotoPixels(size_t size, size_t width) {
  std::vector<uint8_t> bytes(size);
  uint32_t state = 2463534242u;
  auto noise = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<int>(state % 9) - 4;
  };
  for (size_t index = 0; index < size; ++index) {
    const size_t pixel = index / 3;
    const size_t channel = index % 3;
    const double x = static_cast<double>(pixel % width);
    const double y = static_cast<double>(pixel / width);
    const bool whiteband = y < 300;
    const bool block = static_cast<size_t>(x) / 256 % 3 == 1 && static_cast<size_t>(y) / 256 % 4 == 2;
    int value = 0;
    if (whiteband) {
      value = 255;
    } else if (block) {
      value = 96;
    } else {
      const double wave = std::sin(x / (90.0 + 30.0 * static_cast<double>(channel))) * std::cos(y / 140.0);
      value = static_cast<int>(128.0 + 100.0 * wave) + noise();
    }
    bytes[index] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  }
  return bytes;
}

}  // namespace paginor::bench
