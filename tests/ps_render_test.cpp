// The same operations written once as PDF and once as PostScript look alike: both are rendered by
// Ghostscript on the same paper at one pixel a point and compared pixel by pixel.
#include <gtest/gtest.h>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/picture_sources.h"
#include "support/ps_reader.h"
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
