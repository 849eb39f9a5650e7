// Text lines in PostScript: the font selected anew for every line, the colour, the baseline start and
// the text shown as a string.
#include "core/escaped_text.h"
#include "paginor/enumerations.h"
#include "ps/ps_encoding.h"
#include "ps/ps_writer.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"

namespace paginor {
namespace {

// The standard font names of Courier, Helvetica and Times in the styles Regular, Bold, Italic and
// BoldItalic, in that order.
constexpr std::string_view StyledFonts[3][4] = {
    {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"},
    {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"},
    {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"}};

// Text as the inside of a PostScript string: a backslash before every "\", "(" and ")" so that no text
// ends the string early, and line ends written as escapes so that the string stays on its line.
void PutStringText(std::string_view codes, LineBuffer& out) {
  constexpr ByteSet Escaped("\\()\r\n");
  PutBackslashEscaped(codes, Escaped, out);
}

}  // namespace

std::string_view PsWriter::FontName() const {
  switch (static_cast<FontNumberConstants>(FontNumber)) {
    case FontNumberConstants::Symbol:
      return "Symbol";
    case FontNumberConstants::ZapfDingbats:
      return "ZapfDingbats";
    case FontNumberConstants::Courier:
    case FontNumberConstants::Helvetica:
    case FontNumberConstants::Times:
      if (IsCodeBetween(FontStyle, FontStyleConstants::Regular, FontStyleConstants::BoldItalic)) {
        const int32_t family = FontNumber - Code(FontNumberConstants::Courier);
        return StyledFonts[family][FontStyle - Code(FontStyleConstants::Regular)];
      }
      break;
  }
  return {};
}

void PsWriter::EmitText(std::string_view codes) {
  TurnOutsidePage();
  // The baseline lies FontHeight below the top of the line; computed first so that an overflow leaves
  // no line half written.
  const int64_t x = PageX(PositionX);
  const int64_t baseline = CheckedInt16(PositionY - MarginTop - FontHeight);
  // The selection line changes only with the font: it is made again only then.
  if (FontNumber != SelectedNumber || FontStyle != SelectedStyle) {
    SelectionLine = FontSelectionLine(FontName(), FontNumber);
    SelectedNumber = FontNumber;
    SelectedStyle = FontStyle;
  }
  Lines.Put(SelectionLine);
  Lines.Put(int64_t{FontHeight}).Put(" scalefont\r\nsetfont\r\nnewpath\r\n");
  Lines.Put(Color).Put(" setrgbcolor\r\n");
  Lines.Put(x).Put(' ').Put(baseline).Put(" moveto\r\n(");
  PutStringText(codes, Lines);
  Lines.Put(") show\r\nclosepath\r\n");
}

}  // namespace paginor
