#include "typeset/line_breaks.h"

#include <hb.h>
#include <linebreak.h>

#include <mutex>

#include "services/code_page.h"

namespace paginor::typeset {
namespace {

bool IsBreakSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The end of a line's text once the spaces and line ends before the break are dropped.
uint32_t TrimmedEnd(std::string_view utf8, uint32_t begin, uint32_t end) {
  while (end > begin && IsBreakSpace(utf8[end - 1])) --end;
  return end;
}

// The character boundaries of [begin, end) where a piece may be cut: not before a combining mark.
std::vector<uint32_t> CutPlaces(std::string_view utf8, uint32_t begin, uint32_t end) {
  std::vector<uint32_t> places;
  for (size_t position = begin; position < end;) {
    const size_t start = position;
    const char32_t character = NextCharacter(utf8, position);
    const auto category = hb_unicode_general_category(hb_unicode_funcs_get_default(), character);
    const bool mark = category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
                      category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
                      category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
    if (start > begin && !mark) places.push_back(static_cast<uint32_t>(start));
  }
  places.push_back(end);
  return places;
}

}  // namespace

std::vector<LineBreak> LineBreaks(std::string_view utf8) {
  static std::once_flag initialised;
  std::call_once(initialised, init_linebreak);
  std::vector<utf32_t> characters;
  std::vector<uint32_t> ends;  // the byte offset after each character
  for (size_t position = 0; position < utf8.size();) {
    characters.push_back(NextCharacter(utf8, position));
    ends.push_back(static_cast<uint32_t>(position));
  }
  std::vector<char> breaks(characters.size());
  if (!characters.empty()) set_linebreaks_utf32(characters.data(), characters.size(), nullptr, breaks.data());
  std::vector<LineBreak> found;
  for (size_t n = 0; n + 1 < characters.size(); ++n) {
    if (breaks[n] == LINEBREAK_MUSTBREAK || breaks[n] == LINEBREAK_ALLOWBREAK) {
      found.push_back(LineBreak{ends[n], breaks[n] == LINEBREAK_MUSTBREAK});
    }
  }
  return found;
}

std::vector<WrappedLine> WrapParagraph(std::string_view utf8, double width,
                                       const std::function<double(std::string_view)>& measure) {
  std::vector<WrappedLine> lines;
  const auto text = [&](uint32_t begin, uint32_t end) { return utf8.substr(begin, end - begin); };
  std::vector<LineBreak> breaks = LineBreaks(utf8);
  breaks.push_back(LineBreak{static_cast<uint32_t>(utf8.size()), true});
  uint32_t lineBegin = 0;
  uint32_t lineEnd = 0;  // the end of the last piece that fits, lineBegin while none does
  for (const LineBreak& place : breaks) {
    const uint32_t candidate = TrimmedEnd(utf8, lineBegin, place.Offset);
    if (lineEnd > lineBegin && measure(text(lineBegin, candidate)) > width) {
      lines.push_back(WrappedLine{lineBegin, TrimmedEnd(utf8, lineBegin, lineEnd)});
      lineBegin = lineEnd;
    }
    if (lineEnd == lineBegin) {
      // The piece starts a line: when it is wider than the line alone, cut it between characters.
      uint32_t pieceEnd = TrimmedEnd(utf8, lineBegin, place.Offset);
      while (pieceEnd > lineBegin && measure(text(lineBegin, pieceEnd)) > width) {
        uint32_t fits = lineBegin;
        for (const uint32_t cut : CutPlaces(utf8, lineBegin, pieceEnd)) {
          if (fits > lineBegin && measure(text(lineBegin, cut)) > width) break;
          fits = cut;  // at least one character per line, however narrow the width
        }
        if (fits >= pieceEnd) break;
        lines.push_back(WrappedLine{lineBegin, fits});
        lineBegin = fits;
      }
    }
    lineEnd = place.Offset;
    if (place.Mandatory) {
      lines.push_back(WrappedLine{lineBegin, TrimmedEnd(utf8, lineBegin, lineEnd)});
      lineBegin = lineEnd;
    }
  }
  return lines;
}

}  // namespace paginor::typeset
