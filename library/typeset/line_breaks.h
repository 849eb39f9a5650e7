#pragma once

// Where a text may be wrapped, by the Unicode line breaking rules: between words, between the
// characters of Chinese and Japanese text, never inside a word and never before a closing mark.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace paginor::typeset {

// A place after which a line may end: a byte offset in the text, and whether the line must end there
// (a line end in the text).
struct LineBreak {
  uint32_t Offset = 0;
  bool Mandatory = false;
};

// The places inside `utf8` (never at its start; its end is not listed) where a line may end.
std::vector<LineBreak> LineBreaks(std::string_view utf8);

// A line of a wrapped paragraph: the bytes [Begin, End) of the text, without the spaces at the break.
struct WrappedLine {
  uint32_t Begin = 0;
  uint32_t End = 0;
};

// Wraps a paragraph into lines no wider than `width` as `measure` (the width of a piece of text) says:
// each line takes as many pieces between break places as fit; a piece wider than a whole line is cut
// between characters (keeping marks with their base). Line ends in the text end lines; spaces at a
// break are dropped.
std::vector<WrappedLine> WrapParagraph(std::string_view utf8, double width,
                                       const std::function<double(std::string_view)>& measure);

}  // namespace paginor::typeset
