#pragma once

#include <cstdint>
#include <span>

namespace paginor {

// The Adler-32 checksum that ends a zlib stream.
class Adler32 {
 public:
  // The checksum of buffer as its 32-bit pattern: the sum of the bytes plus one in the low 16 bits, the
  // sum of those running sums in the high 16 bits (negative when that sum is 32768 or more).
  int32_t Calculate(std::span<const uint8_t> buffer) const;
};

}  // namespace paginor
