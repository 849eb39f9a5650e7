// Text lines and link annotations in PDF.
#include "paginor/enumerations.h"
#include "pdf/pdf_strings.h"
#include "pdf/pdf_writer.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"

namespace paginor {

int PdfWriter::FontIndex() const {
  // Courier, Helvetica and Times have four styles each, /F0 to /F11; Symbol is /F12 and ZapfDingbats /F13.
  constexpr int StylesPerFont = 4;
  constexpr int SymbolFont = 12;
  switch (static_cast<FontNumberConstants>(FontNumber)) {
    case FontNumberConstants::Symbol:
      return SymbolFont;
    case FontNumberConstants::ZapfDingbats:
      return SymbolFont + 1;
    case FontNumberConstants::Courier:
    case FontNumberConstants::Helvetica:
    case FontNumberConstants::Times:
      break;
  }
  return (FontNumber - Code(FontNumberConstants::Courier)) * StylesPerFont +
         (FontStyle - Code(FontStyleConstants::Regular));
}

void PdfWriter::EmitText(std::string_view codes) {
  // The baseline start, FontHeight below the top of the line; computed first so that an overflow
  // leaves no stream half written.
  const int64_t x = PageX(PositionX);
  const int64_t baseline = CheckedInt16(PositionY - MarginTop - FontHeight);
  BeginContentStream(false);
  Lines.Put("BT\r\n/F").Put(int64_t{FontIndex()}).Put(' ').Put(int64_t{FontHeight}).Put(" Tf\r\n");
  Lines.Put("1 0 0 1 ").Put(x).Put(' ').Put(baseline).Put(" Tm\r\n");
  Lines.Put("T* ").Put(Color).Put(" rg (");
  PutEscapedText(codes, Lines);
  Lines.Put(") Tj\r\nET\r\n");
  EndStream();
}

void PdfWriter::EmitLink(std::string_view hyperlink, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  const std::string target = UriLiteral(hyperlink);
  AnnotObjects.push_back(NewObject());
  Lines.AddLine("<<");
  Lines.AddLine("/Type /Annot");
  Lines.AddLine("/Subtype /Link");
  Lines.Put("/A << /URI (").Put(target).Put(") /S /URI >>").EndLine();
  Lines.AddLine("/Border [0 0 0]");
  Lines.AddLine("/C [0 0 0]");
  // Top-left corner first; y arrives in the PositionY scale.
  Lines.Put("/Rect [").Put(int64_t{PageX(x1)}).Put(' ').Put(int64_t{CheckedInt16(y1 - MarginTop)}).Put(' ');
  Lines.Put(int64_t{PageX(x2)}).Put(' ').Put(int64_t{CheckedInt16(y2 - MarginTop)}).Put(']').EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
}

}  // namespace paginor
