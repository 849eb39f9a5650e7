// Fuzz target: font loading and shaping on arbitrary bytes. The input is a font file followed by a
// text: the last byte gives the text's length (0 to 255 bytes before it), the one before it the face
// index. A face that opens is shaped in both directions, its glyphs recorded, subset and written as
// PDF objects into a sink that keeps nothing; the text's words that the face leaves plain are checked
// against shaping.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "support/plain_words.h"
#include "typeset/pdf_font_objects.h"
#include "typeset/pdf_glyph_text.h"

namespace {

class DiscardingSink : public paginor::typeset::PdfObjectSink {
 public:
  uint32_t ReserveObject() override { return ++Last; }
  void WriteDictionary(uint32_t, std::string_view dictionary) override { Bytes += dictionary.size(); }
  void WriteStream(uint32_t, std::string_view entries, std::span<const uint8_t> data) override {
    Bytes += entries.size() + data.size();
  }
  uint32_t Last = 0;
  size_t Bytes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace paginor::typeset;
  if (size < 2) return 0;
  const size_t textLength = std::min<size_t>(data[size - 1], size - 2);
  const uint32_t index = data[size - 2] % 4;
  const size_t fontLength = size - 2 - textLength;
  const std::string text(reinterpret_cast<const char*>(data + fontLength), textLength);
  const auto face = OpenTypeFace::FromBytes(std::span<const uint8_t>(data, fontLength), index);
  if (face == nullptr) return 0;
  FaceSet faces;  // fallback faces come from the installed fonts
  Shaper shaper;
  std::vector<ShapedGlyph> glyphs;
  GlyphUsage usage;
  std::string operators;
  for (const std::string& line : {text, "Office \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D " + text}) {
    shaper.Shape(line, *face, paginor::FontStyleConstants::Regular, faces, glyphs);
    for (const ShapedGlyph& glyph : glyphs) {
      if (glyph.Face == face.get()) {
        usage.Record(glyph.Glyph, line.substr(glyph.TextBegin, glyph.TextEnd - glyph.TextBegin), face->GlyphCount());
      }
    }
    AppendPdfGlyphs(operators, glyphs, 12, [](std::string& out, const OpenTypeFace&) { out += "/F1 12 Tf"; });
  }
  // Words that shaping is skipped for must be what shaping gives.
  for (size_t begin = 0; begin < text.size();) {
    const size_t end = std::min(text.find(' ', begin), text.size());
    const std::string_view word = std::string_view(text).substr(begin, end - begin);
    begin = end + 1;
    bool printable = !word.empty();
    for (const char c : word) printable = printable && c > ' ' && c <= '~';
    if (printable && face->Plain().Holds(word) && !paginor::testing::ShapedAsPlain(*face, word)) std::abort();
  }
  DiscardingSink sink;
  WritePdfFont(*face, usage, sink.ReserveObject(), sink);
  return 0;
}
