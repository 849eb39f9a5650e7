// PNG pictures: every colour type and depth, made with ImageMagick, drawn with every encoding in both
// formats over a coloured page and read back by real renderers; the PDF version and soft masks;
// transparency over figures; damaged files.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <zlib.h>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/rendering.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using Rgb = std::array<uint8_t, 3>;
constexpr int Width = 13, Height = 7;
constexpr Rgb Page = {40, 160, 220};
constexpr EncodingConstants Encodings[] = {EncodingConstants::ASCII85, EncodingConstants::ASCIIHex,
                                           EncodingConstants::RunLength, EncodingConstants::Flate};
constexpr const char* PsPage = "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA";

// A PNG file made by ImageMagick, and its pixels as ImageMagick reads them back (red, green, blue,
// opacity, top row first): what a reader must show.
struct Png {
  std::string name;
  std::string path;
  std::vector<uint8_t> rgba;
};

// Red, green, blue, opacity of a pixel of a source picture.
using Pixel = std::array<uint8_t, 4>;
using Source = Pixel (*)(int x, int y);

uint8_t Level(int value) { return static_cast<uint8_t>(value & 255); }
Pixel Grey(int level, int opacity = 255) { return {Level(level), Level(level), Level(level), Level(opacity)}; }

// Grey levels that a depth of bits holds exactly.
template <int Bits>
Pixel GreyLevels(int x, int y) {
  const int levels = (1 << Bits) - 1;
  return Grey((x + 3 * y) % (levels + 1) * 255 / levels);
}
Pixel GreyRamp(int x, int y) { return Grey(x * 19 + y * 5); }
Pixel GreyWithOpacity(int x, int y) { return Grey(x * 19 + y * 5, (x * 41 + y * 67) % 256); }
// Grey, one level of which (0x33) is fully transparent.
Pixel GreyWithClearLevel(int x, int y) { return (x + y) % 4 == 0 ? Grey(0x33, 0) : Grey(x * 16 + 100); }
Pixel Colour(int x, int y) { return {Level(x * 19), Level(y * 37), Level(x * y * 7 + 11), 255}; }
Pixel ColourWithOpacity(int x, int y) {
  Pixel pixel = Colour(x, y);
  pixel[3] = Level((x * 41 + y * 67) % 256);
  if (x == 0) pixel[3] = 0;
  if (x == 1) pixel[3] = 255;
  return pixel;
}
// Colour, one colour of which is fully transparent.
Pixel ColourWithClearColour(int x, int y) { return (x + y) % 4 == 0 ? Pixel{1, 2, 3, 0} : Colour(x, y); }
// A palette of 1 << Bits colours, the last one left out of the picture when one is transparent.
template <int Bits, bool Clear>
Pixel Palette(int x, int y) {
  const int colours = 1 << Bits;
  const int index = (x + 2 * y) % colours;
  if (Clear && index == colours - 1) return {0, 0, 0, 0};
  return {Level(index * 255 / (colours - 1)), Level(255 - index * 60), Level(index * 91 + 13), 255};
}

std::string PamOf(Source source) {
  std::string pam = "P7\nWIDTH " + std::to_string(Width) + "\nHEIGHT " + std::to_string(Height) +
                    "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      for (const uint8_t channel : source(x, y)) pam.push_back(static_cast<char>(channel));
    }
  }
  return pam;
}

// The header fields of a PNG file: bit depth, colour type, interlace method, and whether it has a tRNS
// chunk.
std::string HeaderOf(const std::string& bytes) {
  const size_t header = bytes.find("IHDR");
  if (header == std::string::npos || header + 17 > bytes.size()) return "no header";
  return "depth " + std::to_string(static_cast<uint8_t>(bytes[header + 12])) + " type " +
         std::to_string(static_cast<uint8_t>(bytes[header + 13])) +
         (bytes[header + 16] != 0 ? " interlaced" : "") + (bytes.find("tRNS") != std::string::npos ? " tRNS" : "");
}

// Makes name.png from source with ImageMagick's options (output prefix "PNG8:" where palette pictures
// with binary transparency are asked for), checking that the file is of the kind header describes.
Png MakePng(const std::string& name, Source source, const std::string& options, const std::string& header,
            const std::string& prefix = "") {
  Png png{name, testing::TempPath(name + ".png"), {}};
  const std::string pam = testing::TempPath(name + ".pam");
  testing::WriteFile(pam, PamOf(source));
  const testing::CommandResult made =
      testing::RunCommand("convert " + testing::Quoted(pam) + " " + options + " " + testing::Quoted(prefix + png.path));
  EXPECT_EQ(made.status, 0) << name << ": " << made.output;
  EXPECT_EQ(HeaderOf(testing::ReadFile(png.path)), header) << name;
  const testing::CommandResult read =
      testing::RunCommand("convert " + testing::Quoted(png.path) + " -depth 8 RGBA:-");
  png.rgba.assign(read.output.begin(), read.output.end());
  EXPECT_EQ(png.rgba.size(), size_t{Width} * Height * 4) << name << ": " << read.output.substr(0, 200);
  return png;
}

std::vector<Png> EveryKindOfPng() {
  const std::string grey = "-define png:color-type=0 -define png:bit-depth=";
  const std::string greyAlpha = "-define png:color-type=4 -define png:bit-depth=";
  const std::string colour = "-define png:color-type=2 -define png:bit-depth=";
  const std::string colourAlpha = "-define png:color-type=6 -define png:bit-depth=";
  return {
      MakePng("grey1", GreyLevels<1>, grey + "1", "depth 1 type 0"),
      MakePng("grey2", GreyLevels<2>, grey + "2", "depth 2 type 0"),
      MakePng("grey4", GreyLevels<4>, grey + "4", "depth 4 type 0"),
      MakePng("grey8", GreyRamp, grey + "8", "depth 8 type 0"),
      MakePng("grey16", GreyRamp, grey + "16", "depth 16 type 0"),
      MakePng("grey2-interlaced", GreyLevels<2>, "-interlace PNG " + grey + "2", "depth 2 type 0 interlaced"),
      MakePng("grey8-clear-level", GreyWithClearLevel, grey + "8", "depth 8 type 0 tRNS"),
      MakePng("grey16-clear-level", GreyWithClearLevel, grey + "16", "depth 16 type 0 tRNS"),
      MakePng("grey-alpha8", GreyWithOpacity, greyAlpha + "8", "depth 8 type 4"),
      MakePng("grey-alpha16", GreyWithOpacity, greyAlpha + "16", "depth 16 type 4"),
      MakePng("rgb8", Colour, colour + "8", "depth 8 type 2"),
      MakePng("rgb16", Colour, colour + "16", "depth 16 type 2"),
      MakePng("rgb8-interlaced", Colour, "-interlace PNG " + colour + "8", "depth 8 type 2 interlaced"),
      MakePng("rgb8-clear-colour", ColourWithClearColour, colour + "8", "depth 8 type 2 tRNS"),
      MakePng("rgb16-clear-colour", ColourWithClearColour, colour + "16", "depth 16 type 2 tRNS"),
      MakePng("rgba8", ColourWithOpacity, colourAlpha + "8", "depth 8 type 6"),
      MakePng("rgba16", ColourWithOpacity, colourAlpha + "16", "depth 16 type 6"),
      MakePng("rgba16-interlaced", ColourWithOpacity, "-interlace PNG " + colourAlpha + "16",
              "depth 16 type 6 interlaced"),
      MakePng("palette1", Palette<1, false>, "-define png:bit-depth=1", "depth 1 type 3", "PNG8:"),
      MakePng("palette2", Palette<2, false>, "-define png:bit-depth=2", "depth 2 type 3", "PNG8:"),
      MakePng("palette4", Palette<4, false>, "-define png:bit-depth=4", "depth 4 type 3", "PNG8:"),
      MakePng("palette8", GreyRamp, "-define png:color-type=3 -define png:bit-depth=8", "depth 8 type 3"),
      MakePng("palette2-clear", Palette<2, true>, "-define png:bit-depth=2", "depth 2 type 3 tRNS", "PNG8:"),
      MakePng("palette4-clear-interlaced", Palette<4, true>, "-interlace PNG -define png:bit-depth=4",
              "depth 4 type 3 interlaced tRNS", "PNG8:"),
  };
}

// The source pixel laid over the page's colour.
Rgb Over(const Png& png, int x, int y, Rgb background) {
  const uint8_t* pixel = png.rgba.data() + (static_cast<size_t>(y) * Width + static_cast<size_t>(x)) * 4;
  Rgb mixed{};
  for (size_t channel = 0; channel < 3; ++channel) {
    mixed[channel] = static_cast<uint8_t>((pixel[channel] * pixel[3] + background[channel] * (255 - pixel[3]) + 127) / 255);
  }
  return mixed;
}

// The largest difference of a channel between a picture drawn at left, top and the source over the
// background.
int WorstDifference(const testing::Raster& raster, const Png& png, int left, int top, Rgb background) {
  int worst = 0;
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      const Rgb shown = raster.At(left + x, top + y), expected = Over(png, x, y, background);
      for (size_t channel = 0; channel < 3; ++channel) worst = std::max(worst, std::abs(shown[channel] - expected[channel]));
    }
  }
  return worst;
}

// DrawPicture without a hyperlink, in either format.
bool Draw(Document& document, const std::string& file, EncodingConstants encoding) {
  return document.DrawPicture(file, AlignmentConstants::NoAlignment, encoding);
}

// One page for each picture, on the coloured page, drawn once with every encoding, 10 points apart.
template <typename Document>
void DrawEveryPng(Document& document, const std::string& path, const std::vector<Png>& pngs) {
  ASSERT_TRUE(document.Create(path));
  for (const Png& png : pngs) {
    document.NewPage(10, 10, 10, 10, Page[0], Page[1], Page[2]);
    for (size_t index = 0; index < std::size(Encodings); ++index) {
      document.SetPosition(0, static_cast<int16_t>(index * 10));
      ASSERT_TRUE(Draw(document, png.path, Encodings[index])) << png.name;
    }
  }
}

void ExpectEveryPngShown(const std::vector<testing::Raster>& pages, const std::vector<Png>& pngs,
                         const std::string& renderer) {
  ASSERT_EQ(pages.size(), pngs.size()) << renderer;
  for (size_t page = 0; page < pngs.size(); ++page) {
    for (size_t index = 0; index < std::size(Encodings); ++index) {
      const int top = 10 + static_cast<int>(index) * 10;
      EXPECT_LE(WorstDifference(pages[page], pngs[page], 10, top, Page), 1)
          << renderer << ": " << pngs[page].name << " with encoding " << static_cast<int>(Encodings[index]);
    }
  }
}

TEST(PngPictures, EveryColourTypeAndDepthInEveryEncodingShowsItsPixelsOverThePage) {
  if (!testing::HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  if (!testing::HasTool("pdftoppm")) GTEST_SKIP() << "pdftoppm is not installed";
  testing::FixCreationDate();
  const std::vector<Png> pngs = EveryKindOfPng();
  ASSERT_FALSE(::testing::Test::HasFailure());

  const std::string pdfPath = testing::TempPath("every-png.pdf"), psPath = testing::TempPath("every-png.ps");
  PDF pdf;
  DrawEveryPng(pdf, pdfPath, pngs);
  testing::FlushAndCheck(pdf, pdfPath);
  PS ps;
  DrawEveryPng(ps, psPath, pngs);
  ASSERT_TRUE(ps.Flush());

  ExpectEveryPngShown(testing::RenderPages(pdfPath), pngs, "PDF through Ghostscript");
  ExpectEveryPngShown(testing::RenderPagesWithPoppler(pdfPath, 40, 60), pngs, "PDF through pdftoppm");
  ExpectEveryPngShown(testing::RenderPages(psPath, PsPage), pngs, "PostScript through Ghostscript");
}

// A red square, then a picture whose left column is clear over it.
template <typename Document>
void DrawOverSquare(Document& document, const std::string& png) {
  document.NewPage(10, 10, 10, 10, Page[0], Page[1], Page[2]);
  document.SetFillColor(255, 0, 0);
  document.SetFillStyle(true);
  document.SetColor(255, 0, 0);
  ASSERT_TRUE(document.DrawRectangle(0, 0, 30, 30));
  document.SetPosition(5, 5);
  ASSERT_TRUE(Draw(document, png, EncodingConstants::Flate));
}

TEST(PngPictures, TransparencyNeedsPdf14AndShowsFiguresBeneathInPdfOnly) {
  if (!testing::HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  testing::FixCreationDate();
  const Png opaque = MakePng("opaque", Colour, "-define png:color-type=6 -define png:bit-depth=8", "depth 8 type 6");
  const Png clear = MakePng("clear", ColourWithOpacity, "-define png:color-type=6 -define png:bit-depth=8", "depth 8 type 6");

  // Opaque pictures, even with an alpha channel, are written as before: no mask, version 1.2.
  // A PDF of the picture over the square, as its file's bytes.
  const auto pdfOverSquare = [](const std::string& path, const std::string& picture) {
    PDF pdf;
    EXPECT_TRUE(pdf.Create(path));
    DrawOverSquare(pdf, picture);
    testing::FlushAndCheck(pdf, path);
    return testing::ReadFile(path);
  };
  const std::string opaqueBytes = pdfOverSquare(testing::TempPath("opaque.pdf"), opaque.path);
  EXPECT_EQ(opaqueBytes.substr(0, 10), "%PDF-1.2\r\n");
  EXPECT_EQ(opaqueBytes.find("/SMask"), std::string::npos);

  const std::string pdfPath = testing::TempPath("clear.pdf"), psPath = testing::TempPath("clear.ps");
  const std::string pdfBytes = pdfOverSquare(pdfPath, clear.path);
  EXPECT_EQ(pdfBytes.substr(0, 10), "%PDF-1.4\r\n");
  EXPECT_NE(pdfBytes.find("/SMask"), std::string::npos);
  EXPECT_NE(pdfBytes.find("/ColorSpace /DeviceGray"), std::string::npos);
  EXPECT_EQ(pdfBytes.find("/Version"), std::string::npos);
  PS ps;
  ASSERT_TRUE(ps.Create(psPath));
  DrawOverSquare(ps, clear.path);
  ASSERT_TRUE(ps.Flush());

  // The square shows through the PDF picture; the PostScript picture covers it with the page's colour.
  const std::vector<testing::Raster> pdfPages = testing::RenderPages(pdfPath);
  const std::vector<testing::Raster> psPages = testing::RenderPages(psPath, PsPage);
  ASSERT_FALSE(pdfPages.empty());
  ASSERT_FALSE(psPages.empty());
  EXPECT_LE(WorstDifference(pdfPages[0], clear, 15, 15, {255, 0, 0}), 1);
  EXPECT_LE(WorstDifference(psPages[0], clear, 15, 15, Page), 1);
  EXPECT_EQ(pdfPages[0].At(15, 15), (Rgb{255, 0, 0}));  // a clear pixel
  EXPECT_EQ(psPages[0].At(15, 15), Page);
}

TEST(PngPictures, TheHeaderIsRaisedWhereverTheDocumentGoes) {
  if (!testing::HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  testing::FixCreationDate();
  const Png clear = MakePng("clear-late", ColourWithOpacity, "-define png:color-type=6", "depth 8 type 6");
  // Pictures of noise written in hexadecimal, more than the megabyte a document keeps in memory, come
  // before the transparent one: the header has left.
  const std::string noise = testing::TempPath("noise.png");
  const testing::CommandResult made =
      testing::RunCommand("convert -seed 7 -size 560x390 xc:gray +noise Random -type TrueColor " + testing::Quoted(noise));
  ASSERT_EQ(made.status, 0) << made.output;
  auto draw = [&](PDF& pdf) {
    pdf.NewPage(10, 10, 10, 10, 255, 255, 255);
    // Bytes leave memory once a later output needs room.
    for (int twice = 0; twice < 2; ++twice) {
      ASSERT_TRUE(pdf.DrawPicture(noise, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
    }
    ASSERT_TRUE(pdf.DrawPicture(clear.path));
  };
  const std::string path = testing::TempPath("late.pdf");
  PDF toFile;
  ASSERT_TRUE(toFile.Create(path));
  draw(toFile);
  testing::FlushAndCheck(toFile, path);
  const std::string fileBytes = testing::ReadFile(path);
  EXPECT_GT(fileBytes.size(), size_t{1} << 20);
  EXPECT_EQ(fileBytes.substr(0, 8), "%PDF-1.4");

  PDF inMemory;
  ASSERT_TRUE(inMemory.CreateInMemory());
  draw(inMemory);
  ASSERT_TRUE(inMemory.Flush());
  EXPECT_EQ(inMemory.TakeOutput(), fileBytes);

  // A function took the header for good: the catalog names the version instead.
  std::string taken;
  PDF toFunction;
  ASSERT_TRUE(toFunction.Create([&](std::string_view bytes) {
    taken.append(bytes);
    return true;
  }));
  draw(toFunction);
  ASSERT_TRUE(toFunction.Flush());
  EXPECT_EQ(taken.substr(0, 8), "%PDF-1.2");
  EXPECT_NE(taken.find("/Type /Catalog\r\n/Pages 2 0 R\r\n/Version /1.4\r\n>>"), std::string::npos);
  testing::WriteFile(path, taken);
  EXPECT_EQ(testing::ReaderProblems(path), "");
}

// The CRC of a PNG chunk: its type and data.
void FixChunkCrc(std::string& png, size_t type, size_t length) {
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + type), static_cast<uInt>(length + 4));
  for (int byte = 0; byte < 4; ++byte) png[type + 4 + length + static_cast<size_t>(byte)] = static_cast<char>(crc >> (24 - 8 * byte));
}

TEST(PngPictures, DamagedTruncatedEmptyAndOversizedFilesChangeNothing) {
  if (!testing::HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  testing::FixCreationDate();
  const std::string good = testing::ReadFile(MakePng("good", Colour, "-define png:color-type=2", "depth 8 type 2").path);
  const size_t header = good.find("IHDR"), data = good.find("IDAT");
  ASSERT_NE(data, std::string::npos);

  std::string damaged = good;  // a pixel byte changed: the chunk's CRC no longer matches
  damaged[data + 10] = static_cast<char>(damaged[data + 10] ^ 0x55);
  std::string inflated = good;  // the CRC is right, but the compressed data is not deflate's
  for (size_t at = data + 4; at < data + 12; ++at) inflated[at] = '\xFF';
  FixChunkCrc(inflated, data, static_cast<size_t>(static_cast<uint8_t>(good[data - 1])));
  std::string oversized = good;  // 30000 by 30000 pixels claimed by a file of a few hundred bytes
  for (const size_t field : {header + 4, header + 8}) {
    oversized[field + 2] = static_cast<char>(30000 >> 8);
    oversized[field + 3] = static_cast<char>(30000 & 255);
  }
  FixChunkCrc(oversized, header, 13);
  std::string huge = oversized;  // past the 32767 pixels any picture may have
  huge[header + 6] = '\x90';
  FixChunkCrc(huge, header, 13);
  const struct {
    const char* name;
    std::string bytes;
  } bad[] = {{"damaged", damaged}, {"inflated", inflated}, {"truncated", good.substr(0, good.size() - 20)},
             {"without its end", good.substr(0, good.size() - 12)}, {"empty", ""},
             {"signature alone", good.substr(0, 8)}, {"oversized", oversized}, {"huge", huge}};

  auto write = [&](auto& document, const std::string& path, const std::string* picture) {
    ASSERT_TRUE(document.Create(path));
    document.NewPage(10, 10, 10, 10, Page[0], Page[1], Page[2]);
    if (picture != nullptr) {
      EXPECT_FALSE(Draw(document, *picture, EncodingConstants::Flate));
      EXPECT_EQ(document.LastFailure(), FailureConstants::PictureNotLoadable) << *picture;
      EXPECT_NE(document.LastFailureMessage().find(*picture), std::string::npos);
      EXPECT_NE(document.LastFailureMessage().find("PNG"), std::string::npos)
          << document.LastFailureMessage();
    }
    ASSERT_TRUE(document.Flush());
  };
  PDF pdf;
  PS ps;
  const std::string pdfPath = testing::TempPath("untouched.pdf"), psPath = testing::TempPath("untouched.ps");
  write(pdf, pdfPath, nullptr);
  write(ps, psPath, nullptr);
  const std::string pdfUntouched = testing::ReadFile(pdfPath), psUntouched = testing::ReadFile(psPath);
  for (const auto& each : bad) {
    const std::string picture = testing::TempPath(std::string(each.name) + ".png");
    testing::WriteFile(picture, each.bytes);
    write(pdf, pdfPath, &picture);
    write(ps, psPath, &picture);
    EXPECT_EQ(testing::ReadFile(pdfPath), pdfUntouched) << each.name;
    EXPECT_EQ(testing::ReadFile(psPath), psUntouched) << each.name;
  }
}

}  // namespace
}  // namespace paginor
