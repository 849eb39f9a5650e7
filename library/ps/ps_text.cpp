// Text lines in PostScript: the font selected anew for every line, the colour, the baseline start and
// the text shown as a string.
#include "core/escaped_text.h"
#include "core/footer_text.h"
#include "core/uri_text.h"
#include "paginor/enumerations.h"
#include "ps/ps_encoding.h"
#include "ps/ps_writer.h"
#include "services/failure.h"

namespace paginor {

void PutStringText(std::string_view codes, LineBuffer& out) {
  constexpr ByteSet Escaped("\\()\r\n");
  PutBackslashEscaped(codes, Escaped, out);
}

const std::string& PsWriter::SelectionLineOf(FontHandle font) {
  // The selection line changes only with the font: it is made again only then.
  if (font != Selected) {
    const FontFace& face = Fonts.Face(font);
    SelectionLine = FontSelectionLine(face.postScriptName, face.windows1252);
    Selected = font;
  }
  return SelectionLine;
}

void PsWriter::PutTextStart(FontHandle font, uint8_t size, Rgb colour) {
  TurnOutsidePage();
  Lines.Put(SelectionLineOf(font));
  Lines.Put(int64_t{size}).Put(" scalefont\r\nsetfont\r\nnewpath\r\n");
  Lines.Put(Colours.Of(colour)).Put(" setrgbcolor\r\n");
}

void PsWriter::DrawText(const TextRun& run) {
  if (!run.glyphs.empty()) {
    DrawGlyphText(run);
    return;
  }
  if (Compact) {
    DrawCompactText(run);
    return;
  }
  PutTextStart(run.font, run.size, run.colour);
  Lines.Put(int64_t{run.origin.x}).Put(' ').Put(int64_t{run.origin.y}).Put(" moveto\r\n(");
  PutStringText(run.codes, Lines);
  Lines.Put(") show\r\nclosepath\r\n");
}

void PsWriter::DrawCountedFooter(const CountedFooter& footer) {
  if (Fonts.Face(footer.font).openType.Face != nullptr) {
    DrawOpenTypeCountedFooter(footer);
    return;
  }
  if (Compact) {
    DrawCompactCountedFooter(footer);
    return;
  }
  PutTextStart(footer.font, footer.size, footer.colour);
  PutCountedFooterStart(footer);
  Lines.Put(" moveto show\r\nclosepath\r\n");
}

void PsWriter::PutCountedFooterStart(const CountedFooter& footer) {
  // The count is a count field inside the string, filled in at Flush; its width is known only then, so
  // the page's own code centres the line on the middle of the area, from the string's width.
  const int64_t twiceMiddle = 2 * int64_t{footer.left} + footer.width;
  Lines.Put('(');
  VisitFooter(
      footer.codes, footer.page, [&](std::string_view piece) { PutStringText(piece, Lines); },
      [&] { Output.PutCountField(); });
  Lines.Put(") dup stringwidth pop 2 div neg ").Put(twiceMiddle / 2).Put(twiceMiddle % 2 == 0 ? "" : ".5");
  Lines.Put(" add ").Put(int64_t{footer.baseline});
}

void PsWriter::DrawLink(std::string_view uri, const PageRect& area) {
  // A link annotation for a conversion to PDF. An interpreter without "pdfmark" (a printer) gets it
  // defined first to drop its operands; each link does so, so that every page stands on its own.
  const int64_t left = area.left, top = area.top, right = area.right, bottom = area.bottom;
  Lines.AddLine("/pdfmark where { pop } { userdict /pdfmark /cleartomark load put } ifelse");
  Lines.Put("[ /Rect [ ").Put(left).Put(' ').Put(bottom).Put(' ').Put(right).Put(' ').Put(top).Put(" ]\r\n");
  Lines.Put("/Border [ 0 0 0 ]\r\n/Action << /Subtype /URI /URI (");
  PutStringText(PercentEncodedUri(uri), Lines);
  Lines.Put(") >>\r\n/Subtype /Link\r\n/ANN pdfmark\r\n");
}

}  // namespace paginor
