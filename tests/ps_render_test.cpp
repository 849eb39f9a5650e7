// The same operations written once as PDF and once as PostScript look alike: both are rendered by
// Ghostscript on the same paper at one pixel a point and compared pixel by pixel.
#include <gtest/gtest.h>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/picture_sources.h"
#include "support/ps_reader.h"
#include "support/random_pages.h"
#include "support/rendering.h"
#include "support/test_files.h"

namespace paginor {
namespace {

// Figures, texts with effects, titles, a picture and a paragraph that runs onto a second page.
void DrawSample(Document& document, const std::string& picture) {
  document.NewPage(40, 50, 40, 50, 255, 250, 235);
  document.SetFont(FontNumberConstants::Helvetica, 18, FontStyleConstants::Bold, FontEffectConstants::Underline);
  document.WriteText("Sample (both formats)", true, 6, AlignmentConstants::Center);
  document.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::Italic, FontEffectConstants::NoFontEffect);
  document.SetColor(0, 0, 160);
  document.WriteTitle("A title with a disc", AlignmentConstants::NoAlignment, BulletConstants::Disc);
  document.WriteTitle("A title with a square", AlignmentConstants::RightAlign, BulletConstants::Square);
  document.SetColor(0, 0, 0);
  document.SetFont(FontNumberConstants::Courier, 10, FontStyleConstants::Regular,
                   FontEffectConstants::Strikethrough);
  document.WriteText("struck through", true, 4);
  document.DrawPicture(picture, AlignmentConstants::Center, EncodingConstants::Flate);
  document.SetColor(200, 0, 0);
  document.SetFillColor(255, 220, 0);
  document.SetFillStyle(true);
  document.SetThickness(3);
  document.DrawRectangle(10, 200, 120, 60);
  document.DrawCircle(200, 230, 30);
  document.DrawArc(300, 230, 30, 30, 300);
  document.DrawCurve(350, 200, 420, 300, 480, 200);
  document.SetDash("6 3");
  document.DrawLine(10, 290, 480, 290);
  document.SetDash("");
  document.SetFillStyle(false);
  document.DrawLine(10, 300, 480, 300);
  document.SetThickness(1);
  document.SetColor(0, 0, 0);
  document.SetFont(FontNumberConstants::Times, 14, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  document.SetPosition(0, 320);
  std::string text;
  for (int word = 0; word < 700; ++word) text += (word % 7 == 0 ? "paragraph " : "words ") + std::to_string(word) + " ";
  document.WriteMultiText(text, 3, AlignmentConstants::NoAlignment, true, 0);
}

// The share of pixels that differ by more than a little in any channel; PostScript's pixel (x, y) is
// compared with the PDF's pixel that shows the same point of the page, through map.
template <typename Map>
double DifferingShare(const testing::Raster& pdf, const testing::Raster& ps, Map map) {
  size_t differing = 0;
  for (int y = 0; y < ps.height; ++y) {
    for (int x = 0; x < ps.width; ++x) {
      const auto [pdfX, pdfY] = map(x, y);
      const testing::Rgb a = pdf.At(pdfX, pdfY), b = ps.At(x, y);
      for (size_t channel = 0; channel < 3; ++channel) {
        if (std::abs(a[channel] - b[channel]) > 24) {
          ++differing;
          break;
        }
      }
    }
  }
  return static_cast<double>(differing) / (static_cast<double>(ps.width) * ps.height);
}

// The same drawing written by draw (called with the document) as PDF and as PostScript on portrait
// A4, rendered; false when a format could not be written or rendered.
template <typename Draw>
bool RenderBoth(const std::string& name, Draw draw, std::vector<testing::Raster>& pdfPages,
                std::vector<testing::Raster>& psPages) {
  PDF pdf;
  PS ps;
  const std::string pdfPath = testing::TempPath(name + ".pdf"), psPath = testing::TempPath(name + ".ps");
  if (!pdf.Create(pdfPath) || !ps.Create(psPath)) return false;
  draw(static_cast<Document&>(pdf));
  draw(static_cast<Document&>(ps));
  if (!pdf.Flush() || !ps.Flush()) return false;
  pdfPages = testing::RenderPages(pdfPath);
  psPages = testing::RenderPages(psPath, "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA");
  return !pdfPages.empty() && pdfPages.size() == psPages.size();
}

// In a rectangle of both pages (pixels, top row first): the pixels that differ, and the PDF's ink (the
// pixels that are not white).
struct CellComparison {
  size_t differing = 0;
  size_t ink = 0;
};

CellComparison CompareCell(const testing::Raster& pdf, const testing::Raster& ps, int left, int top, int width,
                           int height) {
  CellComparison result;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      const testing::Rgb a = pdf.At(x, y), b = ps.At(x, y);
      result.ink += a != testing::Rgb{255, 255, 255};
      for (size_t channel = 0; channel < 3; ++channel) {
        if (std::abs(a[channel] - b[channel]) > 24) {
          ++result.differing;
          break;
        }
      }
    }
  }
  return result;
}

// One figure per cell looks alike when few of its pixels differ: a quarter of its ink allows for the
// curves and the rounding of each format (the PDF rounds the ends of a thin slice to whole points),
// while a slice on the wrong side, or a line solid instead of dashed, differs in half its ink or more.
void ExpectCellAlike(const testing::Raster& pdf, const testing::Raster& ps, int left, int top, int width,
                     int height) {
  const CellComparison cell = CompareCell(pdf, ps, left, top, width, height);
  EXPECT_LE(cell.differing, cell.ink / 4 + 10) << "of " << cell.ink << " inked pixels";
}

TEST(PsRendering, ArcsDrawThePdfsSliceForEveryPairOfAngles) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const float pairs[][2] = {{90, 0},    {359, 1},    {10, 370.5f}, {45, 405},   {180, 0},
                            {0, 90},    {300, 400},  {0, 360},     {360, 0},    {720, 0},
                            {-90, 30},  {30, -90},   {1, 359},     {270, -45},  {400, 300},
                            {-45, 45},  {100, 100.5f}, {725, 10},  {-200, 100}, {5, -5}};
  std::vector<testing::Raster> pdf, ps;
  ASSERT_TRUE(RenderBoth(
      "arcs",
      [&](Document& document) {
        document.NewPage(20, 20, 20, 20, 255, 255, 255);
        document.SetFillStyle(true);
        document.SetFillColor(0, 0, 255);
        for (size_t index = 0; index < std::size(pairs); ++index) {
          const auto x = static_cast<int16_t>(55 + 110 * (index % 5)), y = static_cast<int16_t>(55 + 110 * (index / 5));
          EXPECT_TRUE(document.DrawArc(x, y, 40, pairs[index][0], pairs[index][1]));
        }
      },
      pdf, ps));
  for (size_t index = 0; index < std::size(pairs); ++index) {
    SCOPED_TRACE(std::to_string(pairs[index][0]) + " to " + std::to_string(pairs[index][1]));
    ExpectCellAlike(pdf[0], ps[0], static_cast<int>(20 + 110 * (index % 5)), static_cast<int>(20 + 110 * (index / 5)),
                    110, 110);
  }
}

TEST(PsRendering, DashedLinesAndUnderlinesShowTheirPatternOnce) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  std::vector<testing::Raster> pdf, ps;
  ASSERT_TRUE(RenderBoth(
      "dashes",
      [&](Document& document) {
        document.NewPage(20, 20, 20, 20, 255, 255, 255);
        document.SetDash("6 6");
        document.SetThickness(2);
        for (int16_t length = 200; length <= 215; ++length) {
          const auto y = static_cast<int16_t>(10 + 20 * (length - 200));
          EXPECT_TRUE(document.DrawLine(10, y, static_cast<int16_t>(10 + length), y));
          EXPECT_TRUE(document.DrawLine(static_cast<int16_t>(260 + length), y, 260, static_cast<int16_t>(y + 6)));
        }
        document.SetDash("3 2");
        document.SetThickness(1);
        document.SetFont(FontNumberConstants::Courier, 12, FontStyleConstants::Regular,
                         FontEffectConstants::Underline);
        document.SetPosition(10, 340);
        for (int line = 0; line < 4; ++line) {
          EXPECT_TRUE(document.WriteText(std::string(static_cast<size_t>(20 + line), 'x'), true, 8));
        }
      },
      pdf, ps));
  for (int row = 0; row < 16; ++row) {
    SCOPED_TRACE("line of " + std::to_string(200 + row) + " points");
    ExpectCellAlike(pdf[0], ps[0], 20, 20 + 5 + 20 * row, 555, 16);
  }
  // The underlines, below the text.
  for (int line = 0; line < 4; ++line) ExpectCellAlike(pdf[0], ps[0], 20, 360 + 13 + 20 * line, 555, 3);
}

TEST(PsRendering, RandomPagesLookAlikeInBothFormats) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE(seed);
    std::vector<testing::Raster> pdf, ps;
    ASSERT_TRUE(RenderBoth("random", [&](Document& document) { testing::DrawRandomPages(document, seed); }, pdf, ps));
    for (size_t page = 0; page < ps.size(); ++page) {
      EXPECT_LT(DifferingShare(pdf[page], ps[page], [](int x, int y) { return std::pair(x, y); }), 0.02)
          << "page " << page + 1;
    }
  }
}

TEST(PsRendering, PostScriptLooksLikeThePdfOfTheSameOperations) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  testing::FixCreationDate();
  const testing::Source picture = testing::EveryKindOfPicture()[3];  // 24 bits
  for (const auto orientation : {OrientationConstants::Portrait, OrientationConstants::Landscape}) {
    const bool landscape = orientation == OrientationConstants::Landscape;
    SCOPED_TRACE(landscape ? "landscape" : "portrait");
    PDF pdf;
    PS ps;
    pdf.SetOrientation(orientation);
    ps.SetOrientation(orientation);
    const std::string pdfPath = testing::TempPath("sample.pdf"), psPath = testing::TempPath("sample.ps");
    ASSERT_TRUE(pdf.Create(pdfPath));
    ASSERT_TRUE(ps.Create(psPath));
    DrawSample(pdf, picture.path);
    DrawSample(ps, picture.path);
    testing::FlushAndCheck(pdf, pdfPath);
    testing::FlushAndRead(ps, psPath, -1);

    // A PostScript landscape page is turned onto a portrait sheet.
    const std::vector<testing::Raster> pdfPages = testing::RenderPages(pdfPath);
    const std::vector<testing::Raster> psPages =
        testing::RenderPages(psPath, "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA");
    ASSERT_EQ(pdfPages.size(), psPages.size());
    ASSERT_GE(psPages.size(), 2u);
    for (size_t page = 0; page < psPages.size(); ++page) {
      const testing::Raster& pdfPage = pdfPages[page];
      const testing::Raster& psPage = psPages[page];
      ASSERT_EQ(psPage.width * psPage.height, pdfPage.width * pdfPage.height);
      const double share =
          landscape ? DifferingShare(pdfPage, psPage, [&](int x, int y) { return std::pair(pdfPage.width - 1 - y, x); })
                    : DifferingShare(pdfPage, psPage, [](int x, int y) { return std::pair(x, y); });
      EXPECT_LT(share, 0.02) << "page " << page + 1;
    }
    // The page is not blank: the paragraph's ink is there in both.
    EXPECT_GT(DifferingShare(pdfPages[1], testing::Raster{pdfPages[1].width, pdfPages[1].height,
                                                          std::vector<uint8_t>(pdfPages[1].rgb.size(), 255)},
                             [](int x, int y) { return std::pair(x, y); }),
              0.02);
  }
}

}  // namespace
}  // namespace paginor
