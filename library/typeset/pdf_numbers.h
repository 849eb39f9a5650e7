#pragma once

// Numbers as the font objects and glyph operators write them: without the locale, halves to even.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace paginor::typeset {

inline void AppendNumber(std::string& out, int64_t number) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// A number rounded to `decimals` decimals (at most 6), written in its shortest form ("-11.5", "0").
inline void AppendDecimal(std::string& out, double number, int decimals) {
  char digits[48];
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::nearbyint(number * scale) / scale;
  out.append(digits, std::to_chars(digits, digits + sizeof digits, rounded == 0 ? 0.0 : rounded).ptr);
}

// Four hexadecimal digits (a glyph code or a UTF-16 code unit).
inline void AppendHex16(std::string& out, uint32_t value) {
  constexpr std::string_view hexDigits = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out += hexDigits[(value >> shift) & 0xF];
}

}  // namespace paginor::typeset
