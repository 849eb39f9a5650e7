// The text engine on a typical line of the standard report in DejaVu Sans: shaping it, then the PDF
// operators that draw it, and a paragraph wrapped into lines.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "typeset/document_fonts.h"
#include "typeset/line_breaks.h"
#include "typeset/pdf_glyph_text.h"

namespace {

using namespace paginor::typeset;

// 72 characters, one pair of parentheses.
constexpr std::string_view Line = "Line 17 of page  123: the quick brown fox (jumps) over the lazy dog 2091";

ChosenFace DejaVuSans(DocumentFonts& fonts) {
  return *fonts.Choose("DejaVu Sans", paginor::FontStyleConstants::Regular);
}

void ShapeLine(benchmark::State& state) {
  DocumentFonts fonts;
  const ChosenFace face = DejaVuSans(fonts);
  Shaper shaper;
  FaceSet faces;
  std::vector<ShapedGlyph> glyphs;
  for (auto _ : state) {
    shaper.Shape(Line, *face.Face, face.Style, faces, glyphs);
    benchmark::DoNotOptimize(glyphs.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Line.size()));
}
BENCHMARK(ShapeLine);

void PdfGlyphOperators(benchmark::State& state) {
  DocumentFonts fonts;
  const ChosenFace face = DejaVuSans(fonts);
  const std::vector<ShapedGlyph> glyphs = fonts.Shape(Line, face);
  std::string out;
  for (auto _ : state) {
    out.clear();
    AppendPdfGlyphs(out, glyphs, 10, [](std::string& text, const OpenTypeFace&) { text += "/F14 10 Tf"; });
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(PdfGlyphOperators);

void WrapParagraph(benchmark::State& state) {
  DocumentFonts fonts;
  const ChosenFace face = DejaVuSans(fonts);
  std::string paragraph;
  for (int n = 0; n < 8; ++n) paragraph += std::string(Line) + ' ';
  for (auto _ : state) {
    const auto lines = paginor::typeset::WrapParagraph(
        paragraph, 400, [&](std::string_view text) { return fonts.Width(text, face, 10); });
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * paragraph.size()));
}
BENCHMARK(WrapParagraph);

}  // namespace
