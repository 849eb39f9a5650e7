// Fonts, single lines, paragraphs, titles and links, checked on the exact lines of their streams and
// annotations. Courier keeps the widths simple: 600 thousandths of the font size per character.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/pdf_page_fixture.h"

namespace paginor {
namespace {

using testing::Lines;

class PdfText : public testing::PdfPageTest {
 protected:
  void UseCourier(uint8_t height, FontEffectConstants effect = FontEffectConstants::NoFontEffect) {
    Pdf.SetFont(FontNumberConstants::Courier, height, FontStyleConstants::Regular, effect);
  }
  // The first line starting with prefix of every drawn stream that has one: "/F" gives the font
  // selections, "1 0 0 1 " the text positions, "T* " the texts shown.
  std::vector<std::string> Each(const std::string& prefix, size_t page = 0) {
    std::vector<std::string> found;
    for (const Lines& stream : Drawn(page)) {
      const auto line = std::find_if(stream.begin(), stream.end(),
                                     [&](const std::string& text) { return text.starts_with(prefix); });
      if (line != stream.end()) found.push_back(*line);
    }
    return found;
  }
};

TEST_F(PdfText, SetFontReplacesEachInvalidValueByItsDefault) {
  struct Case {
    int number, height, style, effect;
    std::vector<int> stored;
    std::string selection;
  };
  const Case cases[] = {
      {4, 12, 2, 0, {4, 12, 1, 0}, "/F12 12 Tf"},  // Symbol and ZapfDingbats have one style
      {9, 100, 2, 7, {1, 8, 1, 0}, "/F0 8 Tf"},
      {0, 10, 2, 0, {1, 10, 2, 0}, "/F1 10 Tf"},  // the style test reads the number as passed
      {2, 72, 4, 2, {2, 72, 4, 2}, "/F7 72 Tf"},
      {3, 7, 3, 1, {3, 8, 3, 1}, "/F10 8 Tf"},
      {5, 73, 5, -1, {5, 8, 1, 0}, "/F13 8 Tf"},
      {3, 9, 0, 3, {3, 9, 1, 0}, "/F8 9 Tf"},
  };
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    Pdf.SetFont(static_cast<FontNumberConstants>(c.number), static_cast<uint8_t>(c.height),
                static_cast<FontStyleConstants>(c.style), static_cast<FontEffectConstants>(c.effect));
    EXPECT_EQ(Font(), c.stored) << "SetFont(" << c.number << ", " << c.height << ", " << c.style << ", "
                                << c.effect << ")";
    Pdf.SetPosition(0, 0);
    ASSERT_TRUE(Pdf.WriteText("A"));  // an underline or strikethrough stream has no font line
    expected.push_back(c.selection);
  }
  EXPECT_EQ(Each("/F"), expected);
}

TEST_F(PdfText, WriteTextPlacesOneLineAndMovesThePosition) {
  Pdf.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  ASSERT_TRUE(Pdf.WriteText("Hi"));  // the defaults of Create: Courier 8, black
  EXPECT_EQ(Position(), (std::vector<int>{10, 0}));
  Pdf.NewPage(30, 40, 30, 40, 255, 255, 255);
  UseCourier(10);
  Pdf.SetColor(0, 128, 255);
  Pdf.SetPosition(20, 100);
  ASSERT_TRUE(Pdf.WriteText("ab"));
  EXPECT_EQ(Position(), (std::vector<int>{32, 100}));
  ASSERT_TRUE(Pdf.WriteText("cd", true, 4));
  EXPECT_EQ(Position(), (std::vector<int>{20, 114}));  // back to where the line started
  Pdf.SetPosition(-1, 762 - 10);
  ASSERT_TRUE(Pdf.WriteText("e"));  // the last line that fits above the bottom margin
  EXPECT_EQ(Drawn(0), (std::vector<Lines>{{"Q", "BT", "/F0 8 Tf", "1 0 0 1 0 834 Tm", "T* 0 0 0 rg (Hi) Tj", "ET"}}));
  EXPECT_EQ(Drawn(1), (std::vector<Lines>{
                          {"Q", "BT", "/F0 10 Tf", "1 0 0 1 50 692 Tm", "T* 0 0.502 1 rg (ab) Tj", "ET"},
                          {"BT", "/F0 10 Tf", "1 0 0 1 62 692 Tm", "T* 0 0.502 1 rg (cd) Tj", "ET"},
                          {"BT", "/F0 10 Tf", "1 0 0 1 50 40 Tm", "T* 0 0.502 1 rg (e) Tj", "ET"}}));
}

TEST_F(PdfText, WriteTextAlignsOrRefusesWhatDoesNotFit) {
  Pdf.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  UseCourier(10);
  Pdf.SetPosition(580, 100);
  EXPECT_FALSE(Pdf.WriteText("abcd"));  // 24 points from x 580 pass 595
  EXPECT_FALSE(Pdf.WriteText("abcd", false, 0, static_cast<AlignmentConstants>(4)));
  EXPECT_FALSE(Pdf.WriteText("abcd", false, 0, static_cast<AlignmentConstants>(-1)));
  EXPECT_FALSE(Pdf.WriteText(std::string(100, 'w'), false, 0, AlignmentConstants::Center));
  EXPECT_FALSE(Pdf.WriteText(std::string(40000, 'i'), false, 0, AlignmentConstants::Center));
  EXPECT_EQ(Position(), (std::vector<int>{580, 100}));
  ASSERT_TRUE(Pdf.WriteText("abcd", true, 0, AlignmentConstants::Center));
  ASSERT_TRUE(Pdf.WriteText("abcd", true, 0, AlignmentConstants::RightAlign));
  ASSERT_TRUE(Pdf.WriteText("abcd", true, 0, AlignmentConstants::LeftAlign));
  Pdf.SetPosition(0, 833);
  EXPECT_FALSE(Pdf.WriteText("abcd"));  // its baseline would be below the page
  Pdf.SetPosition(0, 832);
  EXPECT_TRUE(Pdf.WriteText(""));
  EXPECT_EQ(Each("1 0 0 1 "), (std::vector<std::string>{"1 0 0 1 285 732 Tm", "1 0 0 1 571 722 Tm",
                                                     "1 0 0 1 0 712 Tm", "1 0 0 1 0 0 Tm"}));
}

TEST_F(PdfText, TextIsEscapedAndConverted) {
  for (const char* text : {"a(b)c", ")(", "back\\slash", "Caf\u00e9 \u20ac \u4e2d"}) {
    Pdf.SetPosition(0, 0);
    ASSERT_TRUE(Pdf.WriteText(text));
  }
  EXPECT_EQ(Each("T* "), (std::vector<std::string>{
                               "T* 0 0 0 rg (a\\(b\\)c) Tj", "T* 0 0 0 rg (\\)\\() Tj",
                               "T* 0 0 0 rg (back\\\\slash) Tj", "T* 0 0 0 rg (Caf\xE9 \x80 ?) Tj"}));
}

TEST_F(PdfText, UnderlineAndStrikethroughAreLinesInTheStrokeState) {
  Pdf.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  UseCourier(10, FontEffectConstants::Underline);
  Pdf.SetColor(255, 0, 0);
  Pdf.SetDash("1 1");
  ASSERT_TRUE(Pdf.WriteText("abcd"));
  UseCourier(16, FontEffectConstants::Strikethrough);
  ASSERT_TRUE(Pdf.WriteText("ef"));
  UseCourier(8, FontEffectConstants::Underline);
  Pdf.SetPosition(0, 834);
  ASSERT_TRUE(Pdf.WriteText("g"));  // the underline would lie below the page: not drawn
  const std::vector<Lines> drawn = Drawn();
  ASSERT_EQ(drawn.size(), 5u);
  // An eighth of the height below the baseline; a quarter of the height above it.
  EXPECT_EQ(drawn[1], (Lines{"q", "1 0 0 RG", "[1 1] 0 d", "1 w", "0 831 m", "24 831 l", "S"}));
  EXPECT_EQ(drawn[3], (Lines{"q", "1 0 0 RG", "[1 1] 0 d", "1 w", "24 830 m", "43 830 l", "S"}));
  EXPECT_EQ(drawn[4][3], "1 0 0 1 0 0 Tm");
}

TEST_F(PdfText, HyperlinksBecomeLinkAnnotationsOfTheirPage) {
  UseCourier(10);
  ASSERT_TRUE(Pdf.WriteText("ab", false, 0, AlignmentConstants::NoAlignment, "https://example.com/a_(b)"));
  Pdf.NewPage(30, 40, 30, 40, 255, 255, 255);
  Pdf.SetPosition(0, 100);
  ASSERT_TRUE(Pdf.WriteText("ab", false, 0, AlignmentConstants::NoAlignment, "x:(a\\b"));
  ASSERT_TRUE(Pdf.WriteText("cd", false, 0, AlignmentConstants::NoAlignment, "x:)"));
  ASSERT_TRUE(Pdf.WriteText("ef", false, 0, AlignmentConstants::NoAlignment, "https://example.com/caf\u00e9 \u20ac"));
  Finish();
  const std::vector<int32_t> first = File.PageList(0, "/Annots [ "), second = File.PageList(1, "/Annots [ ");
  ASSERT_EQ(first.size(), 1u);
  ASSERT_EQ(second.size(), 3u);
  EXPECT_EQ(File.Object(first[0]),
            (Lines{std::to_string(first[0]) + " 0 obj", "<<", "/Type /Annot", "/Subtype /Link",
                   "/A << /URI (https://example.com/a_(b)) /S /URI >>", "/Border [0 0 0]", "/C [0 0 0]",
                   "/Rect [0 842 14 830]", ">>", "endobj"}));
  EXPECT_EQ(File.Object(second[0])[4], "/A << /URI (x:\\(a\\\\b) /S /URI >>");
  EXPECT_EQ(File.Object(second[0])[7], "/Rect [30 702 44 690]");
  EXPECT_EQ(File.Object(second[1])[4], "/A << /URI (x:\\)) /S /URI >>");
  EXPECT_EQ(File.Object(second[1])[7], "/Rect [42 702 56 690]");
  // A URI is 7-bit: the UTF-8 of every character beyond ASCII is percent-encoded.
  EXPECT_EQ(File.Object(second[2])[4], "/A << /URI (https://example.com/caf%C3%A9 %E2%82%AC) /S /URI >>");
}

TEST_F(PdfText, WriteMultiTextBreaksLinesThatFitTheWidth) {
  UseCourier(10);
  Pdf.SetPosition(100, 0);
  ASSERT_TRUE(Pdf.WriteMultiText("aaa bbb ccc ddd", 2, AlignmentConstants::NoAlignment, false, 60));
  EXPECT_EQ(Position(), (std::vector<int>{100, 24}));
  EXPECT_FALSE(Pdf.WriteMultiText("abcdefghijk fits not", 0, AlignmentConstants::NoAlignment, false, 60));
  EXPECT_FALSE(Pdf.WriteMultiText("a", 0, static_cast<AlignmentConstants>(4)));
  EXPECT_FALSE(Pdf.WriteMultiText("a", 0, AlignmentConstants::NoAlignment, false, 496));  // 100 + 496 > 595
  EXPECT_FALSE(Pdf.WriteMultiText("a", 0, AlignmentConstants::Center, false, 596));
  EXPECT_EQ(Position(), (std::vector<int>{100, 24}));
  // A word that fits alone but not with its blank starts the paragraph's first line: no empty line
  // comes before it.
  ASSERT_TRUE(Pdf.WriteMultiText("abcdefghij", 0, AlignmentConstants::NoAlignment, false, 60));
  ASSERT_TRUE(Pdf.WriteMultiText("abcdefghij", 0, AlignmentConstants::NoAlignment, true, 60));
  // No width: up to the right margin.
  ASSERT_TRUE(Pdf.WriteMultiText(std::string(81, 'x') + " yy"));
  EXPECT_EQ(Each("T* "), (std::vector<std::string>{
                               "T* 0 0 0 rg (aaa bbb) Tj", "T* 0 0 0 rg (ccc ddd ) Tj",
                               "T* 0 0 0 rg (abcdefghij ) Tj", "T* 0 0 0 rg (abcdefghij ) Tj",
                               "T* 0 0 0 rg (" + std::string(81, 'x') + ") Tj", "T* 0 0 0 rg (yy ) Tj"}));
  EXPECT_EQ(Each("1 0 0 1 "), (std::vector<std::string>{"1 0 0 1 100 832 Tm", "1 0 0 1 100 820 Tm",
                                                     "1 0 0 1 100 808 Tm", "1 0 0 1 100 798 Tm",
                                                     "1 0 0 1 100 788 Tm", "1 0 0 1 100 778 Tm"}));
}

TEST_F(PdfText, WriteMultiTextOfNothingWritesNothing) {
  UseCourier(10);
  ASSERT_TRUE(Pdf.WriteMultiText("", 3));
  EXPECT_EQ(Position(), (std::vector<int>{0, 0}));
  // A lone blank is two empty words: one line holding the blank, the only line written.
  ASSERT_TRUE(Pdf.WriteMultiText(" ", 3));
  EXPECT_EQ(Position(), (std::vector<int>{0, 13}));
  EXPECT_EQ(Each("T* "), std::vector<std::string>{"T* 0 0 0 rg (  ) Tj"});
}

TEST_F(PdfText, WriteMultiTextJustifiesAllButTheLastLine) {
  UseCourier(10);
  ASSERT_TRUE(Pdf.WriteMultiText("aa b cc dd ee", 1, AlignmentConstants::NoAlignment, true, 60));
  EXPECT_EQ(Each("T* "), (std::vector<std::string>{"T* 0 0 0 rg (aa ) Tj", "T* 0 0 0 rg (b ) Tj",
                                                     "T* 0 0 0 rg (cc) Tj", "T* 0 0 0 rg (dd ee ) Tj"}));
  EXPECT_EQ(Each("1 0 0 1 "), (std::vector<std::string>{"1 0 0 1 0 832 Tm", "1 0 0 1 27 832 Tm",
                                                     "1 0 0 1 48 832 Tm", "1 0 0 1 0 821 Tm"}));
}

TEST_F(PdfText, WriteMultiTextPlacesAlignedBlocksWithLeftAlignedLines) {
  Pdf.NewPage(45, 0, 50, 0, 255, 255, 255);  // 500 points wide
  UseCourier(10);
  Pdf.SetPosition(30, 0);
  const std::string words = "one two three four five six seven eight nine ten";
  ASSERT_TRUE(Pdf.WriteMultiText(words, 0, AlignmentConstants::Center, false, 200));
  EXPECT_EQ(Position(), (std::vector<int>{30, 20}));  // x returns to the line start, not to the block
  ASSERT_TRUE(Pdf.WriteMultiText("right", 0, AlignmentConstants::RightAlign, false, 100));
  ASSERT_TRUE(Pdf.WriteMultiText("whole", 0, AlignmentConstants::RightAlign));
  EXPECT_EQ(Each("T* ", 1), (std::vector<std::string>{"T* 0 0 0 rg (one two three four five six) Tj",
                                                        "T* 0 0 0 rg (seven eight nine ten ) Tj",
                                                        "T* 0 0 0 rg (right ) Tj", "T* 0 0 0 rg (whole ) Tj"}));
  EXPECT_EQ(Each("1 0 0 1 ", 1), (std::vector<std::string>{"1 0 0 1 195 832 Tm", "1 0 0 1 195 822 Tm",
                                                        "1 0 0 1 445 812 Tm", "1 0 0 1 45 802 Tm"}));
}

TEST_F(PdfText, WriteMultiTextContinuesOnANewPageLikeTheLast) {
  Pdf.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  Pdf.NewPage(10, 10, 10, 10, 200, 220, 240);  // 822 points high
  UseCourier(10);
  Pdf.SetPosition(0, 800);
  ASSERT_TRUE(Pdf.WriteMultiText("aaa bbb ccc ddd eee fff ggg hhh", 0, AlignmentConstants::NoAlignment, false, 60));
  EXPECT_EQ(Position(), (std::vector<int>{0, 20}));
  Finish();
  ASSERT_EQ(File.Pages().size(), 3u);
  EXPECT_EQ(File.PageContents(2).front(), File.PageContents(1).front());  // same background colour
  EXPECT_EQ(Each("T* ", 1), (std::vector<std::string>{"T* 0 0 0 rg (aaa bbb) Tj", "T* 0 0 0 rg (ccc ddd) Tj"}));
  EXPECT_EQ(Each("1 0 0 1 ", 1), (std::vector<std::string>{"1 0 0 1 10 22 Tm", "1 0 0 1 10 12 Tm"}));
  EXPECT_EQ(Each("T* ", 2), (std::vector<std::string>{"T* 0 0 0 rg (eee fff) Tj", "T* 0 0 0 rg (ggg hhh ) Tj"}));
  EXPECT_EQ(Each("1 0 0 1 ", 2), (std::vector<std::string>{"1 0 0 1 10 822 Tm", "1 0 0 1 10 812 Tm"}));
}

TEST_F(PdfText, WriteTitleDrawsASolidBulletInTheTextColour) {
  UseCourier(10);
  Pdf.SetColor(255, 0, 0);
  Pdf.SetDash("3 2");
  Pdf.SetFillColor(0, 255, 0);
  ASSERT_TRUE(Pdf.WriteTitle("Title"));
  ASSERT_TRUE(Pdf.WriteTitle("Title", AlignmentConstants::NoAlignment, BulletConstants::Square, "https://example.com/"));
  ASSERT_TRUE(Pdf.WriteTitle("Title", AlignmentConstants::Center));
  EXPECT_FALSE(Pdf.WriteTitle("Title", AlignmentConstants::NoAlignment, static_cast<BulletConstants>(3)));
  EXPECT_FALSE(Pdf.WriteTitle("Title", static_cast<AlignmentConstants>(4)));
  EXPECT_FALSE(Pdf.WriteTitle(std::string(98, 'w')));  // 9 + 588 points pass 595
  EXPECT_EQ(Position(), (std::vector<int>{0, 30}));
  EXPECT_EQ(Pdf.GetDash(), "3 2");
  EXPECT_FALSE(Pdf.GetFillStyle());
  EXPECT_EQ(Bytes(&PDF::GetFillColor), (std::vector<int>{0, 255, 0}));

  const std::vector<Lines> drawn = Drawn();
  ASSERT_EQ(drawn.size(), 6u);
  EXPECT_EQ(drawn[0], (Lines{"Q", "q", "1 0 0 RG", "1 0 0 rg", "1 w", "0 835 m", "0 836 0 836 1 836 c",
                             "2 836 2 836 2 835 c", "2 834 2 834 1 834 c", "0 834 0 834 0 835 c", "b"}));
  EXPECT_EQ(drawn[1], (Lines{"Q", "BT", "/F0 10 Tf", "1 0 0 1 9 832 Tm", "T* 1 0 0 rg (Title) Tj", "ET"}));
  EXPECT_EQ(drawn[2], (Lines{"q", "1 0 0 RG", "1 0 0 rg", "1 w", "0 824 2 2 re", "B"}));
  EXPECT_EQ(drawn[3][3], "1 0 0 1 9 822 Tm");
  EXPECT_EQ(drawn[4][4], "278 815 m");  // centred: 10 + 30 - 1 points from x 278
  EXPECT_EQ(drawn[5][3], "1 0 0 1 287 812 Tm");
  const std::vector<int32_t> links = File.PageList(0, "/Annots [ ");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(File.Object(links[0])[7], "/Rect [9 832 41 820]");
}

TEST_F(PdfText, PageEndRestoresTheCallersState) {
  Pdf.SetFont(FontNumberConstants::Helvetica, 12, FontStyleConstants::Bold, FontEffectConstants::Underline);
  Pdf.SetColor(255, 0, 0);
  Pdf.SetPosition(50, 60);
  Finish();
  EXPECT_EQ(Font(), (std::vector<int>{2, 12, 2, 2}));
  EXPECT_EQ(Bytes(&PDF::GetColor), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Position(), (std::vector<int>{50, 60}));
  const std::vector<Lines> contents = File.PageContents(0);
  ASSERT_EQ(contents.size(), 2u);  // the footer is neither underlined nor red
  EXPECT_EQ(contents[1][4], "T* 0 0 0 rg (Paginor \\(c\\) 2026 The Paginor developers) Tj");
}

}  // namespace
}  // namespace paginor
