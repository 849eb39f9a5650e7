// Draws the demo's sample picture, a landscape of 240 x 180 pixels with a sky, a sun and two hills,
// and writes it as a GIF file with a palette of 32 colours. Used at build time:
//   make_sample_gif OUTPUT.gif
#include <fcntl.h>
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Width = 240;
constexpr int Height = 180;
constexpr int SkyShades = 16;
enum : GifPixelType { Sun = SkyShades, SunRim, FarHill, NearHill, Lake, Shine };
constexpr int PaletteSize = 32;

std::array<GifColorType, PaletteSize> Palette() {
  std::array<GifColorType, PaletteSize> palette{};
  for (int shade = 0; shade < SkyShades; ++shade) {  // from deep blue at the top to pale at the horizon
    palette[static_cast<size_t>(shade)] = {static_cast<GifByteType>(60 + shade * 10),
                                           static_cast<GifByteType>(110 + shade * 8),
                                           static_cast<GifByteType>(200 + shade * 3)};
  }
  palette[Sun] = {255, 221, 64};
  palette[SunRim] = {255, 170, 40};
  palette[FarHill] = {96, 160, 72};
  palette[NearHill] = {48, 112, 48};
  palette[Lake] = {64, 120, 200};
  palette[Shine] = {200, 225, 255};
  return palette;
}

GifPixelType PixelAt(int x, int y) {
  const double sunDistance = std::hypot(x - 182.0, y - 42.0);
  const double farHill = 108.0 + 16.0 * std::sin(x / 31.0) + 6.0 * std::sin(x / 11.0);
  const double nearHill = 136.0 + 14.0 * std::sin(x / 23.0 + 1.5);
  const double lake = std::hypot((x - 70.0) / 46.0, (y - 160.0) / 11.0);
  if (y > nearHill) {
    if (lake < 1.0) return (y == 158 && x % 9 < 5) ? Shine : Lake;
    return NearHill;
  }
  if (y > farHill) return FarHill;
  if (sunDistance < 20.0) return Sun;
  if (sunDistance < 24.0) return SunRim;
  return static_cast<GifPixelType>(std::min(SkyShades - 1, y * SkyShades / 130));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s OUTPUT.gif\n", argv[0]);
    return 2;
  }
  int error = 0;
  // Opened here rather than by giflib, which would make the file readable by its owner alone.
  const int handle = ::open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  GifFileType* gif = handle < 0 ? nullptr : EGifOpenFileHandle(handle, &error);
  if (gif == nullptr) {
    std::fprintf(stderr, "%s: cannot create %s: %s\n", argv[0], argv[1], GifErrorString(error));
    return 1;
  }
  std::array<GifColorType, PaletteSize> colours = Palette();
  ColorMapObject* palette = GifMakeMapObject(PaletteSize, colours.data());
  bool written = palette != nullptr && EGifPutScreenDesc(gif, Width, Height, 5, 0, palette) == GIF_OK &&
                 EGifPutImageDesc(gif, 0, 0, Width, Height, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> row(Width);
  for (int y = 0; written && y < Height; ++y) {
    for (int x = 0; x < Width; ++x) row[static_cast<size_t>(x)] = PixelAt(x, y);
    written = EGifPutLine(gif, row.data(), Width) == GIF_OK;
  }
  GifFreeMapObject(palette);
  written = EGifCloseFile(gif, &error) == GIF_OK && written;
  if (!written) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
