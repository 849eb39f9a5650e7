// Text lines in PostScript: the font selected anew for every line, the colour, the baseline start and
// the text shown as a string.
#include "core/escaped_text.h"
#include "core/footer_text.h"
#include "core/uri_text.h"
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

void PsWriter::PutTextStart() {
  TurnOutsidePage();
  // The selection line changes only with the font: it is made again only then.
  if (FontNumber != SelectedNumber || FontStyle != SelectedStyle) {
    SelectionLine = FontSelectionLine(FontName(), FontNumber);
    SelectedNumber = FontNumber;
    SelectedStyle = FontStyle;
  }
  Lines.Put(SelectionLine);
  Lines.Put(int64_t{FontHeight}).Put(" scalefont\r\nsetfont\r\nnewpath\r\n");
  Lines.Put(Color).Put(" setrgbcolor\r\n");
}

void PsWriter::EmitText(std::string_view codes) {
  // The baseline lies FontHeight below the top of the line; computed first so that an overflow leaves
  // no line half written.
  const int64_t x = PageX(PositionX);
  const int64_t baseline = CheckedInt16(PositionY - MarginTop - FontHeight);
  PutTextStart();
  Lines.Put(x).Put(' ').Put(baseline).Put(" moveto\r\n(");
  PutStringText(codes, Lines);
  Lines.Put(") show\r\nclosepath\r\n");
}

void PsWriter::EmitCountedFooter(std::string_view codes, int32_t page) {
  // The count is a count field inside the string, filled in at Flush; its width is known only then, so
  // the page's own code centres the line on the middle of the area, from the string's width.
  const int64_t baseline = CheckedInt16(PositionY - MarginTop - FontHeight);
  const int64_t twiceMiddle = 2 * int64_t{PageX(0)} + AvailableWidth();
  PutTextStart();
  Lines.Put('(');
  VisitFooter(
      codes, page, [&](std::string_view piece) { PutStringText(piece, Lines); }, [&] { PutCountField(); });
  Lines.Put(") dup stringwidth pop 2 div neg ").Put(twiceMiddle / 2).Put(twiceMiddle % 2 == 0 ? "" : ".5");
  Lines.Put(" add ").Put(baseline).Put(" moveto show\r\nclosepath\r\n");
}

void PsWriter::EmitLink(std::string_view hyperlink, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  // A link annotation for a conversion to PDF. An interpreter without "pdfmark" (a printer) gets it
  // defined first to drop its operands; each link does so, so that every page stands on its own.
  const int64_t left = PageX(x1), top = CheckedInt16(y1 - MarginTop);
  const int64_t right = PageX(x2), bottom = CheckedInt16(y2 - MarginTop);
  Lines.AddLine("/pdfmark where { pop } { userdict /pdfmark /cleartomark load put } ifelse");
  Lines.Put("[ /Rect [ ").Put(left).Put(' ').Put(bottom).Put(' ').Put(right).Put(' ').Put(top).Put(" ]\r\n");
  Lines.Put("/Border [ 0 0 0 ]\r\n/Action << /Subtype /URI /URI (");
  PutStringText(PercentEncodedUri(hyperlink), Lines);
  Lines.Put(") >>\r\n/Subtype /Link\r\n/ANN pdfmark\r\n");
}

}  // namespace paginor
