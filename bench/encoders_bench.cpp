// Throughput of the four stream encodings on 16 MB of picture-like pixel data, with the zlib library's
// own one-call compression at level 6 beside Flate as the reference.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "paginor/enumerations.h"
#include "services/enumerations.h"

namespace {

constexpr size_t PictureBytes = 16u << 20;
constexpr size_t PictureWidth = 2048;  // pixels of three bytes per row

// A deterministic photo-like RGB picture: smooth colour gradients with a little noise, and flat areas
// (a white band at the top and a few solid grey rectangles), as scanned or rendered pictures have.
const std::vector<uint8_t>& Picture() {
  static const std::vector<uint8_t> picture = [] {
    std::vector<uint8_t> bytes(PictureBytes);
    uint32_t state = 2463534242u;
    auto noise = [&state] {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      return static_cast<int>(state % 9) - 4;
    };
    for (size_t index = 0; index < PictureBytes; ++index) {
      const size_t pixel = index / 3;
      const size_t channel = index % 3;
      const double x = static_cast<double>(pixel % PictureWidth);
      const double y = static_cast<double>(pixel / PictureWidth);
      const bool whiteband = y < 300;
      const bool block = static_cast<size_t>(x) / 256 % 3 == 1 && static_cast<size_t>(y) / 256 % 4 == 2;
      int value = 0;
      if (whiteband) {
        value = 255;
      } else if (block) {
        value = 96;
      } else {
        const double wave = std::sin(x / (90.0 + 30.0 * static_cast<double>(channel))) * std::cos(y / 140.0);
        value = static_cast<int>(128.0 + 100.0 * wave) + noise();
      }
      bytes[index] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
    }
    return bytes;
  }();
  return picture;
}

void EncodePicture(benchmark::State& state, paginor::EncodingConstants encoding) {
  const std::vector<uint8_t>& picture = Picture();
  const paginor::Enumerations services;
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
