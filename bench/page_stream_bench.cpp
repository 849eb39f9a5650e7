// Compressing one page's content stream, as compact PDF output does at every page's end: the drawing and
// text of one page of the standard report (page 2500, in the middle of the 5,000-page report), as the
// default output writes it in separate streams, put together. libdeflate (the page-stream compressor) at
// its levels against zlib's one-call compression at its own; "bytes" is the compressed size.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoders/page_stream_compressor.h"
#include "paginor/pdf.h"
#include "standard_report.h"

namespace {

constexpr int ReportPage = 2500;

// The data of every stream of a one-page document without pictures, in order: that page's content.
std::string PageContent() {
  paginor::PDF pdf;
  pdf.CreateInMemory();
  paginor::bench::WriteReportPage(pdf, ReportPage);
  pdf.Flush();
  const std::string document = pdf.TakeOutput();
  constexpr std::string_view Begin = "stream\r\n";
  constexpr std::string_view End = "endstream";
  std::string content;
  for (size_t start = document.find(Begin); start != std::string::npos; start = document.find(Begin, start)) {
    start += Begin.size();
    const size_t end = document.find(End, start);
    content.append(document, start, end - start);
    start = end + End.size();
  }
  return content;
}

const std::string& Page() {
  static const std::string page = PageContent();
  return page;
}

void Count(benchmark::State& state, size_t compressed) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
  state.counters["in"] = static_cast<double>(Page().size());
  state.counters["bytes"] = static_cast<double>(compressed);
}

void Libdeflate(benchmark::State& state) {
  const paginor::PageStreamCompressor compressor(static_cast<int>(state.range(0)));
  std::vector<uint8_t> stream;
  for (auto _ : state) {
    if (!compressor.Compress(Page(), stream)) state.SkipWithError("compression failed");
    benchmark::DoNotOptimize(stream.data());
  }
  Count(state, stream.size());
}

void Zlib(benchmark::State& state) {
  const std::string& page = Page();
  std::vector<uint8_t> stream(compressBound(page.size()));
  uLongf compressed = 0;
  for (auto _ : state) {
    compressed = stream.size();
    if (compress2(stream.data(), &compressed, reinterpret_cast<const Bytef*>(page.data()), page.size(),
                  static_cast<int>(state.range(0))) != Z_OK) {
      state.SkipWithError("compression failed");
    }
    benchmark::DoNotOptimize(stream.data());
  }
  Count(state, compressed);
}

BENCHMARK(Libdeflate)->Arg(1)->Arg(3)->Arg(6)->Arg(9)->Unit(benchmark::kMicrosecond);
BENCHMARK(Zlib)->Arg(1)->Arg(4)->Arg(6)->Arg(9)->Unit(benchmark::kMicrosecond);

}  // namespace
