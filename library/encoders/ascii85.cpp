#include "encoders/ascii85.h"

#include "encoders/encoder_guard.h"

namespace paginor {

uint32_t ASCII85::GroupValue(std::span<const uint8_t> group) {
  uint32_t value = 0;
  for (size_t index = 0; index < group.size(); ++index) value += group[index] * Power256[index];
  return value;
}

uint8_t* ASCII85::WriteDigits(uint32_t value, size_t count, uint8_t* out) {
  for (size_t index = 0; index < count; ++index) {
    const uint32_t digit = value / Power85[index];
    value -= digit * Power85[index];
    *out++ = static_cast<uint8_t>(digit + '!');
  }
  return out;
}

bool ASCII85::Encode(std::span<const uint8_t> inputbuffer, std::vector<uint8_t>& outputbuffer) const {
  return GuardEncoding(outputbuffer, [&] {
    const size_t size = inputbuffer.size();
    // Five characters for every started group and the two of "~>": the encoding never needs more.
    outputbuffer.assign(5 * ((size + 3) / 4) + 2, 0);
    uint8_t* out = outputbuffer.data();
    const size_t whole = size - size % 4;
    for (size_t start = 0; start < whole; start += 4) {
      const uint32_t value = GroupValue(inputbuffer.subspan(start, 4));
      if (value == 0) {
        *out++ = 'z';
      } else {
        out = WriteDigits(value, 5, out);
      }
    }
    // A final partial group never takes the "z" shortcut, even when its bytes are zero.
    const std::span<const uint8_t> rest = inputbuffer.subspan(whole);
    if (!rest.empty()) out = WriteDigits(GroupValue(rest), rest.size() + 1, out);
    *out++ = '~';
    *out++ = '>';
    outputbuffer.resize(static_cast<size_t>(out - outputbuffer.data()));
    return true;
  });
}

}  // namespace paginor
