// Decoding speed of large pictures through LoadImage: a 4000 by 3000 colour JPEG (baseline and
// progressive) and a 2000 by 2000 GIF of 256 colours, made at start in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "services/enumerations.h"
#include "support/picture_writers.h"

namespace {

namespace fs = std::filesystem;
using paginor::testing::GifPicture;
using paginor::testing::JpegPicture;

// A folder of its own with the pictures, removed at exit.
struct PictureFolder {
  fs::path folder = fs::temp_directory_path() / ("paginor-bench-" + std::to_string(::getpid()));
  std::string jpeg = (folder / "large.jpg").string();
  std::string progressive = (folder / "progressive.jpg").string();
  std::string gif = (folder / "large.gif").string();

  PictureFolder() {
    fs::create_directories(folder);
    uint32_t noise = 12345;
    auto next = [&noise] {  // small noise, 0 to 15, so that the pictures do not compress to nothing
      noise = noise * 1103515245u + 12345u;
      return static_cast<int>((noise >> 16) & 15);
    };
    JpegPicture photo;
    photo.width = 4000;
    photo.height = 3000;
    photo.quality = 85;
    photo.samples.reserve(4000u * 3000u * 3u);
    for (int y = 0; y < photo.height; ++y) {
      for (int x = 0; x < photo.width; ++x) {
        photo.samples.push_back(static_cast<uint8_t>(x / 16 + next()));
        photo.samples.push_back(static_cast<uint8_t>(y / 12 + next()));
        photo.samples.push_back(static_cast<uint8_t>((x + y) / 28 + next()));
      }
    }
    paginor::testing::WriteJpeg(jpeg, photo);
    photo.progressive = true;
    paginor::testing::WriteJpeg(progressive, photo);

    GifPicture drawing;
    drawing.screenWidth = drawing.width = 2000;
    drawing.screenHeight = drawing.height = 2000;
    for (int index = 0; index < 256; ++index) {
      const auto level = static_cast<uint8_t>(index);
      drawing.globalColours.push_back({level, static_cast<uint8_t>(255 - level), static_cast<uint8_t>(level / 2)});
    }
    drawing.indices.reserve(2000u * 2000u);
    for (int y = 0; y < 2000; ++y) {
      for (int x = 0; x < 2000; ++x) drawing.indices.push_back(static_cast<uint8_t>((x / 10) ^ (y / 10) ^ next()));
    }
    paginor::testing::WriteGif(gif, drawing);
  }
  ~PictureFolder() { fs::remove_all(folder); }
};

const PictureFolder& Pictures() {
  static const PictureFolder pictures;
  return pictures;
}

void Decode(benchmark::State& state, const std::string& file) {
  const paginor::Enumerations services;
  size_t bytes = 0;
  for (auto _ : state) {
    paginor::PictureDescription picture;
    if (!services.LoadImage(file, picture)) state.SkipWithError("the picture did not load");
    bytes = picture.pixels.size();
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
  state.counters["pixel_bytes"] = static_cast<double>(bytes);
}

void BM_Jpeg4000x3000(benchmark::State& state) { Decode(state, Pictures().jpeg); }
void BM_JpegProgressive4000x3000(benchmark::State& state) { Decode(state, Pictures().progressive); }
void BM_Gif2000x2000(benchmark::State& state) { Decode(state, Pictures().gif); }

BENCHMARK(BM_Jpeg4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegProgressive4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif2000x2000)->Unit(benchmark::kMillisecond);

}  // namespace
