// Pictures in PostScript: the exact lines of the inline image, scaling, alignment and the position
// afterwards, refusals, and every encoding and depth rendered back by Ghostscript.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/picture_sources.h"
#include "support/ps_page_fixture.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::Bmp;
using testing::BmpFile;
using testing::Entries;
using testing::Lines;
using testing::Slice;
using testing::Written;

using PsPictures = testing::PsPageTest;

// An 8-bit picture of 100 by 50 pixels whose palette has red at index 0, blue at index 1 and black
// elsewhere; every pixel is index 1.
std::string PaletteFile() {
  BmpFile bmp = Bmp(100, 50, 8);
  bmp.afterHeader = Entries({0xFF0000, 0x0000FF});
  bmp.afterHeader.resize(256 * 4, '\0');
  bmp.rows.assign(100 * 50, '\x01');
  return Written("palette.bmp", bmp.Bytes());
}

// A 3 by 2 picture of 24 bits: bottom row 01 02 03 04 05 06 07 08 09, top row 0A ... 12 (red, green,
// blue).
std::string TrueColourFile() {
  BmpFile bmp = Bmp(3, 2, 24);
  bmp.rows = std::string("\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0"
                         "\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0", 24);
  return Written("true_colour.bmp", bmp.Bytes());
}

TEST_F(PsPictures, IndexedPictureIsAnInlineImageWithItsPaletteInHex) {
  const std::string file = PaletteFile();
  ASSERT_TRUE(Ps.DrawPicture(file));
  EXPECT_EQ(Position(), std::vector<int>({0, 50}));
  Finish();
  const Lines drawn = Drawn();
  ASSERT_EQ(drawn.size(), 17u);
  std::string palette = "FF00000000FF";
  palette.resize(256 * 6, '0');
  EXPECT_EQ(Slice(drawn, 0, 15),
            Lines({"gsave", "50 792 translate", "100 50 scale",
                   "[ /Indexed /DeviceRGB 255 <" + palette + "> ] setcolorspace", "<<", "  /ImageType 1",
                   "  /BitsPerComponent 8", "  /Width 100", "  /Height 50", "  /ImageMatrix [100 0 0 50 0 50]",
                   "  /Decode [0 255]", "  /DataSource currentfile", "  /ASCII85Decode filter", ">>", "image"}));
  EXPECT_TRUE(drawn[15].ends_with("~>"));
  EXPECT_EQ(drawn[16], "grestore");
}

TEST_F(PsPictures, TrueColourAndOneBitPicturesNameTheirComponents) {
  ASSERT_TRUE(Ps.DrawPicture(TrueColourFile(), AlignmentConstants::NoAlignment, EncodingConstants::ASCIIHex));
  BmpFile mono = Bmp(10, 2, 1);
  mono.afterHeader = Entries({0x000000, 0xFFFFFF});
  mono.rows = std::string("\xAA\xC0\0\0\x55\x40\0\0", 8);
  ASSERT_TRUE(Ps.DrawPicture(Written("mono.bmp", mono.Bytes()), AlignmentConstants::NoAlignment,
                             EncodingConstants::RunLength));
  Finish();
  const Lines drawn = Drawn();
  ASSERT_EQ(drawn.size(), 34u);
  EXPECT_EQ(Slice(drawn, 0, 17),
            Lines({"gsave", "50 792 translate", "3 2 scale", "/DeviceRGB setcolorspace", "<<", "  /ImageType 1",
                   "  /BitsPerComponent 8", "  /Width 3", "  /Height 2", "  /ImageMatrix [3 0 0 2 0 2]",
                   "  /Decode [0 1 0 1 0 1]", "  /DataSource currentfile", "  /ASCIIHexDecode filter", ">>", "image",
                   "0102030405060708090A0B0C0D0E0F101112>", "grestore"}));
  // The second picture starts at the line start below the first.
  EXPECT_EQ(drawn[18], "50 790 translate");
  EXPECT_EQ(drawn[20], "[ /Indexed /DeviceRGB 1 <000000FFFFFF> ] setcolorspace");
  EXPECT_EQ(drawn[23], "  /BitsPerComponent 1");
  EXPECT_EQ(drawn[27], "  /Decode [0 1]");
  EXPECT_EQ(drawn[29], "  /RunLengthDecode filter");
}

TEST_F(PsPictures, PictureBoxScalesTheDrawingAndAlignmentMovesIt) {
  BmpFile wide = Bmp(400, 100, 24);
  wide.rows.assign(400 * 3 * 100, '\x80');
  const std::string file = Written("wide.bmp", wide.Bytes());
  Ps.SetPictureDimensions(200, 200);
  ASSERT_TRUE(Ps.DrawPicture(file, AlignmentConstants::RightAlign, EncodingConstants::Flate));
  EXPECT_EQ(Position(), std::vector<int>({0, 50}));
  Finish();
  const Lines drawn = Drawn();
  // 200 by 50 points, right-aligned in 495: its left edge at 50 + 295.
  EXPECT_EQ(Slice(drawn, 1, 2), Lines({"345 792 translate", "200 50 scale"}));
  EXPECT_EQ(Slice(drawn, 7, 2), Lines({"  /Width 400", "  /Height 100"}));
  EXPECT_EQ(drawn[12], "  /FlateDecode filter");
}

TEST_F(PsPictures, RefusalsWriteNothingAndKeepThePosition) {
  const std::string file = PaletteFile();
  EXPECT_FALSE(Ps.DrawPicture(file, static_cast<AlignmentConstants>(4)));
  EXPECT_FALSE(Ps.DrawPicture(file, AlignmentConstants::NoAlignment, static_cast<EncodingConstants>(5)));
  EXPECT_FALSE(Ps.DrawPicture(testing::TempPath("no such picture.bmp")));
  EXPECT_FALSE(Ps.DrawPicture(Written("not a picture.bmp", "BM but not a picture")));
  Ps.SetPosition(400, 700);  // 42 points above the bottom of the area: too little for 50
  EXPECT_FALSE(Ps.DrawPicture(file, AlignmentConstants::Center));
  Ps.SetPosition(396, 0);  // the fit test uses the x before alignment
  EXPECT_FALSE(Ps.DrawPicture(file, AlignmentConstants::Center));
  EXPECT_EQ(Position(), std::vector<int>({396, 0}));
  Finish();
  EXPECT_TRUE(Drawn().empty());
}

TEST(PsPictureRendering, EveryEncodingOfEveryDepthShowsTheSourcePixels) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  testing::FixCreationDate();
  const std::vector<testing::Source> sources = testing::EveryKindOfPicture();
  const EncodingConstants encodings[] = {EncodingConstants::ASCII85, EncodingConstants::ASCIIHex,
                                         EncodingConstants::RunLength, EncodingConstants::Flate};
  const std::string path = testing::TempPath("rendering.ps");
  PS ps;
  ASSERT_TRUE(ps.Create(path));
  for (const testing::Source& source : sources) {
    for (const EncodingConstants encoding : encodings) {
      ps.NewPage(0, 0, 0, 0, 255, 255, 255);
      ASSERT_TRUE(ps.DrawPicture(source.path, AlignmentConstants::NoAlignment, encoding)) << source.name;
      // Text after the data shows that the interpreter took up the file again where the data ended.
      ASSERT_TRUE(ps.WriteText("after the picture"));
    }
  }
  const int pages = static_cast<int>(sources.size() * std::size(encodings));
  testing::FlushAndRead(ps, path, pages);

  const std::vector<testing::Raster> rendered =
      testing::RenderPages(path, "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA");
  ASSERT_EQ(rendered.size(), static_cast<size_t>(pages));
  size_t page = 0;
  for (const testing::Source& source : sources) {
    for (const EncodingConstants encoding : encodings) {
      const testing::Raster& raster = rendered[page++];
      EXPECT_LE(testing::WorstDifference(raster, source), source.tolerance)
          << source.name << " with encoding " << static_cast<int>(encoding);
      EXPECT_EQ(raster.At(source.width + 1, 2), (testing::Rgb{255, 255, 255})) << source.name;
      // The text below the picture is drawn in black.
      bool inked = false;
      for (int x = 0; x < 80 && !inked; ++x) {
        for (int y = source.height; y < source.height + 8 && !inked; ++y) {
          inked = raster.At(x, y) == testing::Rgb{0, 0, 0};
        }
      }
      EXPECT_TRUE(inked) << source.name << " with encoding " << static_cast<int>(encoding);
    }
  }
}

// Run-length and Flate data are raw bytes: the header declares Binary instead of Clean8Bit, and the rest
// of the document stays as it was, whether it was held in its file (here with page count fields that
// widened at page 10) or collected through a temporary file.
TEST(PsPictureData, BinaryDataIsDeclaredInTheHeader) {
  testing::FixCreationDate();
  const std::string picture = TrueColourFile();
  auto draw = [&](PS& ps, EncodingConstants encoding) {
    for (int page = 1; page <= 12; ++page) {
      ps.NewPage(20, 20, 20, 20, 255, 255, 255);
      ASSERT_TRUE(ps.DrawPicture(picture, AlignmentConstants::NoAlignment,
                                 page == 11 ? encoding : EncodingConstants::ASCII85));
      ASSERT_TRUE(ps.WriteText("after the picture"));
    }
  };
  for (const auto encoding : {EncodingConstants::ASCII85, EncodingConstants::ASCIIHex, EncodingConstants::RunLength,
                              EncodingConstants::Flate}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    const bool binary = encoding == EncodingConstants::RunLength || encoding == EncodingConstants::Flate;
    PS ps;
    const std::string path = testing::TempPath("data.ps");
    ASSERT_TRUE(ps.Create(path));
    draw(ps, encoding);
    const Lines lines = testing::FlushAndRead(ps, path, 12);
    EXPECT_EQ(lines[4], binary ? "%%DocumentData: Binary" : "%%DocumentData: Clean8Bit");
    EXPECT_EQ(lines[9], "%%Pages: 12");
    EXPECT_EQ(lines.back(), "%%EOF");

    PS memory;
    ASSERT_TRUE(memory.CreateInMemory());
    draw(memory, encoding);
    ASSERT_TRUE(memory.Flush());
    EXPECT_EQ(memory.TakeOutput(), testing::ReadFile(path));
    // A device: the document waits in a temporary file and is copied.
    PS device;
    ASSERT_TRUE(device.Create("/dev/null"));
    draw(device, encoding);
    EXPECT_TRUE(device.Flush());
  }
}

// A picture hangs from the top margin: with a deep top margin and a shallow bottom one it still shows
// its top-left pixel at the left and top margins.
TEST(PsPictureRendering, PictureHangsFromTheTopMarginWhateverTheBottomOne) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const testing::Source source = testing::EveryKindOfPicture()[3];
  const std::string path = testing::TempPath("margins.ps");
  PS ps;
  ASSERT_TRUE(ps.Create(path));
  ps.NewPage(30, 140, 40, 12, 255, 255, 255);
  ASSERT_TRUE(ps.DrawPicture(source.path, AlignmentConstants::NoAlignment, EncodingConstants::Flate));
  ps.SetPosition(100, 300);
  ASSERT_TRUE(ps.DrawPicture(source.path, AlignmentConstants::NoAlignment, EncodingConstants::ASCII85));
  testing::FlushAndRead(ps, path, 1);
  const std::vector<testing::Raster> rendered =
      testing::RenderPages(path, "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA");
  ASSERT_EQ(rendered.size(), 1u);
  EXPECT_LE(testing::WorstDifference(rendered[0], source, 30, 140), source.tolerance);
  EXPECT_LE(testing::WorstDifference(rendered[0], source, 130, 440), source.tolerance);
}

}  // namespace
}  // namespace paginor
