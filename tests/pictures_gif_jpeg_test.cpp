#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "services/picture_codec.h"
#include "support/picture_writers.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::GifPicture;
using testing::JpegColours;
using testing::JpegPicture;

bool Load(const std::string& path, PictureDescription& picture) { return PictureCodec().LoadImage(path, picture); }

// A picture filling its screen, all indices 0.
GifPicture Gif(int width, int height, std::vector<testing::Rgb> colours) {
  GifPicture gif;
  gif.screenWidth = gif.width = width;
  gif.screenHeight = gif.height = height;
  gif.globalColours = std::move(colours);
  gif.indices.assign(static_cast<size_t>(width * height), 0);
  return gif;
}

PictureDescription LoadGif(const GifPicture& gif) {
  const std::string path = testing::TempPath("picture.gif");
  EXPECT_TRUE(testing::WriteGif(path, gif));
  PictureDescription picture;
  EXPECT_TRUE(Load(path, picture));
  return picture;
}

std::vector<testing::Rgb> Colours(int count) {
  std::vector<testing::Rgb> colours;
  for (int index = 0; index < count; ++index) {
    colours.push_back({static_cast<uint8_t>(index), static_cast<uint8_t>(255 - index), static_cast<uint8_t>(index * 3)});
  }
  return colours;
}

Bytes PaletteOf(const std::vector<testing::Rgb>& colours, size_t entries) {
  Bytes palette;
  for (const auto& colour : colours) palette.insert(palette.end(), colour.begin(), colour.end());
  palette.resize(entries * 3, 0);
  return palette;
}

TEST(GifPictures, IndexedAtTheDepthThatHoldsThePalette) {
  GifPicture gif = Gif(5, 2, Colours(256));
  gif.indices = {10, 20, 30, 40, 255, 0, 1, 2, 3, 4};
  const PictureDescription eight = LoadGif(gif);
  EXPECT_EQ(eight.width, 5);
  EXPECT_EQ(eight.bitsPerPixel, 8);
  EXPECT_EQ(eight.palette, PaletteOf(Colours(256), 256));
  EXPECT_EQ(eight.pixels, (Bytes{0, 1, 2, 3, 4, 10, 20, 30, 40, 255}));  // bottom row first

  gif = Gif(10, 1, Colours(2));
  gif.indices = {1, 0, 1, 0, 0, 0, 0, 1, 1, 1};
  const PictureDescription one = LoadGif(gif);
  EXPECT_EQ(one.bitsPerPixel, 1);
  EXPECT_EQ(one.palette, PaletteOf(Colours(2), 2));
  EXPECT_EQ(one.pixels, (Bytes{0xA1, 0xC0}));

  gif = Gif(3, 1, Colours(8));
  gif.indices = {7, 0, 5};
  const PictureDescription four = LoadGif(gif);
  EXPECT_EQ(four.bitsPerPixel, 4);
  EXPECT_EQ(four.palette, PaletteOf(Colours(8), 16));  // padded with black to 16 entries
  EXPECT_EQ(four.pixels, (Bytes{0x70, 0x50}));
}

TEST(GifPictures, InterlacedLocalColoursAndPlacementOnTheScreen) {
  // Ten interlaced rows come back in picture order.
  GifPicture interlaced = Gif(1, 10, Colours(16));
  interlaced.interlaced = true;
  interlaced.indices = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(LoadGif(interlaced).pixels, (Bytes{0x90, 0x80, 0x70, 0x60, 0x50, 0x40, 0x30, 0x20, 0x10, 0x00}));

  // A 2 by 1 image with its own colours at (1, 1) on a 4 by 3 screen of background index 3.
  GifPicture placed = Gif(2, 1, Colours(4));
  placed.screenWidth = 4;
  placed.screenHeight = 3;
  placed.background = 3;
  placed.left = placed.top = 1;
  placed.localColours = Colours(256);
  placed.indices = {200, 201};
  const PictureDescription screen = LoadGif(placed);
  EXPECT_EQ(screen.width, 4);
  EXPECT_EQ(screen.height, 3);
  EXPECT_EQ(screen.palette, PaletteOf(Colours(256), 256));
  EXPECT_EQ(screen.pixels, (Bytes{3, 3, 3, 3, 3, 200, 201, 3, 3, 3, 3, 3}));

}

// Replaces the global colour map of a GIF file made with 16 colours by its first entries (none: no map).
std::string ShrinkColourMap(const std::string& file, size_t entries) {
  std::string shrunk = file;
  if (entries == 0) {
    shrunk[10] = static_cast<char>(shrunk[10] & 0x78);
    return shrunk.erase(13, 48);
  }
  shrunk[10] = static_cast<char>((shrunk[10] & 0xF8) | (entries == 2 ? 0 : 1));
  return shrunk.erase(13 + 3 * entries, 48 - 3 * entries);
}

TEST(GifPictures, PalettesShorterThanTheIndicesArePaddedWithBlack) {
  GifPicture gif = Gif(2, 1, Colours(16));
  gif.indices = {1, 9};
  const std::string path = testing::TempPath("short.gif");
  ASSERT_TRUE(testing::WriteGif(path, gif));
  const std::string whole = testing::ReadFile(path);
  PictureDescription twocolours;
  testing::WriteFile(path, ShrinkColourMap(whole, 2));
  ASSERT_TRUE(Load(path, twocolours));
  EXPECT_EQ(twocolours.bitsPerPixel, 4);  // the depth holds index 9
  EXPECT_EQ(twocolours.palette, PaletteOf(Colours(2), 16));
  EXPECT_EQ(twocolours.pixels, (Bytes{0x19}));

  PictureDescription nomap;
  testing::WriteFile(path, ShrinkColourMap(whole, 0));
  ASSERT_TRUE(Load(path, nomap));
  EXPECT_EQ(nomap.palette, Bytes(48, 0));
  EXPECT_EQ(nomap.pixels, (Bytes{0x19}));
}

TEST(GifPictures, DamagedFilesAreRefused) {
  GifPicture gif = Gif(40, 40, Colours(4));
  gif.indices.assign(1600, 0);
  for (size_t index = 0; index < gif.indices.size(); ++index) gif.indices[index] = static_cast<uint8_t>(index * 7 % 4);
  const std::string path = testing::TempPath("damaged.gif");
  ASSERT_TRUE(testing::WriteGif(path, gif));
  const std::string whole = testing::ReadFile(path);
  PictureDescription picture;
  ASSERT_TRUE(Load(path, picture));
  for (const size_t keep : {whole.size() - 20, size_t{30}, size_t{13}, size_t{6}}) {
    testing::WriteFile(path, whole.substr(0, keep));
    PictureDescription cut;
    EXPECT_FALSE(Load(path, cut)) << keep;
  }
  // No image at all: the header, the colour map and the trailer.
  testing::WriteFile(path, whole.substr(0, 13 + 12) + ";");
  EXPECT_FALSE(Load(path, picture));
  // A 1 by 1 image on a screen of 30000 by 30000: far more than such a file can hold.
  std::string huge = whole;
  huge[6] = huge[8] = '\x30';
  huge[7] = huge[9] = '\x75';
  testing::WriteFile(path, huge);
  EXPECT_FALSE(Load(path, picture));
}

// Samples of a picture made of four flat quadrants of 16 by 16 pixels.
Bytes Quadrants(const std::vector<Bytes>& colours) {
  Bytes samples;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Bytes& colour = colours[static_cast<size_t>((y / 16) * 2 + x / 16)];
      samples.insert(samples.end(), colour.begin(), colour.end());
    }
  }
  return samples;
}

JpegPicture Jpeg(JpegColours colours, Bytes samples, int side = 32) {
  JpegPicture jpeg;
  jpeg.width = jpeg.height = side;
  jpeg.colours = colours;
  jpeg.samples = std::move(samples);
  return jpeg;
}

PictureDescription LoadJpeg(const JpegPicture& jpeg) {
  const std::string path = testing::TempPath("picture.jpg");
  testing::WriteJpeg(path, jpeg);
  PictureDescription picture;
  EXPECT_TRUE(Load(path, picture));
  return picture;
}

// The picture's pixel at x, y from the top, for 24-bit or 8-bit pictures.
Bytes PixelAt(const PictureDescription& picture, int x, int y) {
  const size_t size = picture.bitsPerPixel / 8u;
  const size_t row = static_cast<size_t>(picture.height - 1 - y) * static_cast<size_t>(picture.width) * size;
  const auto start = picture.pixels.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(x) * size);
  return Bytes(start, start + static_cast<std::ptrdiff_t>(size));
}

void ExpectNear(const Bytes& got, const Bytes& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (size_t index = 0; index < got.size(); ++index) EXPECT_NEAR(got[index], expected[index], 3) << index;
}

const std::vector<Bytes> ColourQuadrants = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {200, 150, 50}};

void ExpectColourQuadrants(const PictureDescription& picture) {
  ASSERT_EQ(picture.bitsPerPixel, 24);
  ASSERT_EQ(picture.width, 32);
  ASSERT_EQ(picture.height, 32);
  ASSERT_EQ(picture.pixels.size(), 32u * 32u * 3u);
  ExpectNear(PixelAt(picture, 4, 4), ColourQuadrants[0]);
  ExpectNear(PixelAt(picture, 27, 4), ColourQuadrants[1]);
  ExpectNear(PixelAt(picture, 4, 27), ColourQuadrants[2]);
  ExpectNear(PixelAt(picture, 27, 27), ColourQuadrants[3]);
}

TEST(JpegPictures, ColourAndGreyPictures) {
  JpegPicture colour = Jpeg(JpegColours::Rgb, Quadrants(ColourQuadrants));
  ExpectColourQuadrants(LoadJpeg(colour));
  colour.progressive = true;
  ExpectColourQuadrants(LoadJpeg(colour));

  const JpegPicture grey = Jpeg(JpegColours::Grey, Quadrants({{0}, {80}, {160}, {255}}));
  const PictureDescription picture = LoadJpeg(grey);
  ASSERT_EQ(picture.bitsPerPixel, 8);
  ASSERT_EQ(picture.palette.size(), 768u);
  EXPECT_EQ(Bytes(picture.palette.begin() + 3 * 77, picture.palette.begin() + 3 * 78), (Bytes{77, 77, 77}));
  EXPECT_EQ(picture.pixels.size(), 32u * 32u);
  ExpectNear(PixelAt(picture, 4, 4), {0});
  ExpectNear(PixelAt(picture, 27, 4), {80});
  ExpectNear(PixelAt(picture, 4, 27), {160});
  ExpectNear(PixelAt(picture, 27, 27), {255});
}

// Inks for the colour quadrants as a file stores them, inverted or not.
Bytes Inks(bool inverted) {
  std::vector<Bytes> inks;
  for (const Bytes& colour : ColourQuadrants) {
    Bytes ink = {static_cast<uint8_t>(255 - colour[0]), static_cast<uint8_t>(255 - colour[1]),
                 static_cast<uint8_t>(255 - colour[2]), 0};
    if (inverted) {
      for (uint8_t& value : ink) value = static_cast<uint8_t>(255 - value);
    }
    inks.push_back(ink);
  }
  return Quadrants(inks);
}

TEST(JpegPictures, InkPicturesBecomeRedGreenBlue) {
  JpegPicture cmyk = Jpeg(JpegColours::Cmyk, Inks(true));
  ExpectColourQuadrants(LoadJpeg(cmyk));
  cmyk.colours = JpegColours::Ycck;
  ExpectColourQuadrants(LoadJpeg(cmyk));
  cmyk = Jpeg(JpegColours::Cmyk, Inks(false));
  cmyk.adobeMarker = false;
  ExpectColourQuadrants(LoadJpeg(cmyk));
}

TEST(JpegPictures, DamagedFilesAreRefused) {
  Bytes noise;
  for (int index = 0; index < 64 * 64 * 3; ++index) noise.push_back(static_cast<uint8_t>(std::rand()));
  JpegPicture jpeg = Jpeg(JpegColours::Rgb, noise, 64);
  jpeg.quality = 90;
  const std::string path = testing::TempPath("damaged.jpg");
  testing::WriteJpeg(path, jpeg);
  const std::string whole = testing::ReadFile(path);
  PictureDescription picture;
  ASSERT_TRUE(Load(path, picture));
  for (const size_t keep : {whole.size() / 2, size_t{200}, size_t{3}}) {
    testing::WriteFile(path, whole.substr(0, keep));
    EXPECT_FALSE(Load(path, picture)) << keep;
  }
  // Damaged entropy data in the middle of the picture.
  std::string garbled = whole;
  for (size_t index = whole.size() / 2; index < whole.size() / 2 + 64; ++index) garbled[index] = '\xFF';
  testing::WriteFile(path, garbled);
  EXPECT_FALSE(Load(path, picture));
  // A start-of-frame claiming 30000 by 30000 pixels in a file of a few kilobytes.
  std::string huge = whole;
  const size_t frame = huge.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  huge.replace(frame + 5, 4, "\x75\x30\x75\x30");
  testing::WriteFile(path, huge);
  EXPECT_FALSE(Load(path, picture));
}

}  // namespace
}  // namespace paginor
