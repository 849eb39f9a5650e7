#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace paginor {

// A colour as the caller gives it: red, green and blue bytes.
struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

// The operand text of one byte in both formats: its fraction of 255 with three decimals, "0" and "1"
// for the two exact values.
std::string_view ComponentText(uint8_t value);

// The operand texts of colours, their three components separated by blanks ("1 0.502 0"). A document
// uses few colours, each many times, so the texts of the last few are kept and put whole.
class RgbTexts {
 public:
  std::string_view Of(Rgb colour) {
    for (const Entry& entry : Entries) {
      if (entry.colour == colour && !entry.text.empty()) return entry.text;
    }
    return Make(colour);
  }

 private:
  struct Entry {
    Rgb colour;
    std::string text;
  };
  std::string_view Make(Rgb colour);

  std::array<Entry, 4> Entries;
  size_t Next = 0;  // the entry the next new colour replaces
};

}  // namespace paginor
