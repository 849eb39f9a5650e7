// Figures in PostScript: the exact path of each figure, its finishing lines (dash, fill, colour, width)
// and the fit tests.
#include <gtest/gtest.h>

#include <limits>

#include "support/ps_page_fixture.h"

namespace paginor {
namespace {

using testing::Lines;
using testing::Slice;

using PsDrawing = testing::PsPageTest;

TEST_F(PsDrawing, LineIsAnOpenPathStrokedInTheCurrentState) {
  Ps.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  EXPECT_TRUE(Ps.DrawLine(0, 0, 495, 742));
  EXPECT_FALSE(Ps.DrawLine(0, 0, 496, 0));
  EXPECT_FALSE(Ps.DrawLine(-1, 0, 10, 10));
  EXPECT_FALSE(Ps.DrawLine(0, 0, 10, 743));
  Finish();
  EXPECT_EQ(Drawn(), Lines({"newpath", "50 792 moveto", "545 50 lineto", "0 0 0 setrgbcolor", "1 setlinewidth",
                            "stroke"}));
}

TEST_F(PsDrawing, ClosedFiguresFillBeforeTheyStroke) {
  Ps.SetFillColor(255, 255, 255);
  Ps.SetFillStyle(true);
  Ps.SetColor(255, 128, 0);
  Ps.SetThickness(3);
  Ps.SetThickness(0);  // ignored
  EXPECT_TRUE(Ps.DrawRectangle(10, 20, 100, 0));
  EXPECT_FALSE(Ps.DrawRectangle(400, 0, 96, 10));
  Finish();
  EXPECT_EQ(Drawn(), Lines({"newpath", "60 772 moveto", "100 0 rlineto", "0 -0 rlineto", "-100 0 rlineto",
                            "0 0 rlineto", "closepath", "1 1 1 setrgbcolor", "gsave", "fill", "grestore",
                            "1 0.502 0 setrgbcolor", "3 setlinewidth", "stroke"}));
}

TEST_F(PsDrawing, CircleEllipseArcAndCurvePaths) {
  EXPECT_FALSE(Ps.DrawCircle(10, 10, 11));
  EXPECT_TRUE(Ps.DrawCircle(10, 10, 10));
  EXPECT_FALSE(Ps.DrawEllipse(10, 10, 11, 5));
  EXPECT_TRUE(Ps.DrawEllipse(100, 50, 40, 20));
  EXPECT_TRUE(Ps.DrawArc(100, 100, 50, 0, 90));
  EXPECT_TRUE(Ps.DrawArc(100, 100, 50, 22.5f, -0.25f));
  EXPECT_FALSE(Ps.DrawArc(100, 100, 101, 0, 90));
  EXPECT_TRUE(Ps.DrawCurve(0, 0, 100, 200, 300, 0));
  EXPECT_FALSE(Ps.DrawCurve(0, 0, 100, 200, 300, 743));
  Finish();
  const Lines finish = {"0 0 0 setrgbcolor", "1 setlinewidth", "stroke"};
  Lines expected = {"newpath", "60 782 10 0 360 arc", "closepath"};
  expected.insert(expected.end(), finish.begin(), finish.end());
  const Lines ellipse = {"newpath", "/mtrx matrix def", "/savematrix mtrx currentmatrix def", "150 742 translate",
                         "40 20 scale", "0 0 1 0 360 arc", "savematrix setmatrix", "closepath"};
  expected.insert(expected.end(), ellipse.begin(), ellipse.end());
  expected.insert(expected.end(), finish.begin(), finish.end());
  for (const char* angles : {"0 90", "-0.25 22.5"}) {
    const Lines arc = {"newpath", "150 692 moveto", std::string("150 692 50 ") + angles + " arc", "closepath"};
    expected.insert(expected.end(), arc.begin(), arc.end());
    expected.insert(expected.end(), finish.begin(), finish.end());
  }
  const Lines curve = {"newpath", "50 792 moveto", "50 792 150 592 350 792 curveto", "50 792 lineto", "closepath"};
  expected.insert(expected.end(), curve.begin(), curve.end());
  expected.insert(expected.end(), finish.begin(), finish.end());
  EXPECT_EQ(Drawn(), expected);
}

TEST_F(PsDrawing, ArcAnglesArePlainDecimalsAndHugeOnesKeepTheirFigure) {
  const float angles[][2] = {{0.1f, 1e-5f}, {1234567.0f, 0}, {-1e30f, 45}, {1e30f, 1e30f}, {45, 1e20f}};
  for (const auto& pair : angles) EXPECT_TRUE(Ps.DrawArc(100, 100, 50, pair[0], pair[1]));
  EXPECT_FALSE(Ps.DrawArc(100, 100, 50, std::numeric_limits<float>::infinity(), 0));
  Finish();
  std::vector<std::string> arcs;
  for (const std::string& line : Drawn()) {
    if (line.ends_with(" arc")) arcs.push_back(line);
  }
  // The slice runs from the smaller angle to the larger, as in PDF; 1234567 turns back to 127 degrees
  // and 1e20 to 272; -1e30 lies 120 degrees before a whole turn and its sweep to 45 is many turns, drawn
  // as one circle; equal angles give no sweep.
  EXPECT_EQ(arcs, std::vector<std::string>({"150 692 50 0.00001 0.1 arc", "150 692 50 0 127 arc",
                                            "150 692 50 -120 240 arc", "150 692 50 120 120 arc",
                                            "150 692 50 45 272 arc"}));
}

TEST_F(PsDrawing, DashHoldsUntilAFigureWithoutOneSetsItBack) {
  Ps.SetDash("3 2");
  EXPECT_TRUE(Ps.DrawLine(0, 0, 10, 0));
  Ps.SetDash("");
  EXPECT_TRUE(Ps.DrawLine(0, 10, 10, 10));
  EXPECT_TRUE(Ps.DrawLine(0, 20, 10, 20));
  Ps.NewPage(50, 50, 50, 50, 255, 255, 255);
  Ps.SetDash("4");
  EXPECT_TRUE(Ps.DrawRectangle(0, 0, 10, 10));
  Ps.NewPage(50, 50, 50, 50, 255, 255, 255);
  Ps.SetDash("");
  EXPECT_TRUE(Ps.DrawLine(0, 0, 10, 0));  // "showpage" ended the dash of the page before
  Finish(3);
  const Lines first = Drawn(1);
  EXPECT_EQ(Slice(first, 3, 5), Lines({"[3 2] 0 setdash", "0 0 0 setrgbcolor", "1 setlinewidth", "stroke",
                                       "newpath"}));
  EXPECT_EQ(Slice(first, 10, 2), Lines({"[] 0 setdash", "0 0 0 setrgbcolor"}));
  EXPECT_EQ(first.size(), 20u);  // the third line writes no dash at all
  EXPECT_EQ(Drawn(2)[7], "[4] 0 setdash");
  EXPECT_EQ(Drawn(3).size(), 6u);
}

}  // namespace
}  // namespace paginor
