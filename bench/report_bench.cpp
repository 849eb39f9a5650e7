// The standard report: the same document every writer is measured with, so that figures can be
// compared over time and with other writers. Per page (A4 portrait): a page with margins and a
// background, a centred bold heading, 40 lines of text and five figures; the footer comes by itself.
// A second form puts a 200 by 60 logo (a JPEG of 24 bits, Flate) at the top of every page: the file is
// read on every page, but decoded and encoded once.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "standard_report.h"
#include "support/picture_writers.h"

namespace {

using namespace paginor;
using paginor::bench::WriteReportPage;

// The logo, made once in the temporary folder and removed at exit.
struct Logo {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("paginor-report-logo-" + std::to_string(::getpid()) + ".jpg")).string();
  Logo() {
    testing::JpegPicture logo;
    logo.width = 200;
    logo.height = 60;
    logo.quality = 90;
    // A logo as logos are drawn: flat colours on white, a square emblem, eight letter blocks and a bar.
    for (int y = 0; y < logo.height; ++y) {
      for (int x = 0; x < logo.width; ++x) {
        const bool emblem = x >= 8 && x < 52 && y >= 8 && y < 52;
        const bool letter = x >= 62 && x < 190 && (x - 62) % 16 < 12 && y >= 14 && y < 38;
        const bool bar = x >= 60 && x < 190 && y >= 44 && y < 48;
        const testing::Rgb colour = emblem ? testing::Rgb{20, 40, 120}
                                    : letter ? testing::Rgb{60, 60, 60}
                                    : bar    ? testing::Rgb{200, 30, 30}
                                             : testing::Rgb{255, 255, 255};
        logo.samples.insert(logo.samples.end(), colour.begin(), colour.end());
      }
    }
    testing::WriteJpeg(path, logo);
  }
  ~Logo() { std::filesystem::remove(path); }
};

double PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

template <typename Writer>
void StandardReport(benchmark::State& state, const char* extension, const std::string& logo = {}) {
  const int pages = static_cast<int>(state.range(0));
  const std::string path =
      (std::filesystem::temp_directory_path() / ("paginor-report-bench." + std::string(extension))).string();
  std::uintmax_t size = 0;
  for (auto _ : state) {
    Writer document;
    if (!document.Create(path)) {
      state.SkipWithError("cannot create the output file");
      return;
    }
    for (int page = 1; page <= pages; ++page) WriteReportPage(document, page, logo);
    if (!document.Flush()) {
      state.SkipWithError("the document did not reach the file");
      return;
    }
    size = std::filesystem::file_size(path);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  state.counters["pages"] = benchmark::Counter(static_cast<double>(pages) * static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
  // The process's peak so far: run the sizes in increasing order, so it belongs to the largest.
  state.counters["peak_MB"] = PeakMemoryBytes() / 1e6;
  state.counters["peak_per_file"] = PeakMemoryBytes() / static_cast<double>(size);
  std::filesystem::remove(path);
}

void PdfStandardReport(benchmark::State& state) { StandardReport<PDF>(state, "pdf"); }

void PdfStandardReportWithLogo(benchmark::State& state) {
  static const Logo logo;
  StandardReport<PDF>(state, "pdf", logo.path);
}

void PsStandardReport(benchmark::State& state) { StandardReport<PS>(state, "ps"); }

void PsStandardReportWithLogo(benchmark::State& state) {
  static const Logo logo;
  StandardReport<PS>(state, "ps", logo.path);
}

// The peak memory is the process's: run one format alone (--benchmark_filter=Ps) for its own figure.
BENCHMARK(PdfStandardReport)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(PdfStandardReportWithLogo)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(PsStandardReport)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(PsStandardReportWithLogo)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
