// Fonts, single lines, paragraphs and titles: measuring, fitting and placing text. Each placed line
// goes to the format as a text run.
#include <algorithm>
#include <cmath>
#include <vector>

#include "layout/page_layout.h"
#include "core/pass_over.h"
#include "paginor/enumerations.h"
#include "fonts/text_measure.h"
#include "services/alignment.h"
#include "services/byte_scan.h"
#include "services/code_page.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"
#include "typeset/document_fonts.h"
#include "typeset/line_breaks.h"

namespace paginor {
namespace {

constexpr AlignmentConstants NoAlignment = AlignmentConstants::NoAlignment;

// A word for a message: quoted, its first 40 characters, letters outside ASCII shown as "?".
std::string Quoted(std::string_view codes) {
  std::string text = "\"";
  for (const char code : codes.substr(0, 40)) text += code >= ' ' && code <= '~' ? code : '?';
  return text + (codes.size() > 40 ? "...\"" : "\"");
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string PageLayout::SetFont(FontNumberConstants fontnumber, uint8_t fontheight, FontStyleConstants fontstyle,
                                FontEffectConstants fonteffect) {
  const bool knownNumber = fontnumber >= FontNumberConstants::Courier && fontnumber <= FontNumberConstants::ZapfDingbats;
  std::string ignored;
  if (!knownNumber) {
    ignored = "the font number " + std::to_string(Code(fontnumber)) + " is not one of the FontNumberConstants; Courier is used";
  }
  FontNumber = knownNumber ? fontnumber : FontNumberConstants::Courier;
  // Symbol and ZapfDingbats have only their regular style; the test reads the number as passed.
  const std::string values = TakeFontValues(fontheight, fontstyle, fonteffect, fontnumber < FontNumberConstants::Symbol);
  if (!values.empty()) ignored += (ignored.empty() ? "" : "; ") + values;
  Font = Fonts.Standard(FontNumber, FontStyle);
  return ignored;
}

std::string PageLayout::TakeFontValues(uint8_t fontheight, FontStyleConstants fontstyle, FontEffectConstants fonteffect,
                                       bool styled) {
  constexpr uint8_t SmallestHeight = 8, LargestHeight = 72;
  std::string ignored;
  const auto note = [&](std::string what) { ignored += (ignored.empty() ? "" : "; ") + what; };
  const bool knownStyle = fontstyle >= FontStyleConstants::Regular && fontstyle <= FontStyleConstants::BoldItalic;
  const bool knownEffect =
      fonteffect >= FontEffectConstants::NoFontEffect && fonteffect <= FontEffectConstants::Underline;
  if (fontheight < SmallestHeight || fontheight > LargestHeight) {
    note("the font height " + std::to_string(fontheight) + " lies outside 8 to 72; 8 is used");
  }
  if (!knownStyle) {
    note("the font style " + std::to_string(Code(fontstyle)) + " is not one of the FontStyleConstants; Regular is used");
  }
  if (!knownEffect) {
    note("the font effect " + std::to_string(Code(fonteffect)) +
         " is not one of the FontEffectConstants; NoFontEffect is used");
  }
  FontHeight = fontheight >= SmallestHeight && fontheight <= LargestHeight ? fontheight : SmallestHeight;
  FontStyle = styled && knownStyle && fontstyle != FontStyleConstants::Regular ? fontstyle : FontStyleConstants::Regular;
  FontEffect = knownEffect ? fonteffect : FontEffectConstants::NoFontEffect;
  return ignored;
}

bool PageLayout::SetFont(const std::string& family, uint8_t fontheight, FontStyleConstants fontstyle,
                         FontEffectConstants fonteffect, std::string& ignored) {
  const bool knownStyle = fontstyle >= FontStyleConstants::Regular && fontstyle <= FontStyleConstants::BoldItalic;
  const FontHandle font = Fonts.OpenType(family, knownStyle ? fontstyle : FontStyleConstants::Regular);
  if (font == FontCatalogue::Unset) {
    return Refuse(FailureConstants::FontNotFound,
                  "the font " + Quoted(family) +
                      " is not installed, or its file cannot be read as an OpenType or TrueType font; the font "
                      "stays as it was");
  }
  if (const std::string reason = Format.CannotEmbed(*Fonts.Face(font).openType.Face); !reason.empty()) {
    return Refuse(FailureConstants::FontNotFound, "the font " + Quoted(family) + " " + reason + "; the font stays as it was");
  }
  ignored = TakeFontValues(fontheight, fontstyle, fonteffect, true);
  Font = font;
  FontFamilyName = family;
  return true;
}

std::string PageLayout::FontFamily() const { return IsOpenType() ? FontFamilyName : std::string(); }

bool PageLayout::SetFooterFont(const std::string& family, uint8_t fontheight) {
  if (family.empty()) {
    FooterFont = FontCatalogue::Unset;
    return true;
  }
  if (fontheight < 8 || fontheight > 72) {
    return Refuse(FailureConstants::InvalidArgument,
                  "the font height " + std::to_string(fontheight) + " lies outside 8 to 72; the footer keeps its font");
  }
  const FontHandle font = Fonts.OpenType(family, FontStyleConstants::Regular);
  if (font == FontCatalogue::Unset) {
    return Refuse(FailureConstants::FontNotFound,
                  "the font " + Quoted(family) +
                      " is not installed, or its file cannot be read as an OpenType or TrueType font; the footer "
                      "keeps its font");
  }
  if (const std::string reason = Format.CannotEmbed(*Fonts.Face(font).openType.Face); !reason.empty()) {
    return Refuse(FailureConstants::FontNotFound, "the font " + Quoted(family) + " " + reason + "; the footer keeps its font");
  }
  FooterFont = font;
  FooterHeight = fontheight;
  return true;
}

int16_t PageLayout::TextWidth(std::string_view text) const {
  if (IsOpenType()) return CheckedInt16(ShapedPoints(text));
  if (FindNonPrintable(text, 0) == text.size()) return paginor::TextWidth(text, CurrentFace(), FontHeight);
  return paginor::TextWidth(ToWindows1252(text), CurrentFace(), FontHeight);
}

void PageLayout::GetFont(FontNumberConstants& fontnumber, uint8_t& fontheight, FontStyleConstants& fontstyle,
                         FontEffectConstants& fonteffect) const {
  fontnumber = FontNumber;
  fontheight = FontHeight;
  fontstyle = FontStyle;
  fonteffect = FontEffect;
}

bool PageLayout::WriteText(std::string_view text, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                           std::string_view hyperlink) {
  // Text in printable ASCII, by far the most common, is its own Windows-1252 codes; other text is
  // converted into a buffer kept between calls: single lines are the hot path.
  if (NoPageOpen()) return false;
  if (IsOpenType()) return WriteShaped(text, 0, carriagereturn, dy, alignment, hyperlink);
  if (FindNonPrintable(text, 0) == text.size()) return WriteCodes(text, carriagereturn, dy, alignment, hyperlink);
  TextCodes.clear();
  AppendWindows1252(text, TextCodes);
  return WriteCodes(TextCodes, carriagereturn, dy, alignment, hyperlink);
}

bool PageLayout::WriteCodes(std::string_view codes, bool carriagereturn, uint8_t dy, AlignmentConstants alignment,
                            std::string_view hyperlink) {
  try {
    return PlaceLine(codes, WidePoints(WideUnits(codes)), {}, carriagereturn, dy, alignment, hyperlink);
  } catch (const Failure&) {
    return false;
  }
}

bool PageLayout::PlaceLine(std::string_view codes, int64_t wide, std::span<typeset::ShapedGlyph> glyphs,
                           bool carriagereturn, uint8_t dy, AlignmentConstants alignment, std::string_view hyperlink) {
  const int16_t available = AvailableWidth();
  const int16_t y = PositionY;
  if (!IsAlignment(alignment)) return RefuseAlignment(alignment);
  if (!LineFits("a line", y, FontHeight)) return false;
  const int16_t from = alignment == NoAlignment ? PositionX : int16_t{0};
  if (from + wide > available) return RefuseWidth("the text", wide, from);
  const auto width = static_cast<int16_t>(wide);  // it fits the available width
  if (alignment != NoAlignment) PositionX = AlignmentOffset(available, width, alignment);

  // The baseline lies FontHeight below the top of the line. A shaped line without glyphs (an empty
  // text) draws nothing.
  const int16_t top = PageY(y);
  if (!IsOpenType() || !glyphs.empty()) {
    if (!glyphs.empty()) Fonts.Typeset().RecordDrawn(codes, glyphs);
    Format.DrawText({{PageX(PositionX), CheckedInt16(top - FontHeight)}, Font, FontHeight, Color, codes, width, glyphs});
  }

  const int16_t end = CheckedInt16(PositionX + width);
  DrawFontEffect(PositionX, end, y);
  if (!hyperlink.empty()) {
    const PageRect area{PageX(PositionX), top, PageX(CheckedInt16(end + 2)),
                        CheckedInt16(top - (FontHeight + FontHeight / 5))};
    Format.DrawLink(hyperlink, area);
  }
  PositionX = end;
  if (carriagereturn) {
    PositionX = LineStartX;
    PositionY = CheckedInt16(PositionY + FontHeight + dy);
  }
  return true;
}

int64_t PageLayout::ShapedPoints(std::string_view text) const {
  // Halves to even, as every width in points.
  return static_cast<int64_t>(std::nearbyint(Fonts.Typeset().Width(text, CurrentFace().openType, FontHeight)));
}

bool PageLayout::WriteShaped(std::string_view text, int16_t justifyTo, bool carriagereturn, uint8_t dy,
                             AlignmentConstants alignment, std::string_view hyperlink) {
  try {
    // A justified line widens its spaces in a copy; any other is drawn from the shaped glyphs as they
    // are, which nothing shapes over until it is placed.
    std::span<typeset::ShapedGlyph> glyphs;
    if (justifyTo > 0) {
      LineGlyphs = Fonts.Typeset().Shape(text, CurrentFace().openType);
      typeset::WidenSpaces(LineGlyphs, text, justifyTo - typeset::ShapedWidth(LineGlyphs, FontHeight), FontHeight);
      glyphs = LineGlyphs;
    } else {
      glyphs = Fonts.Typeset().ShapeForDrawing(text, CurrentFace().openType);
    }
    const auto wide = static_cast<int64_t>(std::nearbyint(typeset::ShapedWidth(glyphs, FontHeight)));
    return PlaceLine(text, wide, glyphs, carriagereturn, dy, alignment, hyperlink);
  } catch (const Failure&) {
    return false;
  }
}

bool PageLayout::WriteShapedParagraph(std::string_view text, uint8_t dy, bool justified, int16_t width,
                                      int16_t startx) {
  if (text.empty()) return true;
  if (!LineFits("a line", 0, FontHeight)) return false;
  typeset::DocumentFonts& fonts = Fonts.Typeset();
  const typeset::ChosenFace face = CurrentFace().openType;
  const auto measure = [&](std::string_view piece) { return fonts.Width(piece, face, FontHeight); };
  // Every piece between two places where a line may break must fit the block: a word wider than the
  // block is refused, as in the standard fonts, rather than cut.
  uint32_t begin = 0;
  std::vector<typeset::LineBreak> breaks = typeset::LineBreaks(text);
  breaks.push_back({static_cast<uint32_t>(text.size()), true});
  for (const typeset::LineBreak& place : breaks) {
    std::string_view piece = text.substr(begin, place.Offset - begin);
    while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\n' || piece.back() == '\r')) piece.remove_suffix(1);
    const auto pieceWidth = static_cast<int64_t>(std::nearbyint(measure(piece)));
    if (pieceWidth > width) {
      return Refuse(FailureConstants::DoesNotFit, "the word " + Quoted(piece) + " is " + std::to_string(pieceWidth) +
                                                      " points wide, wider than the block's " + std::to_string(width));
    }
    begin = place.Offset;
  }
  const std::vector<typeset::WrappedLine> lines = typeset::WrapParagraph(text, width, measure);
  bool written = true;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string_view line = text.substr(lines[index].Begin, lines[index].End - lines[index].Begin);
    // The last line, and a line that the text itself ends, are not justified.
    const bool last = index + 1 == lines.size() || text[lines[index + 1].Begin - 1] == '\n';
    BreakPageIfFull();
    PositionX = startx;
    written = WriteShaped(line, justified && !last ? width : int16_t{0}, true, dy, NoAlignment, {}) && written;
  }
  return written;
}

void PageLayout::DrawFontEffect(int16_t x, int16_t end, int16_t y) {
  int16_t below = 0;  // from the top of the text line
  uint8_t thickness = Thickness;
  const typeset::OpenTypeFace* face = CurrentFace().openType.Face;
  if (FontEffect != FontEffectConstants::Strikethrough && FontEffect != FontEffectConstants::Underline) return;
  if (face != nullptr) {
    // The face's own line: its position (the top of the line, above the baseline) and thickness.
    const typeset::FaceMetrics& metrics = face->Metrics();
    const bool under = FontEffect == FontEffectConstants::Underline;
    const double scale = static_cast<double>(FontHeight) / metrics.UnitsPerEm;
    const double lineThickness = (under ? metrics.UnderlineThickness : metrics.StrikeoutThickness) * scale;
    const double centre = (under ? metrics.UnderlinePosition : metrics.StrikeoutPosition) * scale - lineThickness / 2;
    below = CheckedInt16(FontHeight - static_cast<int64_t>(std::nearbyint(centre)));
    thickness = static_cast<uint8_t>(std::clamp<double>(std::nearbyint(lineThickness), 1, 255));
  } else if (FontEffect == FontEffectConstants::Strikethrough) {
    below = static_cast<int16_t>(FontHeight / 4 + FontHeight / 2);  // a quarter of the height above the baseline
  } else {
    below = static_cast<int16_t>(FontHeight + FontHeight / 8);  // an eighth of the height below the baseline
  }
  // The line belongs to a text that was accepted, so it is drawn without the area's fit test: under the
  // area's last line an underline lies in the bottom margin. Only a line that would fall below the page,
  // where nothing shows, is left out.
  const int16_t lineY = CheckedInt16(y + below);
  if (PageY(lineY) < 0) return;
  const uint8_t savedThickness = Thickness;
  Thickness = thickness;
  PassOver([&] {
    Path line;
    line.points[0] = PagePointOf(x, lineY);
    line.points[1] = PagePointOf(end, lineY);
    Draw(line);
  });
  Thickness = savedThickness;
}

void PageLayout::BreakPageIfFull() {
  if (PositionY + FontHeight > ContentHeight()) NewPage(MarginLeft, MarginTop, MarginRight, MarginBottom, PageColor);
}

bool PageLayout::WriteParagraphLine(std::string_view line, uint8_t dy, bool justified, int16_t width,
                                        int16_t startx) {
  BreakPageIfFull();
  if (justified) {
    std::vector<std::string_view> words;
    std::vector<int16_t> positions;
    JustifyLine(line, width, CurrentFace(), FontHeight, words, positions);
    // Whatever JustifyLine reports, its words are written where it put them (a one-word line at the
    // start), unless rounding each word on its own made the line so wide that its last word would pass
    // the available width: the line is then written whole, unjustified, so that no word is lost.
    const size_t count = std::min(words.size(), positions.size());
    const bool lastFits =
        count == 0 ||
        startx + positions[count - 1] + paginor::TextWidth(words[count - 1], CurrentFace(), FontHeight) <= AvailableWidth();
    if (lastFits) {
      bool written = true;
      for (size_t index = 0; index < count; ++index) {
        PositionX = CheckedInt16(startx + positions[index]);
        written = WriteCodes(words[index], index + 1 == count, dy, NoAlignment, {}) && written;
      }
      return written;
    }
  }
  PositionX = startx;
  return WriteCodes(line, true, dy, NoAlignment, {});
}

bool PageLayout::RefuseAlignment(AlignmentConstants alignment) {
  return Refuse(FailureConstants::InvalidArgument,
                "the alignment " + std::to_string(Code(alignment)) + " is not one of the AlignmentConstants");
}

bool PageLayout::RefuseWidth(const char* what, int64_t width, int64_t x) {
  const int64_t room = std::max<int64_t>(AvailableWidth() - x, 0);
  return Refuse(FailureConstants::DoesNotFit, std::string(what) + " is " + std::to_string(width) + " points wide; " +
                                                  std::to_string(room) + " are available from x " + std::to_string(x));
}

bool PageLayout::LineFits(const char* what, int16_t y, int16_t height) {
  const int16_t bottom = ContentHeight();
  if (y + height <= bottom) return true;
  const bool band = bottom != AvailableHeight();
  return Refuse(FailureConstants::DoesNotFit,
                std::string(what) + " " + std::to_string(height) + " points high at y " + std::to_string(y) +
                    " passes the bottom of " +
                    (band ? "the available area above the footer band, " : "the available area, ") +
                    std::to_string(bottom) + " points high");
}

int64_t PageLayout::WideUnits(std::string_view codes) const {
  // The measure takes at most 32767 codes at a time.
  constexpr size_t Piece = 32767;
  int64_t units = 0;
  for (size_t start = 0; start < codes.size(); start += Piece) {
    units += TextUnits(codes.substr(start, Piece), CurrentFace());
  }
  return units;
}

int64_t PageLayout::WidePoints(int64_t units) const {
  // As UnitsToPoints, halves to even, without its 16-bit limit.
  return static_cast<int64_t>(std::nearbyint(static_cast<double>(units) / 1000.0 * FontHeight));
}

bool PageLayout::WriteMultiText(std::string_view text, uint8_t dy, AlignmentConstants alignment, bool justified,
                                int16_t width) {
  if (NoPageOpen()) return false;
  // Every test comes before the first line is written: a refused paragraph changes nothing, the
  // position included.
  const int16_t available = AvailableWidth();
  if (!IsAlignment(alignment)) return RefuseAlignment(alignment);
  const int16_t from = alignment == NoAlignment ? PositionX : int16_t{0};
  if (from + width > available) return RefuseWidth("the block", width, from);
  int16_t startx = PositionX;
  if (alignment != NoAlignment) {
    if (width < 1) width = available;
    startx = AlignmentOffset(available, width, alignment);
  } else if (width < 1) {
    width = CheckedInt16(available - PositionX);
  }

  if (IsOpenType()) return WriteShapedParagraph(text, dy, justified, width, startx);
  // An empty text has no words (as an empty line has none to justify): nothing is written.
  const std::string codes = ToWindows1252(text);
  if (codes.empty()) return true;
  // A line that does not fit even a fresh page would only start one empty page after another.
  if (!LineFits("a line", 0, FontHeight)) return false;
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
    wordUnits.push_back(WideUnits(word));
    const int64_t wordWidth = WidePoints(wordUnits.back());
    if (wordWidth > width) {
      return Refuse(FailureConstants::DoesNotFit, "the word " + Quoted(word) + " is " +
                                                      std::to_string(wordWidth) + " points wide, wider than the block's " +
                                                      std::to_string(width));
    }
  }

  // The line is always the words from lineStart up to the current one, each followed by a blank, so
  // its width grows by the width of each word and blank added.
  const int64_t blankUnits = TextUnits(" ", CurrentFace());
  bool written = true;
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
    if (UnitsToPoints(lineUnits, FontHeight) > width) {
      // The words before this one go on a line of their own. A word that starts its line stays on it
      // (no word is wider than the block), so a line that would hold nothing but blanks, as before a
      // word that fits the block only without its blank, is not written.
      const std::string_view previous =
          TrimTrailingBlanks(std::string_view(codes.data() + lineStart, wordStart - lineStart));
      if (!previous.empty()) written = WriteParagraphLine(previous, dy, justified, width, startx) && written;
      lineStart = wordStart;
      lineLength = word.size() + 1;
      lineUnits = pieceUnits;
    }
  }
  // The last line is never justified. It keeps its trailing blank where that fits; a last word that
  // fills the block up to the available width is written without it.
  std::string last(codes, lineStart, lineLength - 1);
  last += ' ';
  const bool lastWritten = WriteParagraphLine(last, dy, false, width, startx) ||
                           WriteParagraphLine(std::string_view(last).substr(0, last.size() - 1), dy, false,
                                              width, startx);
  return lastWritten && written;
}

bool PageLayout::WriteTitle(std::string_view text, AlignmentConstants alignment, BulletConstants bullet,
                            std::string_view hyperlink) {
  if (NoPageOpen()) return false;
  const bool shaped = IsOpenType();
  const std::string codes = shaped ? std::string() : ToWindows1252(text);
  const int16_t height = FontHeight;
  // The bullet takes FontHeight - 1 points before the text.
  const int64_t wide = height + (shaped ? ShapedPoints(text) : WidePoints(WideUnits(codes))) - 1;
  const int16_t available = AvailableWidth();
  const int16_t y = PositionY;
  if (!IsAlignment(alignment)) return RefuseAlignment(alignment);
  if (bullet != BulletConstants::Disc && bullet != BulletConstants::Square) {
    return Refuse(FailureConstants::InvalidArgument,
                  "the bullet " + std::to_string(Code(bullet)) + " is not one of the BulletConstants");
  }
  if (!LineFits("a line", y, height)) return false;
  const int16_t from = alignment == NoAlignment ? PositionX : int16_t{0};
  if (from + wide > available) return RefuseWidth("the title", wide, from);
  const auto width = static_cast<int16_t>(wide);  // it fits the available width
  if (alignment != NoAlignment) PositionX = AlignmentOffset(available, width, alignment);

  // The bullet is solid and filled in the text colour; the caller's paint returns whatever happens.
  struct SavedPaint {
    PageLayout& layout;
    std::string dash = layout.Dash;
    Rgb fillColor = layout.FillColor;
    bool fillStyle = layout.FillStyle;
    ~SavedPaint() {
      layout.Dash.swap(dash);
      layout.FillColor = fillColor;
      layout.FillStyle = fillStyle;
    }
  } saved{*this};
  Dash.clear();
  FillColor = Color;
  FillStyle = true;
  if (bullet == BulletConstants::Disc) {
    DrawCircle(CheckedInt16(PositionX + height / 8), CheckedInt16(y + height / 8 + height / 2 + 1),
               static_cast<int16_t>(height / 8));
  } else {
    DrawRectangle(PositionX, CheckedInt16(y + height / 2 + 1), static_cast<int16_t>(height / 4),
                  static_cast<int16_t>(height / 4));
  }
  PositionX = CheckedInt16(PositionX + height - 1);
  if (shaped) {
    WriteShaped(text, 0, true, 0, NoAlignment, hyperlink);
  } else {
    WriteCodes(codes, true, 0, NoAlignment, hyperlink);
  }
  return true;
}

}  // namespace paginor
