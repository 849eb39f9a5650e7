#pragma once

// A line in each script the OpenType tests write, each in an installed family that fits it, with a
// right-to-left word in a left-to-right line, Chinese borrowed by a family without it, and a face with
// CFF outlines.
#include <string>
#include <utility>
#include <vector>

namespace paginor::testing {

inline const std::vector<std::pair<std::string, std::string>>& ScriptLines() {
  static const std::vector<std::pair<std::string, std::string>> lines = {
      {"DejaVu Serif", "office affluent cr\u00e8me br\u00fbl\u00e9e"},
      {"DejaVu Sans", "\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 \u03ba\u03cc\u03c3\u03bc\u03b5"},
      {"DejaVu Sans", "\u0414\u043e\u0431\u0440\u044b\u0439 \u0434\u0435\u043d\u044c"},
      {"Noto Sans Hebrew", "\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd"},
      {"Noto Sans Arabic", "\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"},
      {"Noto Sans Devanagari", "\u0928\u092e\u0938\u094d\u0924\u0947 \u0926\u0941\u0928\u093f\u092f\u093e"},
      {"Noto Sans Thai", "\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35\u0e0a\u0e32\u0e27\u0e42\u0e25\u0e01"},
      {"WenQuanYi Micro Hei", "\u4f60\u597d\uff0c\u4e16\u754c"},
      {"WenQuanYi Micro Hei", "\u3053\u3093\u306b\u3061\u306f\u4e16\u754c"},
      {"DejaVu Sans", "the word \u05e9\u05dc\u05d5\u05dd means peace"},
      {"DejaVu Sans", "Fallback \u4e2d\u6587 in DejaVu Sans"},
      {"Nimbus Sans", "Compact outlines"},
  };
  return lines;
}

// The text without the marks pdftotext puts around right-to-left runs, its spaces and line ends dropped:
// what a line reads as, whichever side of a right-to-left word its spaces land on.
inline std::string Letters(std::string text) {
  for (const char* mark : {"\u202A", "\u202B", "\u202C", "\u200E", "\u200F"}) {
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark)) text.erase(at, 3);
  }
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\f'; });
  return text;
}

}  // namespace paginor::testing
