#pragma once

// Numbers as the font objects and glyph operators write them: without the locale, halves to even.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace paginor::typeset {

// The longest text WriteNumber and WriteDecimal write.
constexpr size_t LongestNumber = 48;

// Writes a number at `at` (LongestNumber bytes free) and returns the end of it.
inline char* WriteNumber(char* at, int64_t number) { return std::to_chars(at, at + LongestNumber, number).ptr; }

// A number rounded to `decimals` decimals (at most 6), written in its shortest form ("-11.5", "0") at
// `at` (LongestNumber bytes free); returns the end of it.
inline char* WriteDecimal(char* at, double number, int decimals) {
  // The powers of ten are exact doubles, which a table gives without a call.
  constexpr int64_t Powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  const double scale = decimals >= 0 && decimals <= 6 ? static_cast<double>(Powers[decimals]) : std::pow(10.0, decimals);
  const double units = std::nearbyint(number * scale);
  const double rounded = units / scale;
  // A whole number below 10000, such as most positions, has no shorter form than its digits: written as
  // an integer, which is quicker.
  if (rounded > -10000 && rounded < 10000 && rounded == std::trunc(rounded)) {
    return std::to_chars(at, at + LongestNumber, static_cast<int32_t>(rounded)).ptr;
  }
  // With at most three decimals and fewer than sixteen digits, a number that is not whole has no
  // shorter form than its digits either (an exponent takes more): written from its units.
  if (decimals >= 1 && decimals <= 3 && units > -1e15 && units < 1e15) {
    const auto whole = static_cast<int64_t>(units);
    const uint64_t magnitude = whole < 0 ? static_cast<uint64_t>(-whole) : static_cast<uint64_t>(whole);
    const auto power = static_cast<uint64_t>(Powers[decimals]);
    uint64_t fraction = magnitude % power;
    if (fraction != 0) {
      if (whole < 0) *at++ = '-';
      at = std::to_chars(at, at + LongestNumber, magnitude / power).ptr;
      *at++ = '.';
      int digits = decimals;
      while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
      }
      for (int n = digits - 1; n >= 0; --n) {
        at[n] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
      }
      return at + digits;
    }
  }
  return std::to_chars(at, at + LongestNumber, rounded).ptr;
}

inline void AppendNumber(std::string& out, int64_t number) {
  char digits[LongestNumber];
  out.append(digits, WriteNumber(digits, number));
}

inline void AppendDecimal(std::string& out, double number, int decimals) {
  char digits[LongestNumber];
  out.append(digits, WriteDecimal(digits, number, decimals));
}

// Four hexadecimal digits (a glyph code or a UTF-16 code unit).
inline void AppendHex16(std::string& out, uint32_t value) {
  constexpr std::string_view hexDigits = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out += hexDigits[(value >> shift) & 0xF];
}

}  // namespace paginor::typeset
