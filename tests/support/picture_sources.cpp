#include "support/picture_sources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/test_files.h"

namespace paginor::testing {

std::string Written(const std::string& name, const std::string& bytes) {
  const std::string path = TempPath(name);
  WriteFile(path, bytes);
  return path;
}

namespace {

std::vector<Rgb> PaletteOf(int count) {
  std::vector<Rgb> palette;
  for (int index = 0; index < count; ++index) {
    palette.push_back({static_cast<uint8_t>(index * 37 + 11), static_cast<uint8_t>(index * 91 + 50),
                       static_cast<uint8_t>(255 - index * 13)});
  }
  return palette;
}

int IndexAt(int x, int y, int count) { return (x / 3 + y * 2) % count; }

std::string ColourTable(const std::vector<Rgb>& palette) {
  std::string table;
  for (const Rgb& colour : palette) {
    table += {static_cast<char>(colour[2]), static_cast<char>(colour[1]), static_cast<char>(colour[0]), '\0'};
  }
  return table;
}

// The stored rows of an indexed BMP, bottom row first: packed (each row padded to 4 bytes), or in runs
// of one index (compression 1 for 8 bits, 2 for 4 bits), each row closed and the picture ended.
std::string IndexedRows(const Source& source, int bits, int compression) {
  const int count = 1 << bits;
  std::string rows;
  for (int y = source.height - 1; y >= 0; --y) {
    if (compression != 0) {
      for (int x = 0; x < source.width;) {
        const int index = IndexAt(x, y, count);
        int run = 1;
        while (x + run < source.width && IndexAt(x + run, y, count) == index) ++run;
        rows += static_cast<char>(run);
        rows += static_cast<char>(bits == 4 ? index * 17 : index);
        x += run;
      }
      rows += std::string("\0\0", 2);
      continue;
    }
    std::string row((static_cast<size_t>(source.width * bits) + 31) / 32 * 4, '\0');
    for (int x = 0; x < source.width; ++x) {
      const int bit = x * bits;
      row[static_cast<size_t>(bit / 8)] |= static_cast<char>(IndexAt(x, y, count) << (8 - bits - bit % 8));
    }
    rows += row;
  }
  if (compression != 0) rows += std::string("\0\1", 2);
  return rows;
}

Source IndexedBmp(int bits, int compression) {
  Source source;
  source.name = "bmp" + std::to_string(bits) + (compression != 0 ? "rle" : "");
  const std::vector<Rgb> palette = PaletteOf(1 << bits);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) source.colours.push_back(palette[static_cast<size_t>(IndexAt(x, y, 1 << bits))]);
  }
  BmpFile bmp = Bmp(source.width, source.height, static_cast<uint16_t>(bits), static_cast<uint32_t>(compression));
  bmp.afterHeader = ColourTable(palette);
  bmp.rows = IndexedRows(source, bits, compression);
  source.path = Written(source.name + ".bmp", bmp.Bytes());
  return source;
}

Rgb TrueColourAt(int x, int y) {
  return {static_cast<uint8_t>(x * 19), static_cast<uint8_t>(y * 33 + 7), static_cast<uint8_t>(x * y * 7 + 40)};
}

Source TrueColourBmp() {
  Source source;
  source.name = "bmp24";
  BmpFile bmp = Bmp(source.width, source.height, 24);
  for (int y = source.height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < source.width; ++x) {
      const Rgb colour = TrueColourAt(x, y);
      row += {static_cast<char>(colour[2]), static_cast<char>(colour[1]), static_cast<char>(colour[0])};
    }
    row.resize((row.size() + 3) / 4 * 4, '\0');
    bmp.rows += row;
  }
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) source.colours.push_back(TrueColourAt(x, y));
  }
  source.path = Written("bmp24.bmp", bmp.Bytes());
  return source;
}

Source IndexedGif(int bits) {
  Source source;
  source.name = "gif" + std::to_string(bits);
  GifPicture gif;
  gif.screenWidth = gif.width = source.width;
  gif.screenHeight = gif.height = source.height;
  gif.globalColours = PaletteOf(1 << bits);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      gif.indices.push_back(static_cast<uint8_t>(IndexAt(x, y, 1 << bits)));
      source.colours.push_back(gif.globalColours[gif.indices.back()]);
    }
  }
  source.path = TempPath(source.name + ".gif");
  EXPECT_TRUE(WriteGif(source.path, gif));
  return source;
}

// Smooth colours, which JPEG keeps within a few levels at full quality.
Source Jpeg(bool grey) {
  Source source;
  source.name = grey ? "jpeg_grey" : "jpeg_colour";
  source.tolerance = 6;
  JpegPicture jpeg;
  jpeg.width = source.width = 24;
  jpeg.height = source.height = 16;
  jpeg.colours = grey ? JpegColours::Grey : JpegColours::Rgb;
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      const Rgb colour = grey ? Rgb{static_cast<uint8_t>(60 + 4 * x + 3 * y), 0, 0}
                              : Rgb{static_cast<uint8_t>(40 + 4 * x), static_cast<uint8_t>(60 + 5 * y),
                                    static_cast<uint8_t>(150 + 2 * x - 2 * y)};
      jpeg.samples.insert(jpeg.samples.end(), colour.begin(), colour.begin() + (grey ? 1 : 3));
      source.colours.push_back(grey ? Rgb{colour[0], colour[0], colour[0]} : colour);
    }
  }
  source.path = TempPath(source.name + ".jpg");
  WriteJpeg(source.path, jpeg);
  return source;
}

}  // namespace

std::vector<Source> EveryKindOfPicture() {
  return {IndexedBmp(1, 0), IndexedBmp(4, 0), IndexedBmp(8, 0), TrueColourBmp(), IndexedBmp(4, 2),
          IndexedBmp(8, 1), IndexedGif(1),    IndexedGif(4),    IndexedGif(8),    Jpeg(false),
          Jpeg(true)};
}

int WorstDifference(const Raster& raster, const Source& source, int left, int top) {
  int worst = 0;
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      const Rgb seen = raster.At(left + x, top + y);
      const Rgb& wanted = source.colours[static_cast<size_t>(y * source.width + x)];
      for (size_t channel = 0; channel < 3; ++channel) worst = std::max(worst, std::abs(seen[channel] - wanted[channel]));
    }
  }
  return worst;
}

}  // namespace paginor::testing
