#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace paginor {

// Base-85 text as the ASCII85Decode filter reads it: four bytes become five characters "!" to "u", a
// group of four zero bytes becomes "z", a final group of k bytes becomes k + 1 characters, and "~>" ends
// the data. No opening delimiter, no line breaks, no blanks.
class ASCII85 {
 public:
  // Replaces outputbuffer with the encoding of inputbuffer; its size is the encoding's size. False (and
  // an empty buffer) only when the buffer cannot be allocated.
  bool Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer) const;

 private:
  // Weights of the five digits of a group, most significant first.
  static constexpr std::array<uint32_t, 5> Power85 = {85u * 85 * 85 * 85, 85u * 85 * 85, 85u * 85, 85u, 1u};
  // Weights of the four bytes of a group, first byte most significant.
  static constexpr std::array<uint32_t, 4> Power256 = {1u << 24, 1u << 16, 1u << 8, 1u};

  // The big-endian value of up to four bytes, missing low bytes counted as zero.
  static uint32_t GroupValue(std::span<const uint8_t> group);
  // Writes the first count (1 to 5) base-85 digits of value as characters; returns the next position.
  static uint8_t* WriteDigits(uint32_t value, size_t count, uint8_t* out);
};

}  // namespace paginor
