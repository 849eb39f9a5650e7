#include "core/dash_array.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>

namespace paginor {
namespace {

constexpr size_t MaximumLengths = 16;
constexpr int32_t MaximumLength = 32767;
constexpr size_t MaximumDigits = 5;  // of MaximumLength

bool IsDigit(char character) { return character >= '0' && character <= '9'; }

bool AllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

bool AllZeros(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char character) { return character == '0'; });
}

// One length of the pattern; false when it is not a number of the accepted form and size.
bool ReadLength(std::string_view token, bool& zero) {
  const size_t point = token.find('.');
  std::string_view whole = token.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : token.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) return false;
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.size() > MaximumDigits) return false;
  int32_t value = 0;
  std::from_chars(whole.data(), whole.data() + whole.size(), value);
  if (value > MaximumLength || (value == MaximumLength && !AllZeros(fraction))) return false;
  zero = value == 0 && AllZeros(fraction);
  return true;
}

}  // namespace

bool IsDashArray(std::string_view text) {
  size_t lengths = 0;
  bool allZero = true;
  for (size_t start = text.find_first_not_of(' '); start != std::string_view::npos;
       start = text.find_first_not_of(' ', start)) {
    const size_t end = std::min(text.find(' ', start), text.size());
    bool zero = false;
    if (++lengths > MaximumLengths || !ReadLength(text.substr(start, end - start), zero)) return false;
    allZero = allZero && zero;
    start = end;
  }
  return lengths > 0 && !allZero;
}

}  // namespace paginor
