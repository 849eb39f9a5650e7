// Text in PostScript: fonts, the exact lines of a shown text, escaping, font effects, paragraphs that
// break pages and titles with bullets.
#include <gtest/gtest.h>

#include "support/ps_page_fixture.h"

namespace paginor {
namespace {

using testing::Lines;
using testing::Slice;

using PsText = testing::PsPageTest;

// The line that selects a font: the text fonts through their Windows-1252 copies.
std::string FontLine(const std::string& font) {
  if (font == "Symbol" || font == "ZapfDingbats") return "/" + font + " findfont";
  return "/" + font + "-WinAnsi /" + font + " WinAnsiFont";
}

Lines ShowLines(const std::string& font, int height, const std::string& colour, const std::string& moveto,
                const std::string& shown) {
  return {FontLine(font), std::to_string(height) + " scalefont", "setfont", "newpath",
          colour + " setrgbcolor", moveto + " moveto", "(" + shown + ") show", "closepath"};
}

TEST_F(PsText, TextIsShownWithItsFontAtTheBaseline) {
  EXPECT_TRUE(Ps.WriteText("Hi"));
  EXPECT_EQ(Position(), std::vector<int>({10, 0}));  // Courier 8: 4.8 points a character, rounded
  Ps.SetFont(FontNumberConstants::Helvetica, 10, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  Ps.SetColor(255, 0, 0);
  EXPECT_TRUE(Ps.WriteText("Yo", true, 4));
  EXPECT_EQ(Position(), std::vector<int>({0, 14}));
  Ps.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::BoldItalic, FontEffectConstants::NoFontEffect);
  EXPECT_TRUE(Ps.WriteText("end", false, 0, AlignmentConstants::RightAlign));
  Finish();
  Lines expected = ShowLines("Courier", 8, "0 0 0", "50 784", "Hi");
  const Lines second = ShowLines("Helvetica-Bold", 10, "1 0 0", "60 782", "Yo");
  const Lines third = ShowLines("Times-BoldItalic", 12, "1 0 0", "527 766", "end");
  expected.insert(expected.end(), second.begin(), second.end());
  expected.insert(expected.end(), third.begin(), third.end());
  EXPECT_EQ(Drawn(), expected);
}

TEST_F(PsText, ShownTextCannotEndItsStringOrItsLine) {
  EXPECT_TRUE(Ps.WriteText("a(b)c\\d) %%EOF", true));
  EXPECT_TRUE(Ps.WriteText("one\r\n%%Page: 9 9\rtwo\n", true));
  EXPECT_TRUE(Ps.WriteText("caf\u00e9 \u20ac \u4e2d", true));
  Finish();
  const Lines drawn = Drawn();
  ASSERT_EQ(drawn.size(), 24u);
  EXPECT_EQ(drawn[6], "(a\\(b\\)c\\\\d\\) %%EOF) show");
  EXPECT_EQ(drawn[14], "(one\\r\\n%%Page: 9 9\\rtwo\\n) show");
  EXPECT_EQ(drawn[22], "(caf\xE9 \x80 ?) show");
}

TEST_F(PsText, EffectsAreLinesInTheTextColour) {
  Ps.SetFont(FontNumberConstants::Courier, 16, FontStyleConstants::Regular, FontEffectConstants::Underline);
  Ps.SetPosition(10, 20);
  EXPECT_TRUE(Ps.WriteText("ab"));
  Ps.SetFont(FontNumberConstants::Courier, 16, FontStyleConstants::Regular, FontEffectConstants::Strikethrough);
  Ps.SetDash("1 1");
  EXPECT_TRUE(Ps.WriteText("cd"));
  Finish();
  const Lines drawn = Drawn();
  // 2 characters of Courier 16 are 19 points wide (19.2 rounded); underline at 20 + 16 + 2.
  EXPECT_EQ(Slice(drawn, 8, 6), Lines({"newpath", "60 754 moveto", "79 754 lineto", "0 0 0 setrgbcolor",
                                       "1 setlinewidth", "stroke"}));
  // Strikethrough at 20 + 4 + 8, dashed like every figure.
  EXPECT_EQ(Slice(drawn, 22, 3), Lines({"newpath", "79 760 moveto", "98 760 lineto"}));
  EXPECT_EQ(drawn[25], "[1 1] 0 setdash");
}

TEST_F(PsText, ParagraphBreaksThePageWithTheSameMarginsAndColour) {
  Ps.NewPage(50, 50, 50, 50, 230, 240, 250);
  Ps.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  Ps.SetPosition(0, 720);  // room for one line of 12 points
  std::string text;
  for (int word = 0; word < 60; ++word) text += "word" + std::to_string(word) + " ";
  text.pop_back();
  EXPECT_TRUE(Ps.WriteMultiText(text, 2, AlignmentConstants::NoAlignment, true, 200));
  EXPECT_FALSE(Ps.WriteMultiText(std::string(60, 'w'), 0, AlignmentConstants::NoAlignment, false, 200));
  Finish(3);
  uint8_t red = 0, green = 0, blue = 0;
  Ps.GetPageColor(red, green, blue);
  EXPECT_EQ(std::vector<int>({red, green, blue}), std::vector<int>({230, 240, 250}));
  // The second page's first line starts at the top of the same area.
  const Lines third = Drawn(3);
  ASSERT_GE(third.size(), 6u);
  EXPECT_EQ(third[5], "50 780 moveto");
  const size_t mark = testing::FindLine(File, "%%Page: 3 3");
  EXPECT_EQ(Slice(File, mark + 9, 1), Lines({"0.902 0.941 0.980 setrgbcolor"}));
  // Every word reaches the file: justified lines show word by word, the last line whole.
  std::string shown;
  for (const std::string& line : File) {
    if (line.starts_with("(word")) shown += line;
  }
  for (int word = 0; word < 60; ++word) {
    const std::string name = "word" + std::to_string(word);
    EXPECT_TRUE(shown.find(name + " ") != std::string::npos || shown.find(name + ")") != std::string::npos) << name;
  }
}

TEST_F(PsText, TitleHasAFilledBulletInTheTextColour) {
  Ps.SetFont(FontNumberConstants::Helvetica, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  Ps.SetColor(0, 0, 255);
  Ps.SetDash("2");
  EXPECT_FALSE(Ps.WriteTitle("Plan", AlignmentConstants::NoAlignment, static_cast<BulletConstants>(3)));
  EXPECT_TRUE(Ps.WriteTitle("Plan", AlignmentConstants::NoAlignment, BulletConstants::Square));
  EXPECT_EQ(Ps.GetDash(), "2");
  EXPECT_FALSE(Ps.GetFillStyle());
  Finish();
  const Lines drawn = Drawn();
  EXPECT_EQ(Slice(drawn, 0, 15),
            Lines({"newpath", "50 785 moveto", "3 0 rlineto", "0 -3 rlineto", "-3 0 rlineto", "0 3 rlineto",
                   "closepath", "0 0 1 setrgbcolor", "gsave", "fill", "grestore", "0 0 1 setrgbcolor",
                   "1 setlinewidth", "stroke", "/Helvetica-WinAnsi /Helvetica WinAnsiFont"}));
  EXPECT_EQ(drawn[19], "61 780 moveto");
}

}  // namespace
}  // namespace paginor
