// What the layout hands a format: resolved values in page space, colours as bytes and fonts as
// catalogue handles. A format that records the calls stands in for PDF and PostScript, whose bytes the
// other suites check; here the values themselves are checked, the ones a new format builds on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fonts/font_catalogue.h"
#include "fonts/text_measure.h"
#include "format/format_writer.h"
#include "layout/page_layout.h"
#include "output/document_output.h"

namespace paginor {
namespace {

class RecordingFormat final : public FormatWriter {
 public:
  const std::string& Version() const override { return VersionText; }
  void BeginDocument(const DocumentSetup& setup) override { Setups.push_back(setup); }
  void EndDocument() override { ++Ends; }
  void BeginPage(const PageSetup& page) override { Pages.push_back(page); }
  void EndPage(bool) override {}
  bool DrawPath(const Path& path, const PathPaint& paint) override {
    Paths.push_back(path);
    Paints.push_back({paint.stroke, std::string(paint.dash), paint.thickness, paint.filled, paint.fill});
    return true;
  }
  void DrawText(const TextRun& run) override {
    Runs.push_back(run);
    Codes.emplace_back(run.codes);
  }
  void DrawCountedFooter(const CountedFooter& footer) override { Footers.push_back(footer); }
  void DrawPicture(const PlacedPicture&) override {}
  void DrawLink(std::string_view uri, const PageRect& area) override {
    Links.emplace_back(uri);
    Areas.push_back(area);
  }

  struct Paint {
    Rgb stroke;
    std::string dash;
    uint8_t thickness;
    bool filled;
    Rgb fill;
  };
  const std::string VersionText = "test";
  std::vector<DocumentSetup> Setups;
  std::vector<PageSetup> Pages;
  std::vector<Path> Paths;
  std::vector<Paint> Paints;
  std::vector<TextRun> Runs;
  std::vector<std::string> Codes;
  std::vector<CountedFooter> Footers;
  std::vector<std::string> Links;
  std::vector<PageRect> Areas;
  int Ends = 0;
};

class FormatInterface : public ::testing::Test {
 protected:
  FormatInterface() {
    layout.Orientation = OrientationConstants::Landscape;  // A4 turned: 842 by 595
    layout.SetFooter("");
    EXPECT_TRUE(layout.CreateInMemory());
    layout.NewPage(40, 30, 20, 10, {255, 255, 230});
  }

  DocumentOutput output;
  FontCatalogue fonts;
  RecordingFormat format;
  PageLayout layout{output, fonts, format};
};

TEST_F(FormatInterface, DocumentAndPagesArriveWithTheirSetUp) {
  ASSERT_EQ(format.Setups.size(), 1u);
  EXPECT_EQ(format.Setups[0].pageWidth, 842);
  EXPECT_EQ(format.Setups[0].pageHeight, 595);
  EXPECT_EQ(format.Setups[0].mediaName, "A4");
  EXPECT_TRUE(format.Setups[0].landscape);
  ASSERT_EQ(format.Pages.size(), 1u);
  EXPECT_EQ(format.Pages[0].background, (Rgb{255, 255, 230}));
  EXPECT_TRUE(layout.Flush());
  EXPECT_EQ(format.Ends, 1);
}

TEST_F(FormatInterface, TextRunsStartAtTheBaselineInPageSpace) {
  layout.SetFont(FontNumberConstants::Times, 20, FontStyleConstants::Italic, FontEffectConstants::Underline);
  layout.SetColor({10, 20, 30});
  layout.SetPosition(5, 100);
  ASSERT_TRUE(layout.WriteText("Ab", true, 4, AlignmentConstants::NoAlignment, "https://example.org"));
  ASSERT_EQ(format.Runs.size(), 1u);
  const TextRun& run = format.Runs[0];
  const FontHandle italic = fonts.Standard(FontNumberConstants::Times, FontStyleConstants::Italic);
  EXPECT_EQ(run.font, italic);
  EXPECT_EQ(fonts.Face(run.font).postScriptName, "Times-Italic");
  EXPECT_EQ(run.size, 20);
  EXPECT_EQ(run.colour, (Rgb{10, 20, 30}));
  EXPECT_EQ(format.Codes[0], "Ab");
  EXPECT_EQ(run.width, TextWidth("Ab", fonts.Face(italic), 20));
  // x from the left margin; the line's top 100 below the top margin, the baseline 20 below that.
  EXPECT_EQ(run.origin.x, 45);
  EXPECT_EQ(run.origin.y, 595 - 30 - 100 - 20);
  // The underline is a line path under the text, stroked in the text colour.
  ASSERT_EQ(format.Paths.size(), 1u);
  EXPECT_EQ(format.Paths[0].shape, PathShape::Line);
  EXPECT_EQ(format.Paths[0].points[0].x, 45);
  EXPECT_EQ(format.Paths[0].points[1].x, 45 + run.width);
  EXPECT_EQ(format.Paths[0].points[0].y, 595 - 30 - 100 - 22);
  // The link covers the line from its top down by the height and a fifth.
  ASSERT_EQ(format.Links, std::vector<std::string>{"https://example.org"});
  EXPECT_EQ(format.Areas[0].left, 45);
  EXPECT_EQ(format.Areas[0].top, 465);
  EXPECT_EQ(format.Areas[0].right, 45 + run.width + 2);
  EXPECT_EQ(format.Areas[0].bottom, 465 - 24);
  // The carriage return moved down by the height and dy, in the caller's coordinates.
  int16_t x = 0, y = 0;
  layout.GetPosition(x, y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 124);
}

TEST_F(FormatInterface, PathsCarryPageSpaceAndTheirPaint) {
  layout.SetColor({0, 128, 0});
  layout.SetFillColor({255, 204, 0});
  layout.SetFillStyle(true);
  layout.SetThickness(3);
  layout.SetDash("4 2");
  ASSERT_TRUE(layout.DrawRectangle(10, 20, 30, 40));
  ASSERT_TRUE(layout.DrawArc(100, 100, 50, 400, 300));
  ASSERT_EQ(format.Paths.size(), 2u);
  EXPECT_EQ(format.Paths[0].shape, PathShape::Rectangle);
  EXPECT_EQ(format.Paths[0].points[0].x, 50);
  EXPECT_EQ(format.Paths[0].points[0].y, 595 - 30 - 20);  // the top-left corner
  EXPECT_EQ(format.Paths[0].width, 30);
  EXPECT_EQ(format.Paths[0].height, 40);
  EXPECT_EQ(format.Paints[0].stroke, (Rgb{0, 128, 0}));
  EXPECT_EQ(format.Paints[0].fill, (Rgb{255, 204, 0}));
  EXPECT_TRUE(format.Paints[0].filled);
  EXPECT_EQ(format.Paints[0].thickness, 3);
  EXPECT_EQ(format.Paints[0].dash, "4 2");
  // The slice's angles come ordered and reduced once, for every format: 300 on through 360 to 400.
  EXPECT_EQ(format.Paths[1].shape, PathShape::Slice);
  EXPECT_EQ(format.Paths[1].from, 300.0f);
  EXPECT_EQ(format.Paths[1].to, 400.0f);
  EXPECT_EQ(format.Paths[1].width, 50);
}

TEST_F(FormatInterface, TitlesDrawTheirBulletSolidAndGiveThePaintBack) {
  layout.SetColor({200, 0, 0});
  layout.SetFillColor({1, 2, 3});
  layout.SetDash("3");
  ASSERT_TRUE(layout.WriteTitle("Title", AlignmentConstants::NoAlignment, BulletConstants::Square, {}));
  ASSERT_EQ(format.Paints.size(), 1u);
  EXPECT_EQ(format.Paints[0].dash, "");
  EXPECT_TRUE(format.Paints[0].filled);
  EXPECT_EQ(format.Paints[0].fill, (Rgb{200, 0, 0}));
  EXPECT_EQ(layout.GetDash(), "3");
  EXPECT_EQ(layout.GetFillColor(), (Rgb{1, 2, 3}));
  EXPECT_FALSE(layout.GetFillStyle());
}

TEST_F(FormatInterface, CountedFootersArriveCentredInTheArea) {
  layout.SetFooter("Page {page} of {pages}");
  layout.NewPage(40, 30, 20, 10, {255, 255, 255});
  ASSERT_TRUE(layout.Flush());
  // The first page ended with the new one, the second with Flush: each carries its own number.
  ASSERT_EQ(format.Footers.size(), 2u);
  EXPECT_EQ(format.Footers[0].page, 1);
  const CountedFooter& footer = format.Footers[1];
  EXPECT_EQ(footer.page, 2);
  EXPECT_EQ(std::string(footer.codes), "Page {page} of {pages}");
  EXPECT_EQ(footer.left, 40);
  EXPECT_EQ(footer.width, 842 - 40 - 20);
  // The footer's line sits in the band of 12 points above the bottom margin.
  EXPECT_EQ(footer.baseline, 10 + 12 - 10);
  EXPECT_EQ(fonts.Face(footer.font).postScriptName, "Times-Roman");
  EXPECT_EQ(footer.colour, (Rgb{0, 0, 0}));
}

// The position is kept in the caller's coordinates: a new document, of another paper or orientation,
// reads it as it was set, and before the first page as the top-left corner of the area.
TEST(PagePosition, StaysInTheCallersCoordinatesAcrossDocuments) {
  DocumentOutput output;
  FontCatalogue fonts;
  RecordingFormat format;
  PageLayout layout{output, fonts, format};
  int16_t x = -1, y = -1;
  ASSERT_TRUE(layout.CreateInMemory());
  layout.GetPosition(x, y);
  EXPECT_EQ(std::vector<int>({x, y}), std::vector<int>({0, 0}));
  layout.NewPage(10, 10, 10, 10, {255, 255, 255});
  EXPECT_EQ(layout.SetPosition(5, 100), "");
  ASSERT_TRUE(layout.Flush());
  layout.Orientation = OrientationConstants::Landscape;
  ASSERT_TRUE(layout.CreateInMemory());
  layout.GetPosition(x, y);
  EXPECT_EQ(std::vector<int>({x, y}), std::vector<int>({5, 100}));
}

TEST(FontCatalogue, ListsTheStandardFontsInResourceOrder) {
  const FontCatalogue fonts;
  ASSERT_EQ(fonts.Count(), FontCatalogue::StandardCount);
  const char* names[] = {"Courier",     "Courier-Bold", "Courier-Oblique",  "Courier-BoldOblique",
                         "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
                         "Times-Roman", "Times-Bold",   "Times-Italic",     "Times-BoldItalic",
                         "Symbol",      "ZapfDingbats"};
  for (uint16_t index = 0; index < 14; ++index) {
    EXPECT_EQ(fonts.Face({index}).postScriptName, names[index]);
    EXPECT_EQ(fonts.Face({index}).windows1252, index < 12) << names[index];
    EXPECT_EQ(fonts.Face({index}).codeBytes, 1);
  }
  EXPECT_EQ(fonts.Standard(FontNumberConstants::Helvetica, FontStyleConstants::BoldItalic), (FontHandle{7}));
  // Symbol and ZapfDingbats have one face whatever the style.
  EXPECT_EQ(fonts.Standard(FontNumberConstants::Symbol, FontStyleConstants::Bold), (FontHandle{12}));
  EXPECT_EQ(fonts.Standard(FontNumberConstants::ZapfDingbats, FontStyleConstants::Italic), (FontHandle{13}));
  // What selects no face measures nothing and has no name.
  const FontHandle none = fonts.Standard(static_cast<FontNumberConstants>(9), FontStyleConstants::Regular);
  EXPECT_EQ(none, FontCatalogue::Unset);
  EXPECT_EQ(fonts.Standard(FontNumberConstants::Times, static_cast<FontStyleConstants>(0)), FontCatalogue::Unset);
  EXPECT_EQ(fonts.Face(none).postScriptName, "");
  EXPECT_EQ(TextUnits("abc", fonts.Face(none)), 0);
}

}  // namespace
}  // namespace paginor
