#include "core/uri_text.h"

#include <cstdint>

namespace paginor {

std::string PercentEncodedUri(std::string_view utf8) {
  constexpr char HexDigits[] = "0123456789ABCDEF";
  std::string ascii;
  ascii.reserve(utf8.size());
  for (const char byte : utf8) {
    const auto value = static_cast<uint8_t>(byte);
    if (value >= 0x20 && value < 0x7F) {
      ascii.push_back(byte);
    } else {
      ascii.push_back('%');
      ascii.push_back(HexDigits[value >> 4]);
      ascii.push_back(HexDigits[value & 0xFu]);
    }
  }
  return ascii;
}

}  // namespace paginor
