// Throughput of the four stream encodings on 16 MB of picture-like pixel data, with the zlib library's
// own one-call compression at level 6 beside Flate as the reference.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "paginor/enumerations.h"
#include "photo_pixels.h"
#include "services/picture_codec.h"

namespace {

constexpr size_t PictureBytes = 16u << 20;
constexpr size_t PictureWidth = 2048;  // pixels of three bytes per row

const std::vector<uint8_t>& Picture() {
  static const std::vector<uint8_t> picture = paginor::bench::PhotoPixels(PictureBytes, PictureWidth);
  return picture;
}

void EncodePicture(benchmark::State& state, paginor::EncodingConstants encoding) {
  const std::vector<uint8_t>& picture = Picture();
  const paginor::PictureCodec services;
  size_t encoded = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> result = services.EncodeData(picture, static_cast<int32_t>(encoding));
    encoded = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.size()));
  state.counters["out/in"] = static_cast<double>(encoded) / static_cast<double>(picture.size());
}

void ZlibCompress2Level6(benchmark::State& state) {
  const std::vector<uint8_t>& picture = Picture();
  uLongf encoded = 0;
  for (auto _ : state) {
    std::vector<uint8_t> result(compressBound(picture.size()));
    encoded = result.size();
    if (compress2(result.data(), &encoded, picture.data(), picture.size(), 6) != Z_OK) {
      state.SkipWithError("compression failed");
    }
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.size()));
  state.counters["out/in"] = static_cast<double>(encoded) / static_cast<double>(picture.size());
}

using paginor::EncodingConstants;
BENCHMARK_CAPTURE(EncodePicture, ASCII85, EncodingConstants::ASCII85)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodePicture, ASCIIHex, EncodingConstants::ASCIIHex)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodePicture, RunLength, EncodingConstants::RunLength)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodePicture, Flate, EncodingConstants::Flate)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibCompress2Level6)->Unit(benchmark::kMillisecond);

}  // namespace
