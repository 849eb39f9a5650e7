// OpenType and TrueType faces in PDF: text objects of shaped glyphs, and at the document's end a
// composite font per face drawn, with its subset, written through the object sink of the font module.
#include <functional>
#include <utility>

#include "pdf/pdf_writer.h"
#include "services/failure.h"
#include "typeset/document_fonts.h"
#include "typeset/pdf_font_objects.h"
#include "typeset/pdf_glyph_text.h"
#include "typeset/pdf_numbers.h"

namespace paginor {
namespace {

// The font objects' way into the document: numbers from the writer's count, objects at the current end.
class ObjectSink final : public typeset::PdfObjectSink {
 public:
  ObjectSink(LineBuffer& lines, std::function<int32_t()> reserve, std::function<void(int32_t)> start)
      : Lines(lines), Reserve(std::move(reserve)), Start(std::move(start)) {}

  uint32_t ReserveObject() override { return static_cast<uint32_t>(Reserve()); }

  void WriteDictionary(uint32_t number, std::string_view dictionary) override {
    Start(static_cast<int32_t>(number));
    Lines.Put(dictionary).EndLine();
    Lines.AddLine("endobj");
  }

  void WriteStream(uint32_t number, std::string_view entries, std::span<const uint8_t> data) override {
    Start(static_cast<int32_t>(number));
    Lines.Put("<<\r\n").Put(entries).Put("/Length ").Put(static_cast<int64_t>(data.size())).Put("\r\n>>\r\nstream\r\n");
    Lines.Put(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    Lines.Put("\r\nendstream\r\nendobj\r\n");
  }

 private:
  LineBuffer& Lines;
  std::function<int32_t()> Reserve;
  std::function<void(int32_t)> Start;
};

}  // namespace

void PdfWriter::PutGlyphObject(int64_t x, int64_t baseline, FontHandle font, int64_t height, Rgb colour,
                               std::span<const typeset::ShapedGlyph> glyphs) {
  const typeset::ChosenFace& chosen = Fonts.Face(font).openType;
  const std::string_view fill = Colours.Of(colour);
  GlyphText.assign("BT\r\n").append(fill).append(" rg\r\n");
  // A synthetic bold strokes the outlines in the text's colour too.
  if (chosen.SyntheticBold) GlyphText.append(fill).append(" RG\r\n");
  typeset::AppendPdfGlyphLine(GlyphText, glyphs, static_cast<double>(x), static_cast<double>(baseline),
                              static_cast<double>(height), chosen.SyntheticBold, chosen.SyntheticItalic,
                              [&](std::string& out, const typeset::OpenTypeFace& face) {
                                typeset::AppendNumber(out.append("/G"), OpenTypeObject(face));
                                typeset::AppendNumber(out.append(" "), height);
                                out += " Tf";
                              });
  // The text rendering mode belongs to the page's graphics state, which later text objects share.
  if (chosen.SyntheticBold) GlyphText += "0 Tr\r\n";
  GlyphText += "ET\r\n";
  Lines.Put(GlyphText);
}

int32_t PdfWriter::OpenTypeObject(const typeset::OpenTypeFace& face) {
  for (const auto& [drawn, object] : OpenTypeObjects) {
    if (drawn == &face) return object;
  }
  OpenTypeObjects.emplace_back(&face, ReserveObject());
  return OpenTypeObjects.back().second;
}

void PdfWriter::WriteOpenTypeFonts() {
  ObjectSink sink(
      Lines, [this] { return ReserveObject(); }, [this](int32_t number) { StartReservedObject(number); });
  for (const auto& [face, object] : OpenTypeObjects) {
    typeset::WritePdfFont(*face, Fonts.Typeset().Usage(*face), static_cast<uint32_t>(object), sink);
    const std::string_view needed = typeset::PdfVersionFor(*face);
    if (needed > VersionText && needed > RaisedVersion) RaisedVersion = needed;
  }
}

}  // namespace paginor
