#include "encoders/ascii_hex.h"

#include "encoders/encoder_guard.h"

namespace paginor {

bool ASCIIHex::Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer) const {
  return GuardEncoding(outputbuffer, [&] {
    outputbuffer.assign(2 * inputbuffer.size() + 1, 0);
    uint8_t* out = outputbuffer.data();
    for (const uint8_t byte : inputbuffer) {
      *out++ = HexTable[byte >> 4];
      *out++ = HexTable[byte & 15];
    }
    *out = '>';
    return true;
  });
}

}  // namespace paginor
