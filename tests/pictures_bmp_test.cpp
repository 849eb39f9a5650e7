#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "services/dib.h"
#include "services/picture_codec.h"
#include "support/picture_writers.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::Bmp;
using testing::BmpFile;
using testing::Entries;
using testing::Put32;

struct Loaded {
  bool ok = false;
  PictureDescription picture;
};

Loaded LoadBytes(const std::string& bytes, const std::string& name = "picture.bmp") {
  const std::string path = testing::TempPath(name);
  testing::WriteFile(path, bytes);
  Loaded loaded;
  loaded.ok = PictureCodec().LoadImage(path, loaded.picture);
  return loaded;
}

TEST(BmpPictures, TwentyFourBitRowsComeBottomFirstAsRedGreenBlue) {
  BmpFile bmp = Bmp(3, 2, 24, 0);
  // Stored bottom row first, blue green red, each row padded to 12 bytes.
  bmp.rows = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\0\0\0"
                         "\x0A\x0B\x0C\x0D\x0E\x0F\x10\x11\x12\0\0\0", 24);
  const Loaded bottomup = LoadBytes(bmp.Bytes());
  ASSERT_TRUE(bottomup.ok);
  EXPECT_EQ(bottomup.picture.width, 3);
  EXPECT_EQ(bottomup.picture.height, 2);
  EXPECT_EQ(bottomup.picture.bitsPerPixel, 24);
  EXPECT_TRUE(bottomup.picture.palette.empty());
  const Bytes expected = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16};
  EXPECT_EQ(bottomup.picture.pixels, expected);

  // The same picture stored top row first (negative height) gives the same rows.
  bmp.height = -2;
  bmp.rows = bmp.rows.substr(12) + bmp.rows.substr(0, 12);
  const Loaded topdown = LoadBytes(bmp.Bytes());
  ASSERT_TRUE(topdown.ok);
  EXPECT_EQ(topdown.picture.height, 2);
  EXPECT_EQ(topdown.picture.pixels, expected);
}

TEST(BmpPictures, IndexedRowsKeepTheirPackingAndTheFullPalette) {
  BmpFile mono = Bmp(10, 2, 1, 0);
  mono.afterHeader = Entries({0x000000, 0xFFFFFF});
  mono.rows = std::string("\xA5\xC3\0\0\x0F\xFF\0\0", 8);  // low bits past the 10th pixel kept as stored
  const Loaded one = LoadBytes(mono.Bytes());
  ASSERT_TRUE(one.ok);
  EXPECT_EQ(one.picture.bitsPerPixel, 1);
  EXPECT_EQ(one.picture.palette, (Bytes{0, 0, 0, 255, 255, 255}));
  EXPECT_EQ(one.picture.pixels, (Bytes{0xA5, 0xC3, 0x0F, 0xFF}));

  // Three colours used of sixteen: the rest of the 48-byte palette is black.
  BmpFile four = Bmp(3, 1, 4, 0);
  four.coloursUsed = 3;
  four.afterHeader = Entries({0x102030, 0x405060, 0x708090});
  four.rows = std::string("\x01\x20\0\0", 4);
  const Loaded nibbles = LoadBytes(four.Bytes());
  ASSERT_TRUE(nibbles.ok);
  ASSERT_EQ(nibbles.picture.palette.size(), 48u);
  EXPECT_EQ(Bytes(nibbles.picture.palette.begin(), nibbles.picture.palette.begin() + 9),
            (Bytes{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90}));
  EXPECT_EQ(Bytes(nibbles.picture.palette.begin() + 9, nibbles.picture.palette.end()), Bytes(39, 0));
  EXPECT_EQ(nibbles.picture.pixels, (Bytes{0x01, 0x20}));

  // The core header: colour entries of three bytes.
  BmpFile core = Bmp(5, 2, 8, 0, 12);
  core.afterHeader = std::string("\x03\x02\x01\x06\x05\x04", 6);
  core.rows = std::string("\0\1\0\1\0\0\0\0\1\1\1\1\1\0\0\0", 16);
  const Loaded eight = LoadBytes(core.Bytes());
  ASSERT_TRUE(eight.ok);
  EXPECT_EQ(eight.picture.bitsPerPixel, 8);
  ASSERT_EQ(eight.picture.palette.size(), 768u);
  EXPECT_EQ(Bytes(eight.picture.palette.begin(), eight.picture.palette.begin() + 7), (Bytes{1, 2, 3, 4, 5, 6, 0}));
  EXPECT_EQ(eight.picture.pixels, (Bytes{0, 1, 0, 1, 0, 1, 1, 1, 1, 1}));
}

TEST(BmpPictures, RunLengthRowsAreExpanded) {
  // 8 bits, 6 by 3: a run, a literal group (padded), end of row; a move right and up; end of picture.
  BmpFile rle8 = Bmp(6, 3, 8, 1);
  rle8.afterHeader = Entries({0, 0x0000FF, 0x00FF00, 0xFF0000});
  rle8.rows = std::string("\x03\x01" "\x00\x03\x02\x03\x02\x00" "\x00\x00"
                          "\x00\x02\x04\x01" "\x02\x03" "\x00\x01", 18);
  const Loaded eight = LoadBytes(rle8.Bytes());
  ASSERT_TRUE(eight.ok);
  EXPECT_EQ(eight.picture.pixels, (Bytes{1, 1, 1, 2, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3}));

  // 4 bits, 5 by 2: a run alternating two indices, a literal of three, a run cut at the row's end.
  BmpFile rle4 = Bmp(5, 2, 4, 2);
  rle4.afterHeader = Entries({0, 0xFFFFFF});
  rle4.rows = std::string("\x03\x12" "\x00\x03\x45\x60" "\x00\x00" "\x09\x77" "\x00\x01", 12);
  const Loaded four = LoadBytes(rle4.Bytes());
  ASSERT_TRUE(four.ok);
  EXPECT_EQ(four.picture.pixels, (Bytes{0x12, 0x14, 0x50, 0x77, 0x77, 0x70}));

  // Rows that end without an end-of-picture mark are complete when every row was given.
  rle8.rows = std::string("\x06\x01\x00\x00\x06\x02\x00\x00\x06\x03", 10);
  const Loaded unmarked = LoadBytes(rle8.Bytes());
  ASSERT_TRUE(unmarked.ok);
  EXPECT_EQ(unmarked.picture.pixels, (Bytes{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3}));
}

TEST(BmpPictures, SixteenAndThirtyTwoBitPixelsBecomeTwentyFourBits) {
  // 16 bits without masks: 5 bits each for red, green, blue.
  BmpFile plain16 = Bmp(2, 1, 16, 0);
  plain16.rows = std::string("\x00\x7C\xE0\x03", 4);  // pure red, pure green
  const Loaded fivefivefive = LoadBytes(plain16.Bytes());
  ASSERT_TRUE(fivefivefive.ok);
  EXPECT_EQ(fivefivefive.picture.bitsPerPixel, 24);
  EXPECT_EQ(fivefivefive.picture.pixels, (Bytes{255, 0, 0, 0, 255, 0}));

  // 16 bits with 5-6-5 masks after a 40-byte header.
  BmpFile masked16 = Bmp(2, 1, 16, 3);
  Put32(masked16.afterHeader, 0xF800);
  Put32(masked16.afterHeader, 0x07E0);
  Put32(masked16.afterHeader, 0x001F);
  masked16.rows = std::string("\x1F\x00\x00\x04", 4);  // pure blue, green 32 of 63
  const Loaded fivesixfive = LoadBytes(masked16.Bytes());
  ASSERT_TRUE(fivesixfive.ok);
  EXPECT_EQ(fivesixfive.picture.pixels, (Bytes{0, 0, 255, 0, 130, 0}));

  // 32 bits, masks inside a 124-byte header, red in the low byte.
  BmpFile masked32 = Bmp(1, 2, 32, 3, 124);
  Put32(masked32.masks, 0x000000FF);
  Put32(masked32.masks, 0x0000FF00);
  Put32(masked32.masks, 0x00FF0000);
  masked32.rows = std::string("\x11\x22\x33\x44\x55\x66\x77\x88", 8);
  const Loaded thirtytwo = LoadBytes(masked32.Bytes());
  ASSERT_TRUE(thirtytwo.ok);
  EXPECT_EQ(thirtytwo.picture.pixels, (Bytes{0x11, 0x22, 0x33, 0x55, 0x66, 0x77}));

  // 32 bits without masks and a 108-byte header: blue, green, red, unused.
  BmpFile plain32 = Bmp(1, 1, 32, 0, 108);
  plain32.rows = std::string("\x01\x02\x03\x04", 4);
  const Loaded bgrx = LoadBytes(plain32.Bytes());
  ASSERT_TRUE(bgrx.ok);
  EXPECT_EQ(bgrx.picture.pixels, (Bytes{3, 2, 1}));
}

TEST(BmpPictures, DamagedFilesAreRefusedAndLeaveTheOutputs) {
  BmpFile good = Bmp(3, 2, 24, 0);
  good.rows = std::string(24, '\x40');
  auto refused = [](const std::string& bytes) {
    PictureDescription picture;
    picture.width = 7;
    const std::string path = testing::TempPath("damaged.bmp");
    testing::WriteFile(path, bytes);
    const bool loaded = PictureCodec().LoadImage(path, picture);
    return !loaded && picture.width == 7 && picture.pixels.empty();
  };
  const std::string bytes = good.Bytes();
  ASSERT_FALSE(refused(bytes));
  EXPECT_TRUE(refused(bytes.substr(0, bytes.size() - 1)));  // last row cut short
  EXPECT_TRUE(refused(bytes.substr(0, 30)));                // header cut short
  EXPECT_TRUE(refused("BM"));
  EXPECT_TRUE(refused("not a picture at all"));
  EXPECT_TRUE(refused(std::string("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14) + std::string(300, '\0')));  // icon
  for (const auto& change : std::vector<void (*)(BmpFile&)>{
           [](BmpFile& b) { b.width = 0; },
           [](BmpFile& b) { b.height = 0; },
           [](BmpFile& b) { b.width = -3; },
           [](BmpFile& b) { b.width = 40000; },
           [](BmpFile& b) { b.height = INT32_MIN; },
           [](BmpFile& b) { b.width = 10923; },  // a 24-bit row longer than 32767 bytes
           [](BmpFile& b) { b.planes = 2; },
           [](BmpFile& b) { b.headerSize = 64; },
           [](BmpFile& b) { b.bitCount = 2; },
           [](BmpFile& b) { b.compression = 4; },
           [](BmpFile& b) { b.compression = 1; },  // run-length 8 needs 8 bits
           [](BmpFile& b) { b.bitCount = 8, b.compression = 1, b.height = -2; },
           [](BmpFile& b) { b.bitCount = 8, b.compression = 1, b.rows = "\x02\x01\x00\x00\x02"; },
           [](BmpFile& b) { b.bitCount = 8, b.compression = 1, b.rows = "\x00\x05\x01\x02"; },
           [](BmpFile& b) { b.bitCount = 8, b.compression = 1, b.rows = "\x00\x02\x01"; },
           [](BmpFile& b) { b.bitCount = 16, b.compression = 3, b.headerSize = 40; },
           // A run-length file far too small for the size it claims.
           [](BmpFile& b) { b.bitCount = 8, b.compression = 1, b.width = 32000, b.height = 32000, b.rows = "\0\1"; },
       }) {
    BmpFile damaged = good;
    change(damaged);
    EXPECT_TRUE(refused(damaged.Bytes())) << damaged.width << " x " << damaged.height;
  }
  // A literal group that runs past the end of the data on the last row, where nothing after it would
  // notice: with 8 and with 4 bits, on the second of two rows and on a picture of one row.
  for (const auto& [bits, compression, rows] :
       std::vector<std::tuple<uint16_t, uint32_t, std::string>>{{8, 1, std::string("\x03\x01\x00\x00\x00\x05\x01\x02", 8)},
                                                      {8, 1, std::string("\x00\x05\x01\x02\x01", 5)},
                                                      {4, 2, std::string("\x03\x11\x00\x00\x00\x07\x12", 7)}}) {
    BmpFile overrun = Bmp(3, rows.size() == 5 ? 1 : 2, bits, compression);
    overrun.afterHeader = Entries({0, 0xFFFFFF});
    overrun.coloursUsed = 2;
    overrun.rows = rows;
    EXPECT_TRUE(refused(overrun.Bytes())) << bits << " bits, " << rows.size() << " bytes of rows";
  }
  // A pixel offset past the end of the file.
  std::string far = bytes;
  far[10] = '\x7F';
  EXPECT_TRUE(refused(far));
  PictureDescription untouched;
  EXPECT_FALSE(PictureCodec().LoadImage(testing::TempPath("missing.bmp"), untouched));
}

TEST(BmpPictures, WidePicturesLoadWhenTheFileHoldsThem) {
  // 32767 pixels of 8 bits in one row; a 24-bit picture up to 10922 pixels wide.
  BmpFile wide = Bmp(32767, 1, 8, 0);
  wide.coloursUsed = 1;
  wide.afterHeader = Entries({0xABCDEF});
  wide.rows = std::string(32768, '\0');
  const Loaded eight = LoadBytes(wide.Bytes());
  ASSERT_TRUE(eight.ok);
  EXPECT_EQ(eight.picture.width, 32767);
  EXPECT_EQ(eight.picture.pixels.size(), 32767u);

  BmpFile colour = Bmp(10922, 2, 24, 0);
  colour.rows = std::string(2 * 32768, '\x05');
  const Loaded twentyfour = LoadBytes(colour.Bytes());
  ASSERT_TRUE(twentyfour.ok);
  EXPECT_EQ(twentyfour.picture.pixels.size(), 2u * 32766u);
}

TEST(DibMemory, CreateFollowsTheBitmapLayout) {
  DIB dib;
  EXPECT_FALSE(dib.Create(0, 10, 24));
  EXPECT_FALSE(dib.Create(10, 10, 33));
  EXPECT_FALSE(dib.Create(10, -1, 8));
  EXPECT_EQ(dib.PixelsOffset(), nullptr);
  ASSERT_TRUE(dib.Create(3, 2, 24));
  EXPECT_EQ(dib.ImageScanWidth(), 12);
  EXPECT_EQ(dib.ImageWidth(), 3);
  EXPECT_EQ(dib.ImageHeight(), 2);
  EXPECT_EQ(dib.BitsPerPixel(), 24);
  EXPECT_EQ(dib.PaletteOffset(), nullptr);
  ASSERT_NE(dib.PixelsOffset(), nullptr);
  EXPECT_EQ(dib.Row(1), dib.PixelsOffset() + 12);

  // A second Create is refused; the bitmap stays but the three values read 0.
  EXPECT_FALSE(dib.Create(5, 5, 8));
  EXPECT_EQ(dib.ImageScanWidth(), 0);
  EXPECT_EQ(dib.PixelsOffset(), nullptr);
  EXPECT_EQ(dib.ImageWidth(), 3);
  EXPECT_FALSE(dib.Load(std::span<const uint8_t>()));
  EXPECT_EQ(dib.ImageWidth(), 3);
  dib.Destroy();
  EXPECT_EQ(dib.ImageWidth(), 0);

  ASSERT_TRUE(dib.Create(10, 1, 1));
  EXPECT_EQ(dib.ImageScanWidth(), 4);
  EXPECT_NE(dib.PaletteOffset(), nullptr);
  dib.Destroy();

  // Loading from bytes in memory keeps the stored rows and the colour table as the file has them.
  BmpFile mono = Bmp(10, 2, 1, 0);
  mono.afterHeader = Entries({0x102030, 0xFFFFFF});
  mono.rows = std::string("\xA5\xC3\0\0\x0F\xFF\0\0", 8);
  const std::string bytes = mono.Bytes();
  ASSERT_TRUE(dib.Load(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
  EXPECT_EQ(dib.BitsPerPixel(), 1);
  EXPECT_EQ(dib.ImageScanWidth(), 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib.PixelsOffset()), 8), mono.rows);
  EXPECT_EQ(dib.PaletteOffset()[0].red, 0x10);
  EXPECT_EQ(dib.PaletteOffset()[0].blue, 0x30);
}

}  // namespace
}  // namespace paginor
