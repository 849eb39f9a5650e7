#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace paginor {

// Raw deflate data (no zlib header or trailer), compressed in one pass by the zlib library with a
// 32 KB window, memory level 8 and the default strategy.
class Deflate {
 public:
  // Replaces outputbuffer with the compressed form of inputbuffer at compressionlevel 1 to 9. False (and
  // an empty buffer) for any other level or when the compressor fails.
  bool Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer,
              uint8_t compressionlevel) const;
};

}  // namespace paginor
