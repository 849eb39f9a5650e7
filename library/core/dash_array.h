#pragma once

#include <string_view>

namespace paginor {

// True for a dash array as the figures write it between "[" and "]": one to sixteen numbers separated
// by blanks (blanks before the first and after the last are allowed), not all of them zero. A number is
// written with decimal digits and at most one point ("3", "2.5", ".5", "4."), without sign or exponent,
// and is at most 32767. Both formats read exactly this text as an array of lengths, so a text that
// passes cannot break the syntax of a page, and a reader never meets a pattern it must reject.
bool IsDashArray(std::string_view text);

}  // namespace paginor
