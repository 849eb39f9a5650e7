// Pictures in PDF: the exact lines of the placement stream, the image and palette objects, scaling,
// alignment, links and the position afterwards; refusals and files that do not load; the encodings
// kept for a file's content; and every encoding and depth rendered back by Ghostscript.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/picture_cache.h"
#include "support/external_tools.h"
#include "support/pdf_page_fixture.h"
#include "support/picture_sources.h"
#include "support/picture_writers.h"
#include "support/rendering.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::Bmp;
using testing::BmpFile;
using testing::Entries;
using testing::Lines;
using testing::Rgb;
using testing::Source;
using testing::Written;

std::string Ref(int32_t object) { return std::to_string(object) + " 0 R"; }

// A 3 by 2 picture of 24 bits; its rows, bottom first, are 03 02 01 06 05 04 09 08 07, then 0C ... 10.
std::string TrueColourFile() {
  BmpFile bmp = Bmp(3, 2, 24);
  bmp.rows = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\0\0\0"
                         "\x0A\x0B\x0C\x0D\x0E\x0F\x10\x11\x12\0\0\0", 24);
  return Written("true_colour.bmp", bmp.Bytes());
}

// A 10 by 2 picture of 1 bit with the colours 102030 and FFFFFF; its rows are A5 C3, then 0F FF.
std::string MonoFile() {
  BmpFile bmp = Bmp(10, 2, 1);
  bmp.afterHeader = Entries({0x102030, 0xFFFFFF});
  bmp.rows = std::string("\xA5\xC3\0\0\x0F\xFF\0\0", 8);
  return Written("mono.bmp", bmp.Bytes());
}

// A one-colour GIF of width by height pixels: a small file for a large picture.
std::string PlainGif(const std::string& name, int width, int height, Rgb colour = {200, 40, 40}) {
  testing::GifPicture gif;
  gif.screenWidth = gif.width = width;
  gif.screenHeight = gif.height = height;
  gif.globalColours = {colour, {0, 0, 0}};
  gif.indices.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  const std::string path = testing::TempPath(name);
  EXPECT_TRUE(testing::WriteGif(path, gif));
  return path;
}

class PdfPictures : public testing::PdfPageTest {
 protected:
  // The object numbers of the content streams drawn on a page, background and footer left out.
  std::vector<int32_t> DrawnObjects(size_t page = 0) {
    if (File.AllLines().empty()) Finish();
    const std::vector<int32_t> contents = File.PageList(page, "/Contents [ ");
    return std::vector<int32_t>(contents.begin() + 1, contents.end() - 1);
  }
  // The resource dictionary's line of images.
  std::string ImageResources() {
    if (File.AllLines().empty()) Finish();
    for (const std::string& line : File.AllLines()) {
      if (line.starts_with("/XObject")) return line;
    }
    return {};
  }
};

TEST_F(PdfPictures, TwentyFourBitPictureHasRgbComponentsAndNoPalette) {
  ASSERT_TRUE(Pdf.DrawPicture(TrueColourFile(), AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
  EXPECT_EQ(Position(), (std::vector<int>{0, 2}));
  EXPECT_EQ(Drawn(), (std::vector<Lines>{{"Q", "q", "3 0 0 -2 0 842 cm", "/I0 Do"}}));
  const int32_t placement = DrawnObjects()[0];
  const int32_t image = placement + 2;
  EXPECT_EQ(File.Object(image),
            (Lines{std::to_string(image) + " 0 obj", "<<", "/Type /XObject", "/Subtype /Image", "/Name /I0",
                   "/Width 3", "/Height 2", "/BitsPerComponent 8", "/ColorSpace /DeviceRGB",
                   "/Filter /ASCIIHexDecode", "/Length " + Ref(image + 1), ">>", "stream",
                   "030201060504090807" "0C0B0A0F0E0D121110>", "endstream", "endobj"}));
  EXPECT_EQ(File.Object(image + 1), (Lines{std::to_string(image + 1) + " 0 obj", "37", "endobj"}));
  // No palette: the next object is the footer's content stream.
  EXPECT_EQ(File.PageList(0, "/Contents [ ").back(), image + 2);
  EXPECT_EQ(ImageResources(), "/XObject << /I0 " + Ref(image) + " >>");
}

TEST_F(PdfPictures, OneBitPictureNamesItsPaletteStream) {
  Pdf.NewPage(50, 40, 50, 40, 255, 255, 255);
  Pdf.SetPosition(20, 30);
  ASSERT_TRUE(Pdf.DrawPicture(MonoFile(), AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
  EXPECT_EQ(Position(), (std::vector<int>{20, 32}));
  EXPECT_EQ(Drawn(1), (std::vector<Lines>{{"Q", "q", "10 0 0 -2 70 772 cm", "/I0 Do"}}));
  const int32_t image = DrawnObjects(1)[0] + 2;
  const int32_t palette = image + 2;
  const Lines dictionary = File.Object(image);
  ASSERT_GE(dictionary.size(), 14u);
  EXPECT_EQ(Lines(dictionary.begin() + 5, dictionary.begin() + 14),
            (Lines{"/Width 10", "/Height 2", "/BitsPerComponent 1",
                   "/ColorSpace [ /Indexed /DeviceRGB 1 " + Ref(palette) + " ]", "/Filter /ASCIIHexDecode",
                   "/Length " + Ref(image + 1), ">>", "stream", "A5C30FFF>"}));
  EXPECT_EQ(File.Object(palette),
            (Lines{std::to_string(palette) + " 0 obj", "<<", "/Length " + Ref(palette + 1),
                   "/Filter /ASCIIHexDecode", ">>", "stream", "102030FFFFFF>", "endstream", "endobj"}));
  EXPECT_EQ(File.Object(palette + 1), (Lines{std::to_string(palette + 1) + " 0 obj", "13", "endobj"}));
}

TEST_F(PdfPictures, PictureBoxScalesTheDrawingButNotTheImage) {
  const std::string landscape = PlainGif("landscape.gif", 400, 300);
  const std::string portrait = PlainGif("portrait.gif", 300, 400);
  Pdf.SetPictureDimensions(200, 200);
  ASSERT_TRUE(Pdf.DrawPicture(landscape));
  EXPECT_EQ(Position(), (std::vector<int>{0, 150}));
  ASSERT_TRUE(Pdf.DrawPicture(portrait));
  EXPECT_EQ(Position(), (std::vector<int>{0, 350}));
  Pdf.SetPictureDimensions(500, 500);  // never enlarged
  ASSERT_TRUE(Pdf.DrawPicture(landscape));
  EXPECT_EQ(Position(), (std::vector<int>{0, 650}));

  std::vector<std::string> placements;
  for (const Lines& stream : Drawn()) placements.push_back(stream.at(2));
  EXPECT_EQ(placements, (std::vector<std::string>{"200 0 0 -150 0 842 cm", "150 0 0 -200 0 692 cm",
                                                  "400 0 0 -300 0 492 cm"}));
  const Lines first = File.Object(DrawnObjects()[0] + 2);
  EXPECT_NE(std::find(first.begin(), first.end(), "/Width 400"), first.end());
  EXPECT_NE(std::find(first.begin(), first.end(), "/Height 300"), first.end());
}

TEST_F(PdfPictures, EveryPictureGetsItsOwnNumberedImage) {
  const std::string mono = MonoFile();
  ASSERT_TRUE(Pdf.DrawPicture(mono, AlignmentConstants::NoAlignment, "", EncodingConstants::Flate));
  ASSERT_TRUE(Pdf.DrawPicture(mono, AlignmentConstants::NoAlignment, "", EncodingConstants::Flate));
  Pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  ASSERT_TRUE(Pdf.DrawPicture(TrueColourFile(), AlignmentConstants::NoAlignment, "", EncodingConstants::RunLength));

  const std::vector<int32_t> first = DrawnObjects(0), second = DrawnObjects(1);
  ASSERT_EQ(first.size(), 2u);
  ASSERT_EQ(second.size(), 1u);
  const int32_t images[3] = {first[0] + 2, first[1] + 2, second[0] + 2};
  EXPECT_EQ(File.StreamData(first[1]), (Lines{"Q", "q", "10 0 0 -2 0 840 cm", "/I1 Do"}));
  EXPECT_EQ(File.StreamData(second[0]).back(), "/I2 Do");
  for (int index = 0; index < 3; ++index) {
    EXPECT_EQ(File.Object(images[index]).at(4), "/Name /I" + std::to_string(index));
  }
  // The same file drawn twice: two image objects and two palettes with the same data.
  EXPECT_EQ(File.StreamData(images[0]), File.StreamData(images[1]));
  EXPECT_EQ(File.StreamData(images[0] + 2), File.StreamData(images[1] + 2));
  EXPECT_EQ(ImageResources(), "/XObject << /I0 " + Ref(images[0]) + " /I1 " + Ref(images[1]) + " /I2 " +
                                  Ref(images[2]) + " >>");
}

TEST_F(PdfPictures, AlignmentMovesThePictureAndALinkCoversIt) {
  Pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  Pdf.SetPosition(10, 20);
  ASSERT_TRUE(Pdf.DrawPicture(TrueColourFile(), AlignmentConstants::Center, "http://example.com/a(b",
                              EncodingConstants::ASCII85));
  EXPECT_EQ(Position(), (std::vector<int>{10, 22}));  // the line start, below the picture
  ASSERT_TRUE(Pdf.DrawPicture(TrueColourFile(), AlignmentConstants::RightAlign));
  EXPECT_EQ(Position(), (std::vector<int>{10, 24}));
  // (523 - 3) / 2 = 260 from the left margin; the picture's top at 842 - 36 - 20.
  const std::vector<Lines> drawn = Drawn(1);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].at(2), "3 0 0 -2 296 786 cm");
  EXPECT_EQ(drawn[1].at(2), "3 0 0 -2 556 784 cm");
  const std::vector<int32_t> annotations = File.PageList(1, "/Annots [ ");
  ASSERT_EQ(annotations.size(), 1u);
  const Lines link = File.Object(annotations[0]);
  EXPECT_NE(std::find(link.begin(), link.end(), "/A << /URI (http://example.com/a\\(b) /S /URI >>"), link.end());
  EXPECT_NE(std::find(link.begin(), link.end(), "/Rect [296 786 299 784]"), link.end());
  // The annotation follows the image (and its length object), which has no palette.
  EXPECT_EQ(annotations[0], DrawnObjects(1)[0] + 4);
}

TEST_F(PdfPictures, RefusalsWriteNothingAndKeepThePosition) {
  const std::string mono = MonoFile();  // 10 by 2
  Pdf.SetPosition(40, 50);
  EXPECT_FALSE(Pdf.DrawPicture(mono, AlignmentConstants::NoAlignment, "", static_cast<EncodingConstants>(0)));
  EXPECT_FALSE(Pdf.DrawPicture(mono, AlignmentConstants::NoAlignment, "", static_cast<EncodingConstants>(5)));
  EXPECT_FALSE(Pdf.DrawPicture(mono, static_cast<AlignmentConstants>(4)));
  EXPECT_FALSE(Pdf.DrawPicture(mono, static_cast<AlignmentConstants>(-1)));
  // Too low on the page, and too far right at the current x even though centring would fit it.
  Pdf.SetPosition(40, 841);
  EXPECT_FALSE(Pdf.DrawPicture(mono));
  Pdf.SetPosition(586, 50);
  EXPECT_FALSE(Pdf.DrawPicture(mono, AlignmentConstants::Center));
  EXPECT_EQ(Position(), (std::vector<int>{586, 50}));

  // Exactly to the bottom and to the right edge fits.
  Pdf.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  Pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  Pdf.SetPosition(585, 840);
  ASSERT_TRUE(Pdf.DrawPicture(mono));
  EXPECT_EQ(Position(), (std::vector<int>{585, 842}));
  EXPECT_TRUE(Drawn(0).empty());
  EXPECT_EQ(Drawn(1).size(), 1u);
}

TEST_F(PdfPictures, FilesThatDoNotLoadAreRefusedWithoutATrace) {
  std::string bmp = Bmp(4, 4, 24).Bytes();
  bmp += std::string(48, '\x7F');
  const std::string whole = Written("whole.bmp", bmp);
  ASSERT_TRUE(Pdf.DrawPicture(whole));  // the picture itself is sound
  const std::string directory = testing::TempPath("a_directory.bmp");
  std::filesystem::create_directories(directory);
  testing::JpegPicture photo;
  photo.width = photo.height = 8;
  photo.samples.assign(8 * 8 * 3, 90);
  const std::string jpeg = testing::TempPath("cut.jpg");
  testing::WriteJpeg(jpeg, photo);
  const std::string jpegBytes = testing::ReadFile(jpeg);
  const std::string gifBytes = testing::ReadFile(PlainGif("cut.gif", 30, 30));
  const std::string failing[] = {
      testing::TempPath("missing.bmp"),
      directory,
      Written("empty.bmp", ""),
      Written("text.bmp", "not a picture at all"),
      Written("cut.bmp", bmp.substr(0, bmp.size() - 20)),
      Written("cut.jpg", jpegBytes.substr(0, jpegBytes.size() / 2)),
      Written("cut.gif", gifBytes.substr(0, 20)),
  };
  Pdf.SetPosition(5, 100);
  for (const std::string& file : failing) {
    for (const EncodingConstants encoding : {EncodingConstants::ASCII85, EncodingConstants::Flate}) {
      EXPECT_FALSE(Pdf.DrawPicture(file, AlignmentConstants::Center, "http://example.com", encoding)) << file;
    }
  }
  EXPECT_EQ(Position(), (std::vector<int>{5, 100}));
  EXPECT_EQ(Drawn().size(), 1u);  // the sound picture only; Finish has checked the file with the readers
  EXPECT_TRUE(File.PageList(0, "/Annots [ ").empty());
}

TEST_F(PdfPictures, AFileReplacedBetweenCallsIsLoadedAgain) {
  const std::string path = PlainGif("replaced.gif", 3, 2, {10, 20, 30});
  ASSERT_TRUE(Pdf.DrawPicture(path, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
  const std::string first = testing::ReadFile(path);
  PlainGif("replaced.gif", 3, 2, {40, 50, 60});  // same name, same size, other colour
  ASSERT_TRUE(Pdf.DrawPicture(path, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
  PlainGif("replaced.gif", 5, 1, {40, 50, 60});  // other size
  ASSERT_TRUE(Pdf.DrawPicture(path, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
  testing::WriteFile(path, first);  // back to the first content
  ASSERT_TRUE(Pdf.DrawPicture(path, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));

  const std::vector<int32_t> placements = DrawnObjects();
  ASSERT_EQ(placements.size(), 4u);
  std::vector<std::string> palettes, widths;
  for (const int32_t placement : placements) {
    palettes.push_back(File.StreamData(placement + 4).at(0).substr(0, 12));
    widths.push_back(File.Object(placement + 2).at(5));
  }
  EXPECT_EQ(palettes, (std::vector<std::string>{"0A141E000000", "28323C000000", "28323C000000", "0A141E000000"}));
  EXPECT_EQ(widths, (std::vector<std::string>{"/Width 3", "/Width 3", "/Width 5", "/Width 3"}));
}

// The cache keeps what it encoded, within its bound, and gives the same bytes as a fresh encoding.
TEST(PictureCacheTest, KeepsEncodingsWithinItsBound) {
  const PictureCodec services;
  const std::string mono = MonoFile();
  const std::string large = PlainGif("large.gif", 300, 200);
  PictureCache keeping(services);
  PictureCache forgetting(services, 0);
  for (const EncodingConstants encoding : {EncodingConstants::ASCII85, EncodingConstants::ASCIIHex,
                                           EncodingConstants::RunLength, EncodingConstants::Flate}) {
    for (int round = 0; round < 2; ++round) {
      std::optional<EmbeddedPicture> kept = keeping.Load(mono);
      std::optional<EmbeddedPicture> fresh = forgetting.Load(mono);
      ASSERT_TRUE(kept && fresh);
      EXPECT_EQ(kept->BitsPerPixel(), 1);
      const std::span<const uint8_t> pixels = kept->Pixels(encoding), palette = kept->Palette(encoding);
      EXPECT_TRUE(std::ranges::equal(pixels, fresh->Pixels(encoding)));
      EXPECT_TRUE(std::ranges::equal(palette, fresh->Palette(encoding)));
    }
  }
  EXPECT_EQ(forgetting.StoredBytes(), 0u);
  const size_t stored = keeping.StoredBytes();
  EXPECT_GT(stored, testing::ReadFile(mono).size());

  // A bound that holds either of two pictures but not both: the least recently used goes first. A
  // picture larger than the whole bound is not kept, and pushes nothing out.
  auto bytesOf = [&](const std::string& file) {
    PictureCache alone(services);
    alone.Load(file)->Pixels(EncodingConstants::ASCIIHex);
    return alone.StoredBytes();
  };
  const std::string truecolour = TrueColourFile();
  const size_t monoBytes = bytesOf(mono), truecolourBytes = bytesOf(truecolour);
  PictureCache small(services, std::max(monoBytes, truecolourBytes));
  small.Load(mono)->Pixels(EncodingConstants::ASCIIHex);
  EXPECT_EQ(small.StoredBytes(), monoBytes);
  small.Load(truecolour)->Pixels(EncodingConstants::ASCIIHex);
  EXPECT_EQ(small.StoredBytes(), truecolourBytes);
  small.Load(large)->Pixels(EncodingConstants::ASCII85);
  EXPECT_EQ(small.StoredBytes(), truecolourBytes);
  EXPECT_FALSE(small.Load(testing::TempPath("no such picture.gif")));
}

TEST(PdfPictureRendering, EveryEncodingOfEveryDepthShowsTheSourcePixels) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  testing::FixCreationDate();
  const std::vector<Source> sources = testing::EveryKindOfPicture();
  const EncodingConstants encodings[] = {EncodingConstants::ASCII85, EncodingConstants::ASCIIHex,
                                         EncodingConstants::RunLength, EncodingConstants::Flate};
  const std::string path = testing::TempPath("rendering.pdf");
  PDF pdf;
  ASSERT_TRUE(pdf.Create(path));
  for (const Source& source : sources) {
    for (const EncodingConstants encoding : encodings) {
      pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
      ASSERT_TRUE(pdf.DrawPicture(source.path, AlignmentConstants::NoAlignment, "", encoding)) << source.name;
    }
  }
  testing::FlushAndCheck(pdf, path);

  const std::vector<testing::Raster> pages = testing::RenderPages(path);
  ASSERT_EQ(pages.size(), sources.size() * std::size(encodings));
  size_t page = 0;
  for (const Source& source : sources) {
    for (const EncodingConstants encoding : encodings) {
      const testing::Raster& raster = pages[page++];
      const int worst = testing::WorstDifference(raster, source);
      EXPECT_LE(worst, source.tolerance) << source.name << " with encoding " << static_cast<int>(encoding);
      // Beside and below the picture the page stays white (inside the background's black outline).
      EXPECT_EQ(raster.At(source.width, 2), (Rgb{255, 255, 255})) << source.name;
      EXPECT_EQ(raster.At(2, source.height), (Rgb{255, 255, 255})) << source.name;
    }
  }
}

}  // namespace
}  // namespace paginor
