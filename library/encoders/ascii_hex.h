#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace paginor {

// Hexadecimal text as the ASCIIHexDecode filter reads it: two upper-case digits per byte, high four bits
// first, and ">" at the end. No line breaks, no blanks.
class ASCIIHex {
 public:
  // Replaces outputbuffer with the encoding of inputbuffer (2 n + 1 bytes). False (and an empty buffer)
  // only when the buffer cannot be allocated.
  bool Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer) const;

 private:
  // The character of each digit value 0 to 15.
  static constexpr std::array<uint8_t, 16> HexTable = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                       '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
};

}  // namespace paginor
