// Text lines and link annotations in PDF.
#include "pdf/pdf_strings.h"
#include "pdf/pdf_writer.h"
#include "services/failure.h"

namespace paginor {

int PdfWriter::FontIndex() const {
  // Courier, Helvetica and Times have four styles each; Symbol is /F12 and ZapfDingbats /F13.
  return FontNumber < 4 ? (FontNumber - 1) * 4 + FontStyle - 1 : FontNumber + 8;
}

void PdfWriter::EmitText(std::string_view codes) {
  BeginContentStream(false);
  Lines.AddLine("BT");
  Lines.Put("/F").Put(int64_t{FontIndex()}).Put(' ').Put(int64_t{FontHeight}).Put(" Tf").EndLine();
  // The baseline start: FontHeight below the top of the line.
  Lines.Put("1 0 0 1 ").Put(int64_t{PageX(PositionX)}).Put(' ');
  Lines.Put(int64_t{CheckedInt16(PositionY - MarginTop - FontHeight)}).Put(" Tm").EndLine();
  Lines.Put("T* ").Put(Color).Put(" rg (");
  PutEscapedText(codes, Lines);
  Lines.Put(") Tj").EndLine();
  Lines.AddLine("ET");
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
