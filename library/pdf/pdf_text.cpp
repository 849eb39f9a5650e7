// Text lines and link annotations in PDF.
#include "core/footer_text.h"
#include "fonts/text_measure.h"
#include "paginor/enumerations.h"
#include "pdf/pdf_strings.h"
#include "pdf/pdf_writer.h"
#include "services/alignment.h"
#include "services/failure.h"
#include "typeset/document_fonts.h"

#include <cmath>

namespace paginor {

void PdfWriter::PutTextObject(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                              std::string_view codes) {
  // The resource of a face is /F and its handle's number.
  Lines.Put("BT\r\n/F").Put(int64_t{font.index}).Put(' ').Put(height).Put(" Tf\r\n");
  Lines.Put("1 0 0 1 ").Put(x).Put(' ').Put(baseline).Put(" Tm\r\n");
  // Compact pages leave a leading set for their own lines, which T* would move by.
  if (!Compact) Lines.Put("T* ");
  Lines.Put(Colours.Of(colour)).Put(" rg (");
  PutEscapedText(codes, Lines);
  Lines.Put(") Tj\r\nET\r\n");
}

void PdfWriter::DrawText(const TextRun& run) {
  // The faces' font objects are numbered before the stream, whose length takes the number after it.
  const typeset::OpenTypeFace* face = nullptr;
  for (const typeset::ShapedGlyph& glyph : run.glyphs) {
    if (glyph.Face != face) OpenTypeObject(*(face = glyph.Face));
  }
  BeginContentStream(false);
  if (run.glyphs.empty() && Compact) {
    PutPageText(run.origin.x, run.origin.y, run.font, run.size, run.colour, run.codes);
  } else if (run.glyphs.empty()) {
    PutTextObject(run.origin.x, run.origin.y, run.font, run.size, run.colour, run.codes);
  } else {
    if (Compact) EndPageText();
    PutGlyphObject(run.origin.x, run.origin.y, run.font, run.size, run.colour, run.glyphs);
    PageText.fontKnown = PageText.fillKnown = false;
  }
  EndStream();
}

void PdfWriter::DrawCountedFooter(const CountedFooter& counted) {
  // Its stream, written at the document's end, follows what the page drew before it.
  WritePageStream();
  PendingFooter footer;
  footer.page = counted.page;
  footer.left = counted.left;
  footer.width = counted.width;
  footer.baseline = counted.baseline;
  footer.font = counted.font;
  footer.fontHeight = counted.size;
  if (FooterTexts.empty() || FooterTexts.back().codes != counted.codes || FooterTexts.back().colour != counted.colour) {
    FooterTexts.push_back({std::string(counted.codes), counted.colour});
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
  for (const PendingFooter& footer : CountedFooters) {
    const FooterText& text = FooterTexts[footer.text];
    const std::string codes = FilledFooter(text.codes, footer.page, pages);
    // A footer in an OpenType face is shaped now that its text is complete.
    const typeset::ChosenFace& openType = Fonts.Face(footer.font).openType;
    std::vector<typeset::ShapedGlyph> glyphs;
    if (openType.Face != nullptr) glyphs = Fonts.Typeset().Shape(codes, openType);
    for (const typeset::ShapedGlyph& glyph : glyphs) OpenTypeObject(*glyph.Face);
    const int16_t width = openType.Face != nullptr
                              ? CheckedInt16(static_cast<int64_t>(std::nearbyint(typeset::ShapedWidth(glyphs, footer.fontHeight))))
                              : TextWidth(codes, Fonts.Face(footer.font), footer.fontHeight);
    StartReservedObject(footer.object);
    PutStreamDictionary(footer.object, {});
    BeginStream();
    if (footer.closesState) Lines.AddLine("Q");
    if (width <= footer.width) {
      // Centred as every footer is.
      const int64_t x = footer.left + AlignmentOffset(footer.width, width, AlignmentConstants::Center);
      if (openType.Face != nullptr) {
        Fonts.Typeset().RecordDrawn(codes, glyphs);
        PutGlyphObject(x, footer.baseline, footer.font, footer.fontHeight, text.colour, glyphs);
      } else {
        PutTextObject(x, footer.baseline, footer.font, footer.fontHeight, text.colour, codes);
      }
    } else if (!footer.closesState) {
      Lines.EndLine();  // a footer too wide for its page is left out, as on every page; the stream stays valid
    }
    EndStream(footer.object + 1);
  }
}

void PdfWriter::DrawLink(std::string_view uri, const PageRect& area) {
  const std::string target = UriLiteral(uri);
  AnnotObjects.push_back(NewObject());
  Lines.AddLine("<<");
  Lines.AddLine("/Type /Annot");
  Lines.AddLine("/Subtype /Link");
  Lines.Put("/A << /URI (").Put(target).Put(") /S /URI >>").EndLine();
  Lines.AddLine("/Border [0 0 0]");
  Lines.AddLine("/C [0 0 0]");
  // Top-left corner first.
  Lines.Put("/Rect [").Put(int64_t{area.left}).Put(' ').Put(int64_t{area.top}).Put(' ');
  Lines.Put(int64_t{area.right}).Put(' ').Put(int64_t{area.bottom}).Put(']').EndLine();
  Lines.AddLine(">>");
  Lines.AddLine("endobj");
}

}  // namespace paginor
