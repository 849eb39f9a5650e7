// Decoding speed of large pictures through LoadImage: a 4000 by 3000 colour JPEG (baseline and
// progressive), a 2000 by 2000 GIF of 256 colours and a 2000 by 2000 PNG of colour and opacity, made at
// start in a temporary folder; and decoding and embedding the JPEG and the PNG in a PDF document with
// Flate. Throughput counts the decoded pixel bytes (the PNG's opacity included).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "paginor/pdf.h"
#include "photo_pixels.h"
#include "services/picture_codec.h"
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
  std::string png = (folder / "large.png").string();
  std::string output = (folder / "embedded.pdf").string();

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

    // A photo with an opacity that falls from opaque at the top to clear at the bottom, as a cut-out
    // with a soft shadow has.
    constexpr size_t Side = 2000;
    const std::vector<uint8_t> cutout = paginor::bench::PhotoPixels(Side * Side * 3, Side);
    std::vector<uint8_t> rgba;
    rgba.reserve(Side * Side * 4);
    for (size_t pixel = 0; pixel < Side * Side; ++pixel) {
      rgba.insert(rgba.end(), cutout.begin() + static_cast<std::ptrdiff_t>(pixel * 3),
                  cutout.begin() + static_cast<std::ptrdiff_t>(pixel * 3 + 3));
      rgba.push_back(static_cast<uint8_t>(255 - pixel / Side * 255 / (Side - 1)));
    }
    paginor::testing::WriteRgbaPng(png, static_cast<int>(Side), static_cast<int>(Side), rgba);
  }
  ~PictureFolder() { fs::remove_all(folder); }
};

const PictureFolder& Pictures() {
  static const PictureFolder pictures;
  return pictures;
}

void Decode(benchmark::State& state, const std::string& file) {
  const paginor::PictureCodec services;
  size_t bytes = 0;
  for (auto _ : state) {
    paginor::PictureDescription picture;
    if (!services.LoadImage(file, picture)) state.SkipWithError("the picture did not load");
    bytes = picture.pixels.size() + picture.opacity.size();
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
  state.counters["pixel_bytes"] = static_cast<double>(bytes);
}

// Decodes the picture and embeds it, fitted into a box, in a fresh PDF document each time (so nothing
// comes from the picture cache); pixelbytes is the size of its decoded pixels.
void DecodeAndEmbed(benchmark::State& state, const std::string& file, size_t pixelbytes) {
  for (auto _ : state) {
    paginor::PDF pdf;
    if (!pdf.Create(Pictures().output)) state.SkipWithError("cannot create the output file");
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    pdf.SetPictureDimensions(500, 500);
    if (!pdf.DrawPicture(file, paginor::AlignmentConstants::NoAlignment, "", paginor::EncodingConstants::Flate)) {
      state.SkipWithError("the picture was not drawn");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(pixelbytes * state.iterations()));
}

void BM_Jpeg4000x3000(benchmark::State& state) { Decode(state, Pictures().jpeg); }
void BM_JpegProgressive4000x3000(benchmark::State& state) { Decode(state, Pictures().progressive); }
void BM_Gif2000x2000(benchmark::State& state) { Decode(state, Pictures().gif); }
void BM_PngRgba2000x2000(benchmark::State& state) { Decode(state, Pictures().png); }
void BM_EmbedJpeg4000x3000(benchmark::State& state) { DecodeAndEmbed(state, Pictures().jpeg, 4000u * 3000u * 3u); }
void BM_EmbedPngRgba2000x2000(benchmark::State& state) { DecodeAndEmbed(state, Pictures().png, 2000u * 2000u * 4u); }

BENCHMARK(BM_Jpeg4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegProgressive4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif2000x2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngRgba2000x2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmbedJpeg4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmbedPngRgba2000x2000)->Unit(benchmark::kMillisecond);

}  // namespace
