// Embedding a large picture in a PDF document with each of the four encodings: a 2000 by 2000 photo of
// 24 bits from a BMP file, loaded, encoded and appended by DrawPicture in a fresh document each time
// (so nothing comes from the picture cache). zlib's own one-call compression of the same pixel rows at
// the same level is the reference for Flate. Throughput counts the picture's pixel bytes.
#include <benchmark/benchmark.h>
#include <zlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "paginor/pdf.h"
#include "photo_pixels.h"
#include "services/picture_codec.h"
#include "support/picture_writers.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using paginor::EncodingConstants;

constexpr int Side = 2000;
constexpr size_t PixelBytes = size_t{Side} * Side * 3;

// The photo as a BMP file and the output path, in a folder of their own removed at exit.
struct Files {
  fs::path folder = fs::temp_directory_path() / ("paginor-picture-bench-" + std::to_string(::getpid()));
  std::string picture = (folder / "photo.bmp").string();
  std::string output = (folder / "embedded.pdf").string();

  Files() {
    fs::create_directories(folder);
    const std::vector<uint8_t> photo = paginor::bench::PhotoPixels(PixelBytes, Side);
    paginor::testing::BmpFile bmp = paginor::testing::Bmp(Side, -Side);  // rows stored top row first
    bmp.rows.reserve(PixelBytes);
    for (size_t pixel = 0; pixel < PixelBytes; pixel += 3) {  // blue, green, red
      bmp.rows += {static_cast<char>(photo[pixel + 2]), static_cast<char>(photo[pixel + 1]),
                   static_cast<char>(photo[pixel])};
    }
    paginor::testing::WriteFile(picture, bmp.Bytes());
  }
  ~Files() { fs::remove_all(folder); }
};

const Files& Made() {
  static const Files files;
  return files;
}

void EmbedPhoto(benchmark::State& state, EncodingConstants encoding) {
  const Files& files = Made();
  for (auto _ : state) {
    paginor::PDF pdf;
    if (!pdf.Create(files.output)) state.SkipWithError("cannot create the output file");
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    pdf.SetPictureDimensions(500, 500);
    if (!pdf.DrawPicture(files.picture, paginor::AlignmentConstants::NoAlignment, "", encoding)) {
      state.SkipWithError("the picture was not drawn");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PixelBytes));
}

void ZlibCompress2Level6(benchmark::State& state) {
  paginor::PictureDescription picture;
  if (!paginor::PictureCodec().LoadImage(Made().picture, picture)) state.SkipWithError("no picture");
  std::vector<uint8_t> result(compressBound(picture.pixels.size()));
  for (auto _ : state) {
    uLongf encoded = result.size();
    if (compress2(result.data(), &encoded, picture.pixels.data(), picture.pixels.size(), 6) != Z_OK) {
      state.SkipWithError("compression failed");
    }
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PixelBytes));
}

BENCHMARK_CAPTURE(EmbedPhoto, ASCII85, EncodingConstants::ASCII85)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EmbedPhoto, ASCIIHex, EncodingConstants::ASCIIHex)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EmbedPhoto, RunLength, EncodingConstants::RunLength)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EmbedPhoto, Flate, EncodingConstants::Flate)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibCompress2Level6)->Unit(benchmark::kMillisecond);

}  // namespace
