// Pages, the drawing state and the six figures, checked on the exact lines of their content streams.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/pdf_page_fixture.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::Lines;

class PdfDrawing : public testing::PdfPageTest {
 protected:
  void ExpectMargins(int16_t left, int16_t top, int16_t right, int16_t bottom) {
    int16_t margins[4] = {};
    Pdf.GetPageMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(std::vector<int16_t>(margins, margins + 4), (std::vector<int16_t>{left, top, right, bottom}));
  }
};

TEST_F(PdfDrawing, NewPagePaintsTheWholePageAndStartsAtTheTop) {
  Pdf.SetPosition(5, 5);
  Pdf.SetColor(255, 0, 0);
  Pdf.SetThickness(4);
  Pdf.NewPage(10, 20, 30, 40, 255, 128, 0);
  EXPECT_EQ(Position(), (std::vector<int>{0, 0}));
  ExpectMargins(10, 20, 30, 40);
  EXPECT_EQ(Bytes(&PDF::GetPageColor), (std::vector<int>{255, 128, 0}));
  Finish();
  ASSERT_EQ(File.Pages().size(), 2u);
  const std::vector<Lines> first = File.PageContents(0), second = File.PageContents(1);
  EXPECT_EQ(first.front(), (Lines{"q", "1 1 1 rg", "0 0 595 842 re", "B"}));
  // The background ignores the margins and the stroke state; the footer, in black, sits 2 points above
  // the bottom margin, centred in the available width.
  EXPECT_EQ(second.front(), (Lines{"q", "1 0.502 0 rg", "0 0 595 842 re", "B"}));
  EXPECT_EQ(second.back()[0], "Q");
  EXPECT_EQ(second.back()[3], "1 0 0 1 205 42 Tm");
  EXPECT_TRUE(second.back()[4].starts_with("T* 0 0 0 rg ("));
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first.back()[3], "1 0 0 1 215 2 Tm");
}

TEST_F(PdfDrawing, NewPageTakesOnlyMarginsThatLeaveMoreThanTwentyPoints) {
  Pdf.NewPage(10, 20, 30, 40, 255, 255, 255);
  ExpectMargins(10, 20, 30, 40);
  Pdf.NewPage(300, 10, 300, 10, 255, 255, 255);  // 600 is not below 595 - 20
  ExpectMargins(10, 20, 30, 40);
  Pdf.NewPage(288, 0, 287, 0, 255, 255, 255);
  ExpectMargins(10, 20, 30, 40);
  Pdf.NewPage(0, 411, 0, 411, 255, 255, 255);
  ExpectMargins(10, 20, 30, 40);
  Pdf.NewPage(-1, 0, 0, 0, 255, 255, 255);
  ExpectMargins(10, 20, 30, 40);
  Pdf.NewPage(0, 411, 0, 410, 255, 255, 255);
  ExpectMargins(0, 411, 0, 410);
  Pdf.NewPage(287, 0, 287, 0, 255, 255, 255);  // 21 points wide: too narrow for the footer
  ExpectMargins(287, 0, 287, 0);
  Finish();
  ASSERT_EQ(File.Pages().size(), 8u);
  EXPECT_EQ(File.PageContents(7).size(), 1u);
}

TEST_F(PdfDrawing, StateSettersStoreWithoutWritingAndIgnoreOutOfRange) {
  Pdf.SetPosition(10);
  EXPECT_EQ(Position(), (std::vector<int>{10, 0}));
  Pdf.SetPosition(-1, 30);
  EXPECT_EQ(Position(), (std::vector<int>{10, 30}));
  Pdf.SetPosition(596, 843);  // outside the available area: both ignored
  EXPECT_EQ(Position(), (std::vector<int>{10, 30}));
  Pdf.SetPosition(595, 842);
  EXPECT_EQ(Position(), (std::vector<int>{595, 842}));
  Pdf.SetThickness(3);
  Pdf.SetThickness(0);
  EXPECT_EQ(Pdf.GetThickness(), 3);
  int16_t width = 0, height = 0;
  Pdf.SetPictureDimensions(30, 40);
  Pdf.SetPictureDimensions(0, 50);
  Pdf.SetPictureDimensions(50, -1);
  Pdf.GetPictureDimensions(width, height);
  EXPECT_EQ(width, 30);
  EXPECT_EQ(height, 40);
  Pdf.SetDash("3 2");
  Pdf.SetFillStyle(true);
  Pdf.SetFillColor(1, 2, 3);
  Pdf.NewPage(1, 2, 3, 4, 0, 0, 0);  // the state carries over to the next page
  EXPECT_EQ(Pdf.GetDash(), "3 2");
  EXPECT_TRUE(Pdf.GetFillStyle());
  EXPECT_EQ(Bytes(&PDF::GetFillColor), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Pdf.GetThickness(), 3);
  EXPECT_EQ(testing::ReadFile(Path), "");  // nothing reaches the file before Flush
  Finish();
  EXPECT_EQ(File.PageContents(0).size(), 2u);
}

TEST_F(PdfDrawing, FiguresWriteTheirExactPaths) {
  ASSERT_TRUE(Pdf.DrawLine(10, 20, 110, 20));
  ASSERT_TRUE(Pdf.DrawRectangle(10, 20, 100, 50));
  ASSERT_TRUE(Pdf.DrawCircle(100, 100, 50));
  ASSERT_TRUE(Pdf.DrawEllipse(100, 100, 50, 20));
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, 0, 90));
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, 90, 0));
  ASSERT_TRUE(Pdf.DrawCurve(10, 20, 30, 40, 50, 60));
  const Lines stroke = {"Q", "q", "0 0 0 RG", "1 w"}, closed = {"Q", "q", "0 0 0 RG", "1 1 1 rg", "1 w"};
  const auto with = [](Lines lines, const Lines& path) {
    lines.insert(lines.end(), path.begin(), path.end());
    return lines;
  };
  const Lines arc = with(closed, {"100 742 m", "150 742 l", "150 770 128 792 100 792 c", "100 742 m", "100 792 l", "b"});
  EXPECT_EQ(Drawn(), (std::vector<Lines>{
                         with(stroke, {"10 822 m", "110 822 l", "S"}),
                         with(closed, {"10 772 100 50 re", "B"}),
                         with(closed, {"50 742 m", "50 770 72 792 100 792 c", "128 792 150 770 150 742 c",
                                       "150 714 128 692 100 692 c", "72 692 50 714 50 742 c", "b"}),
                         with(closed, {"50 742 m", "50 742 50 762 100 762 c", "100 762 150 762 150 742 c",
                                       "150 742 150 722 100 722 c", "100 722 50 722 50 742 c", "b"}),
                         arc, arc,
                         with(closed, {"10 822 m", "10 822 30 802 50 782 c", "b"})}));
}

TEST_F(PdfDrawing, FiguresCarryColourDashFillAndWidthAndHonourMargins) {
  Pdf.NewPage(36, 50, 36, 50, 255, 255, 255);
  Pdf.SetColor(255, 0, 0);
  Pdf.SetDash("3 2");
  Pdf.SetFillStyle(true);
  Pdf.SetFillColor(0, 0, 255);
  Pdf.SetThickness(3);
  ASSERT_TRUE(Pdf.DrawRectangle(0, 0, 10, 10));
  ASSERT_TRUE(Pdf.DrawLine(0, 0, 10, 10));
  Pdf.SetDash("");
  Pdf.SetFillStyle(false);
  ASSERT_TRUE(Pdf.DrawEllipse(10, 10, 10, 10));
  EXPECT_EQ(Drawn(1), (std::vector<Lines>{
                          {"Q", "q", "1 0 0 RG", "[3 2] 0 d", "0 0 1 rg", "3 w", "36 782 10 10 re", "B"},
                          {"Q", "q", "1 0 0 RG", "[3 2] 0 d", "3 w", "36 792 m", "46 782 l", "S"},
                          {"Q", "q", "1 0 0 RG", "1 1 1 rg", "3 w", "36 782 m", "36 782 36 792 46 792 c",
                           "46 792 56 792 56 782 c", "56 782 56 772 46 772 c", "46 772 36 772 36 782 c", "b"}}));
}

TEST_F(PdfDrawing, ArcsOfMoreThanHalfACircleAndOddAngles) {
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, 0, 270));  // two pieces, neither with its end radius
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, -90, 30));
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, 1e30f, 3e38f));  // reduced by a remainder, not by looping
  // Reduction puts the end before the start: the arc goes on through 360 (from 0 to 90 and from 300 to
  // 400 alike), not backwards.
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, 720, 810));
  ASSERT_TRUE(Pdf.DrawArc(100, 100, 50, 359.5f, 360.5f));
  const std::vector<Lines> drawn = Drawn();
  ASSERT_EQ(drawn.size(), 5u);
  EXPECT_EQ(Lines(drawn[0].begin() + 5, drawn[0].end()),
            (Lines{"100 742 m", "150 742 l", "150 809 50 809 50 742 c", "100 742 m", "100 742 m", "100 692 l",
                   "72 692 50 714 50 742 c", "100 742 m", "b"}));
  EXPECT_EQ(Lines(drawn[1].begin() + 5, drawn[1].end()),
            (Lines{"100 742 m", "100 692 l", "138 692 163 734 143 767 c", "100 742 m", "143 767 l", "b"}));
  EXPECT_EQ(drawn[2].back(), "b");
  EXPECT_EQ(Lines(drawn[3].begin() + 5, drawn[3].end()),
            (Lines{"100 742 m", "150 742 l", "150 770 128 792 100 792 c", "100 742 m", "100 792 l", "b"}));
  EXPECT_EQ(Lines(drawn[4].begin() + 5, drawn[4].end()),
            (Lines{"100 742 m", "150 742 l", "150 742 150 742 150 742 c", "100 742 m", "150 742 l", "b"}));
}

TEST_F(PdfDrawing, RefusedFiguresWriteNothingAndNoFigureMovesThePosition) {
  Pdf.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  Pdf.NewPage(36, 36, 36, 36, 255, 255, 255);  // 523 by 770 points available
  Pdf.SetPosition(7, 9);
  const float infinity = std::numeric_limits<float>::infinity(), nan = std::nanf("");
  const bool refused[] = {
      Pdf.DrawLine(-1, 0, 0, 0), Pdf.DrawLine(0, 0, 524, 0), Pdf.DrawLine(0, 0, 0, 771),
      Pdf.DrawRectangle(1, 0, 523, 10), Pdf.DrawRectangle(0, 1, 10, 770), Pdf.DrawRectangle(0, 0, -1, 10),
      Pdf.DrawCircle(49, 50, 50), Pdf.DrawCircle(50, 49, 50), Pdf.DrawCircle(474, 50, 50),
      Pdf.DrawCircle(50, 721, 50), Pdf.DrawCircle(50, 50, -1), Pdf.DrawEllipse(59, 20, 60, 20),
      Pdf.DrawEllipse(60, 19, 60, 20), Pdf.DrawEllipse(464, 20, 60, 20), Pdf.DrawArc(49, 50, 50, 0, 90),
      Pdf.DrawArc(50, 50, 50, nan, 90), Pdf.DrawArc(50, 50, 50, 0, infinity), Pdf.DrawArc(50, 50, 50, -infinity, 0),
      Pdf.DrawCurve(0, 0, 524, 0, 0, 0), Pdf.DrawCurve(0, 0, 0, 0, 0, 771), Pdf.DrawCurve(0, 0, 0, -1, 0, 0)};
  for (size_t index = 0; index < std::size(refused); ++index) EXPECT_FALSE(refused[index]) << "case " << index;
  const bool accepted[] = {Pdf.DrawLine(0, 0, 523, 770),    Pdf.DrawRectangle(0, 0, 523, 770),
                           Pdf.DrawCircle(473, 720, 50),    Pdf.DrawCircle(0, 0, 0),
                           Pdf.DrawEllipse(463, 20, 60, 20), Pdf.DrawArc(50, 50, 50, 0, 360),
                           Pdf.DrawCurve(523, 770, 0, 0, 523, 0)};
  for (size_t index = 0; index < std::size(accepted); ++index) EXPECT_TRUE(accepted[index]) << "case " << index;
  EXPECT_EQ(Position(), (std::vector<int>{7, 9}));
  EXPECT_EQ(Drawn(1).size(), std::size(accepted));
}

TEST_F(PdfDrawing, GraphicsStreamsSaveTheStateAndTextStreamsRestoreIt) {
  ASSERT_TRUE(Pdf.Create(Path));
  Pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  ASSERT_TRUE(Pdf.DrawLine(0, 0, 1, 1));
  ASSERT_TRUE(Pdf.DrawCircle(5, 5, 5));
  ASSERT_TRUE(Pdf.WriteText("text"));
  ASSERT_TRUE(Pdf.DrawCurve(0, 0, 1, 1, 2, 2));
  Finish();
  const std::vector<Lines> contents = File.PageContents(0);
  ASSERT_EQ(contents.size(), 6u);
  const std::vector<std::string> starts = {contents[1][0] + contents[1][1], contents[2][0] + contents[2][1],
                                           contents[3][0] + contents[3][1], contents[4][0], contents[5][0]};
  EXPECT_EQ(starts, (std::vector<std::string>{"Qq", "Qq", "QBT", "q", "Q"}));
}

}  // namespace
}  // namespace paginor
