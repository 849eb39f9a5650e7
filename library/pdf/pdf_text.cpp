// Text lines and link annotations in PDF.
#include "core/footer_text.h"
#include "paginor/enumerations.h"
#include "pdf/pdf_strings.h"
#include "pdf/pdf_writer.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"

namespace paginor {

namespace {

// The resource index of a font: Courier, Helvetica and Times have four styles each, /F0 to /F11;
// Symbol is /F12 and ZapfDingbats /F13.
int FontIndexOf(int32_t fontnumber, int32_t fontstyle) {
  constexpr int StylesPerFont = 4;
  constexpr int SymbolFont = 12;
  switch (static_cast<FontNumberConstants>(fontnumber)) {
    case FontNumberConstants::Symbol:
      return SymbolFont;
    case FontNumberConstants::ZapfDingbats:
      return SymbolFont + 1;
    case FontNumberConstants::Courier:
    case FontNumberConstants::Helvetica:
    case FontNumberConstants::Times:
      break;
  }
  return (fontnumber - Code(FontNumberConstants::Courier)) * StylesPerFont +
         (fontstyle - Code(FontStyleConstants::Regular));
}

}  // namespace

int PdfWriter::FontIndex() const { return FontIndexOf(FontNumber, FontStyle); }

void PdfWriter::PutTextObject(int64_t x, int64_t baseline, int font, int64_t height, std::string_view color,
                              std::string_view codes) {
  Lines.Put("BT\r\n/F").Put(int64_t{font}).Put(' ').Put(height).Put(" Tf\r\n");
  Lines.Put("1 0 0 1 ").Put(x).Put(' ').Put(baseline).Put(" Tm\r\n");
  Lines.Put("T* ").Put(color).Put(" rg (");
  PutEscapedText(codes, Lines);
  Lines.Put(") Tj\r\nET\r\n");
}

void PdfWriter::EmitText(std::string_view codes) {
  // The baseline start, FontHeight below the top of the line; computed first so that an overflow
  // leaves no stream half written.
  const int64_t x = PageX(PositionX);
  const int64_t baseline = CheckedInt16(PositionY - MarginTop - FontHeight);
  BeginContentStream(false);
  PutTextObject(x, baseline, FontIndex(), FontHeight, Color, codes);
  EndStream();
}

void PdfWriter::EmitCountedFooter(std::string_view codes, int32_t page) {
  CountedFooter footer;
  footer.page = page;
  footer.left = PageX(0);
  footer.width = AvailableWidth();
  footer.baseline = CheckedInt16(PositionY - MarginTop - FontHeight);
  footer.fontNumber = static_cast<int8_t>(FontNumber);
  footer.fontStyle = static_cast<int8_t>(FontStyle);
  footer.fontHeight = FontHeight;
  if (FooterTexts.empty() || FooterTexts.back().codes != codes || FooterTexts.back().color != Color) {
    FooterTexts.push_back({std::string(codes), Color});
  }
  footer.text = static_cast<uint32_t>(FooterTexts.size() - 1);
  footer.object = ReserveObject();
  ReserveObject();  // its length
  footer.closesState = StateSaved;
  CountedFooters.push_back(footer);
  ContentObjects.push_back(footer.object);
  StateSaved = false;
}

void PdfWriter::WriteCountedFooters() {
  const auto pages = static_cast<int64_t>(PageObjects.size());
  for (const CountedFooter& footer : CountedFooters) {
    const FooterText& text = FooterTexts[footer.text];
    const std::string codes = FilledFooter(text.codes, footer.page, pages);
    const int16_t width = Services.TextWidth(codes, footer.fontNumber, footer.fontHeight, footer.fontStyle);
    StartReservedObject(footer.object);
    PutStreamDictionary(footer.object, {});
    BeginStream();
    if (footer.closesState) Lines.AddLine("Q");
    if (width <= footer.width) {
      // Centred as every footer is.
      const int64_t x = footer.left + Services.AlignmentOffset(footer.width, width, Code(AlignmentConstants::Center));
      PutTextObject(x, footer.baseline, FontIndexOf(footer.fontNumber, footer.fontStyle), footer.fontHeight,
                    text.color, codes);
    } else if (!footer.closesState) {
      Lines.EndLine();  // a footer too wide for its page is left out, as on every page; the stream stays valid
    }
    EndStream(footer.object + 1);
  }
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
