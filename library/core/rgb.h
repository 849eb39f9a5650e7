#pragma once

#include <cstdint>
#include <string_view>

#include "output/line_buffer.h"

namespace paginor {

// A colour as the caller gives it: red, green and blue bytes.
struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

// The operand text of one byte in both formats: its fraction of 255 with three decimals, "0" and "1"
// for the two exact values.
std::string_view ComponentText(uint8_t value);

// A colour's three operands, separated by blanks, such as "1 0.502 0".
inline void PutRgb(LineBuffer& lines, Rgb colour) {
  lines.Put(ComponentText(colour.red)).Put(' ').Put(ComponentText(colour.green)).Put(' ');
  lines.Put(ComponentText(colour.blue));
}

}  // namespace paginor
