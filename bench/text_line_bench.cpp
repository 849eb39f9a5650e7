// The work a typical line of the standard report costs before it reaches the file: the conversion of its
// UTF-8 to Windows-1252, its measurement and its escaping as a string, each alone and then the whole
// line written by each format to /dev/null.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "fonts/font_catalogue.h"
#include "fonts/text_measure.h"
#include "output/line_buffer.h"
#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "pdf/pdf_strings.h"
#include "services/code_page.h"

namespace {

using namespace paginor;

// 72 characters, one pair of parentheses.
constexpr std::string_view Line = "Line 17 of page  123: the quick brown fox (jumps) over the lazy dog 2091";

// Takes the document's blocks and forgets them, so that the buffer stays at one chunk.
struct Discard final : BlockDestination {
  void Take(std::string_view) override {}
};

void Windows1252(benchmark::State& state) {
  std::string codes;
  for (auto _ : state) {
    codes.clear();
    AppendWindows1252(Line, codes);
    benchmark::DoNotOptimize(codes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Line.size()));
}
BENCHMARK(Windows1252);

void TextWidth(benchmark::State& state) {
  const FontCatalogue fonts;
  const FontFace& helvetica = fonts.Face(fonts.Standard(FontNumberConstants::Helvetica, FontStyleConstants::Regular));
  for (auto _ : state) {
    benchmark::DoNotOptimize(paginor::TextWidth(Line, helvetica, 10));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Line.size()));
}
BENCHMARK(TextWidth);

void PdfEscaping(benchmark::State& state) {
  Discard discard;
  LineBuffer lines;
  lines.Clear(&discard);
  for (auto _ : state) {
    PutEscapedText(Line, lines);
    benchmark::DoNotOptimize(lines.Offset());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Line.size()));
}
BENCHMARK(PdfEscaping);

// One WriteText of the line, with a new page whenever the page is full.
template <typename Writer>
void WholeLine(benchmark::State& state) {
  const std::string line(Line);
  Writer document;
  document.Create("/dev/null");
  document.SetFont(FontNumberConstants::Helvetica, 10, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  for (auto _ : state) {
    if (!document.WriteText(line, true, 2)) {
      document.NewPage(36, 36, 36, 36, 255, 255, 255);
      document.WriteText(line, true, 2);
    }
  }
  document.Flush();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Line.size()));
}
BENCHMARK(WholeLine<PDF>)->Name("PdfLine");
BENCHMARK(WholeLine<PS>)->Name("PsLine");

}  // namespace
