// Fonts, single lines, paragraphs and titles: measuring, fitting and placing text. The format writes
// each placed line through EmitText.
#include <vector>

#include "core/document_writer.h"
#include "services/code_page.h"
#include "services/failure.h"

namespace paginor {
namespace {

bool IsAlignment(int32_t alignment) { return alignment >= 0 && alignment <= 3; }

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

void DocumentWriter::SetFont(int32_t fontnumber, uint8_t fontheight, int32_t fontstyle, int32_t fonteffect) {
  FontNumber = fontnumber >= 1 && fontnumber <= 5 ? fontnumber : 1;
  FontHeight = fontheight >= 8 && fontheight <= 72 ? fontheight : 8;
  // Symbol and ZapfDingbats have only their regular style; the test reads the number as passed.
  FontStyle = fontstyle >= 2 && fontstyle <= 4 && fontnumber < 4 ? fontstyle : 1;
  FontEffect = fonteffect >= 0 && fonteffect <= 2 ? fonteffect : 0;
}

void DocumentWriter::GetFont(int32_t& fontnumber, uint8_t& fontheight, int32_t& fontstyle,
                             int32_t& fonteffect) const {
  fontnumber = FontNumber;
  fontheight = FontHeight;
  fontstyle = FontStyle;
  fonteffect = FontEffect;
}

bool DocumentWriter::WriteText(std::string_view text, bool carriagereturn, uint8_t dy, int32_t alignment,
                               std::string_view hyperlink) {
  // The codes of the text go into a buffer kept between calls: single lines are the hot path.
  TextCodes.clear();
  AppendWindows1252(text, TextCodes);
  return WriteCodes(TextCodes, carriagereturn, dy, alignment, hyperlink);
}

bool DocumentWriter::WriteCodes(std::string_view codes, bool carriagereturn, uint8_t dy, int32_t alignment,
                                std::string_view hyperlink) {
  try {
    const int16_t width = Services.TextWidth(codes, FontNumber, FontHeight, FontStyle);
    const int16_t available = AvailableWidth();
    const int16_t y = CurrentY();
    if (!IsAlignment(alignment) || y + FontHeight > AvailableHeight()) return false;
    if (alignment == 0 ? PositionX + width > available : width > available) return false;
    if (alignment != 0) PositionX = Services.AlignmentOffset(available, width, alignment);

    EmitText(codes);

    const int16_t end = CheckedInt16(PositionX + width);
    if (FontEffect == 1) {  // Strikethrough: a quarter of the height above the baseline
      DrawLine(PositionX, CheckedInt16(y + FontHeight / 4 + FontHeight / 2), end,
               CheckedInt16(y + FontHeight / 4 + FontHeight / 2));
    } else if (FontEffect == 2) {  // Underline: an eighth of the height below the baseline
      DrawLine(PositionX, CheckedInt16(y + FontHeight + FontHeight / 8), end,
               CheckedInt16(y + FontHeight + FontHeight / 8));
    }
    if (!hyperlink.empty()) {
      EmitLink(hyperlink, PositionX, PositionY, CheckedInt16(end + 2),
               CheckedInt16(PositionY - (FontHeight + FontHeight / 5)));
    }
    PositionX = end;
    if (carriagereturn) {
      PositionX = LineStartX;
      PositionY = CheckedInt16(PositionY - FontHeight - dy);
    }
    return true;
  } catch (const Failure&) {
    return false;
  }
}

void DocumentWriter::BreakPageIfFull() {
  if (CurrentY() + FontHeight > AvailableHeight()) {
    uint8_t red = 0, green = 0, blue = 0;
    GetPageColor(red, green, blue);
    NewPage(MarginLeft, MarginTop, MarginRight, MarginBottom, red, green, blue);
  }
}

void DocumentWriter::WriteParagraphLine(std::string_view line, uint8_t dy, bool justified, int16_t width,
                                        int16_t startx) {
  BreakPageIfFull();
  if (!justified) {
    PositionX = startx;
    WriteCodes(line, true, dy, 0, {});
    return;
  }
  // Whatever JustifyLine reports, its words are written where it put them: a one-word line at the start.
  std::vector<std::string_view> words;
  std::vector<int16_t> positions;
  Services.JustifyLine(line, width, FontNumber, FontHeight, FontStyle, words, positions);
  for (size_t index = 0; index < words.size() && index < positions.size(); ++index) {
    PositionX = CheckedInt16(startx + positions[index]);
    WriteCodes(words[index], index + 1 == words.size(), dy, 0, {});
  }
}

bool DocumentWriter::WriteMultiText(std::string_view text, uint8_t dy, int32_t alignment, bool justified,
                                    int16_t width) {
  try {
    const int16_t available = AvailableWidth();
    if (!IsAlignment(alignment)) return false;
    if (alignment == 0 ? PositionX + width > available : width > available) return false;
    if (alignment != 0) {
      if (width < 1) width = available;
      PositionX = Services.AlignmentOffset(available, width, alignment);
    } else if (width < 1) {
      width = CheckedInt16(available - PositionX);
    }
    const int16_t startx = PositionX;

    // An empty text has no words (as an empty line has none to justify): nothing is written.
    const std::string codes = ToWindows1252(text);
    if (codes.empty()) return true;
    std::vector<std::string_view> words;
    for (size_t start = 0;;) {
      const size_t blank = codes.find(' ', start);
      words.push_back(std::string_view(codes).substr(start, blank - start));
      if (blank == std::string::npos) break;
      start = blank + 1;
    }
    // Each word is measured once: alone for the fit test, then as a piece of its line.
    std::vector<int64_t> wordUnits;
    wordUnits.reserve(words.size());
    for (const std::string_view word : words) {
      wordUnits.push_back(Services.TextUnits(word, FontNumber, FontStyle));
      if (Enumerations::UnitsToPoints(wordUnits.back(), FontHeight) > width) return false;
    }

    // The line is always the words from lineStart up to the current one, each followed by a blank, so
    // its width grows by the width of each word and blank added.
    const int64_t blankUnits = Services.TextUnits(" ", FontNumber, FontStyle);
    size_t lineStart = 0;
    size_t lineLength = 0;  // characters of the line, trailing blank included
    int64_t lineUnits = 0;
    for (size_t index = 0; index < words.size(); ++index) {
      const std::string_view word = words[index];
      const size_t wordStart = static_cast<size_t>(word.data() - codes.data());
      const int64_t pieceUnits = wordUnits[index] + blankUnits;
      if (lineLength == 0) lineStart = wordStart;
      lineLength += word.size() + 1;
      lineUnits += pieceUnits;
      if (lineLength > 32767) Fail();
      if (Enumerations::UnitsToPoints(lineUnits, FontHeight) > width) {
        const std::string_view previous(codes.data() + lineStart, wordStart - lineStart);
        WriteParagraphLine(TrimTrailingBlanks(previous), dy, justified, width, startx);
        lineStart = wordStart;
        lineLength = word.size() + 1;
        lineUnits = pieceUnits;
      }
    }
    // The last line keeps its trailing blank and is never justified.
    std::string last(codes, lineStart, lineLength - 1);
    last += ' ';
    WriteParagraphLine(last, dy, false, width, startx);
    return true;
  } catch (const Failure&) {
    return false;
  }
}

bool DocumentWriter::WriteTitle(std::string_view text, int32_t alignment, int32_t bullet,
                                std::string_view hyperlink) {
  try {
    const std::string codes = ToWindows1252(text);
    const int16_t height = FontHeight;
    // The bullet takes FontHeight - 1 points before the text.
    const int16_t width = CheckedInt16(height + Services.TextWidth(codes, FontNumber, FontHeight, FontStyle) - 1);
    const int16_t available = AvailableWidth();
    const int16_t y = CurrentY();
    if (!IsAlignment(alignment) || (bullet != 1 && bullet != 2) || y + height > AvailableHeight()) return false;
    if (alignment == 0 ? PositionX + width > available : width > available) return false;
    if (alignment != 0) PositionX = Services.AlignmentOffset(available, width, alignment);

    // The bullet is solid and filled in the text colour.
    const std::string savedDash = Dash, savedFillColor = FillColor;
    const bool savedFillStyle = FillStyle;
    Dash.clear();
    FillColor = Color;
    FillStyle = true;
    if (bullet == 1) {
      DrawCircle(CheckedInt16(PositionX + height / 8), CheckedInt16(y + height / 8 + height / 2 + 1),
                 static_cast<int16_t>(height / 8));
    } else {
      DrawRectangle(PositionX, CheckedInt16(y + height / 2 + 1), static_cast<int16_t>(height / 4),
                    static_cast<int16_t>(height / 4));
    }
    PositionX = CheckedInt16(PositionX + height - 1);
    WriteCodes(codes, true, 0, 0, hyperlink);
    Dash = savedDash;
    FillColor = savedFillColor;
    FillStyle = savedFillStyle;
    return true;
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace paginor
