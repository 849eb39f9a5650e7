#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "services/picture_decoders.h"
#include "services/picture_limits.h"

namespace paginor {

namespace {

// The file's bytes as giflib reads them.
struct GifInput {
  std::span<const uint8_t> bytes;
  size_t position = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
  auto* input = static_cast<GifInput*>(gif->UserData);
  const size_t count = std::min(static_cast<size_t>(std::max(length, 0)), input->bytes.size() - input->position);
  std::memcpy(buffer, input->bytes.data() + input->position, count);
  input->position += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Skips extension blocks up to the first image descriptor; false at the end of the file or on an error.
bool FindFirstImage(GifFileType* gif) {
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) return false;
    if (record == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) != GIF_ERROR;
    if (record != EXTENSION_RECORD_TYPE) return false;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    while (block != nullptr) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
  }
}

// The image's rows in the order the file stores them: in four passes when interlaced.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<size_t>(height));
  if (!interlaced) {
    for (int row = 0; row < height; ++row) rows.push_back(row);
    return rows;
  }
  static constexpr int Starts[4] = {0, 4, 2, 1};
  static constexpr int Steps[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int row = Starts[pass]; row < height; row += Steps[pass]) rows.push_back(row);
  }
  return rows;
}

// The smallest bitmap depth whose indices reach highest.
uint8_t DepthFor(unsigned highest) { return highest < 2 ? 1 : highest < 16 ? 4 : 8; }

// Packs one row of 8-bit indices into the bitmap's depth, from the most significant bit.
void PackRow(const uint8_t* indices, size_t width, uint8_t bits, uint8_t* row) {
  if (bits == 8) {
    std::memcpy(row, indices, width);
    return;
  }
  const size_t perbyte = 8u / bits;
  for (size_t x = 0; x < width; ++x) {
    const unsigned shift = static_cast<unsigned>(8 - bits - (x % perbyte) * bits);
    row[x / perbyte] = static_cast<uint8_t>(row[x / perbyte] | (indices[x] << shift));
  }
}

}  // namespace

bool DecodeGif(std::span<const uint8_t> bytes, DIB& dib) {
  GifInput input{bytes, 0};
  int error = 0;
  const GifHandle gif(DGifOpen(&input, ReadGifBytes, &error));
  if (!gif || !FindFirstImage(gif.get())) return false;
  const GifImageDesc& image = gif->Image;
  if (image.Width < 1 || image.Height < 1 || image.Left < 0 || image.Top < 0) return false;
  // The logical screen, grown when the image reaches past it.
  const int width = std::max(gif->SWidth, image.Left + image.Width);
  const int height = std::max(gif->SHeight, image.Top + image.Height);
  if (!PictureAllowed(width, height, 8, bytes.size())) return false;

  const auto screenwidth = static_cast<size_t>(width);
  const uint8_t background = static_cast<uint8_t>(gif->SBackGroundColor);
  std::vector<uint8_t> screen(screenwidth * static_cast<size_t>(height), background);
  const bool covered = image.Left == 0 && image.Top == 0 && image.Width == width && image.Height == height;
  unsigned used = covered ? 0u : background;
  for (const int row : RowOrder(image.Height, image.Interlace)) {
    uint8_t* line = screen.data() + static_cast<size_t>(image.Top + row) * screenwidth + static_cast<size_t>(image.Left);
    if (DGifGetLine(gif.get(), line, image.Width) == GIF_ERROR) return false;
    for (int x = 0; x < image.Width; ++x) used |= line[x];
  }

  const ColorMapObject* map = image.ColorMap != nullptr ? image.ColorMap : gif->SColorMap;
  const int colours = map != nullptr ? std::clamp(map->ColorCount, 0, 256) : 0;
  const uint8_t bits = DepthFor(used | static_cast<unsigned>(std::max(colours - 1, 0)));
  if (!dib.Create(static_cast<int16_t>(width), static_cast<int16_t>(height), bits)) return false;
  RgbQuad* table = dib.PaletteOffset();
  for (int index = 0; index < colours; ++index) {
    table[index].red = map->Colors[index].Red;
    table[index].green = map->Colors[index].Green;
    table[index].blue = map->Colors[index].Blue;
  }
  for (int y = 0; y < height; ++y) {
    PackRow(screen.data() + static_cast<size_t>(height - 1 - y) * screenwidth, screenwidth, bits, dib.Row(y));
  }
  return true;
}

}  // namespace paginor
