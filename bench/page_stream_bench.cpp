// Compressing one page's content stream, as compact PDF output does at every page's end: the content of
// one page of the standard report (page 2500, in the middle of the 5,000-page report) as compact output
// writes it before compression. libdeflate (the page-stream compressor) at its levels against zlib at
// its own, with one zlib stream reset for every page as a writer would keep it; "bytes" is the
// compressed size.
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

// The page's content: the one Flate stream of a compact one-page document without pictures, inflated.
std::string PageContent() {
  paginor::PDF pdf;
  pdf.SetCompact(true);
  pdf.CreateInMemory();
  paginor::bench::WriteReportPage(pdf, ReportPage);
  pdf.Flush();
  const std::string document = pdf.TakeOutput();
  constexpr std::string_view Begin = "/FlateDecode\r\n>>\r\nstream\r\n";
  const size_t start = document.find(Begin) + Begin.size();
  const size_t end = document.find("endstream", start);
  std::string content(1 << 16, '\0');
  uLongf size = content.size();
  if (start < Begin.size() || end == std::string::npos ||
      uncompress(reinterpret_cast<Bytef*>(content.data()), &size,
                 reinterpret_cast<const Bytef*>(document.data() + start), end - start) != Z_OK) {
    return {};
  }
  content.resize(size);
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
  z_stream stream{};
  if (deflateInit(&stream, static_cast<int>(state.range(0))) != Z_OK) {
    state.SkipWithError("no zlib stream");
    return;
  }
  std::vector<uint8_t> compressed(deflateBound(&stream, page.size()));
  for (auto _ : state) {
    deflateReset(&stream);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(page.data()));
    stream.avail_in = static_cast<uInt>(page.size());
    stream.next_out = compressed.data();
    stream.avail_out = static_cast<uInt>(compressed.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) state.SkipWithError("compression failed");
    benchmark::DoNotOptimize(compressed.data());
  }
  Count(state, stream.total_out);
  deflateEnd(&stream);
}

BENCHMARK(Libdeflate)->Arg(1)->Arg(3)->Arg(6)->Arg(9)->Unit(benchmark::kMicrosecond);
BENCHMARK(Zlib)->Arg(1)->Arg(4)->Arg(6)->Arg(9)->Unit(benchmark::kMicrosecond);

}  // namespace
