#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

#include "fonts/font_catalogue.h"
#include "fonts/font_widths.h"
#include "fonts/text_measure.h"
#include "services/code_page.h"
#include "services/failure.h"
#include "services/windows1252_glyphs.h"

namespace paginor {
namespace {

// Measurement in the standard font of a family and style given by their numbers.
class StandardMeasure {
 public:
  const FontFace& Face(int32_t font, int32_t style) const {
    return Fonts.Face(Fonts.Standard(static_cast<FontNumberConstants>(font), static_cast<FontStyleConstants>(style)));
  }
  int64_t TextUnits(std::string_view codes, int32_t font, int32_t style) const {
    return paginor::TextUnits(codes, Face(font, style));
  }
  int16_t TextWidth(std::string_view codes, int32_t font, uint8_t height, int32_t style) const {
    return paginor::TextWidth(codes, Face(font, style), height);
  }
  bool JustifyLine(std::string_view line, int16_t width, int32_t font, uint8_t height, int32_t style,
                   std::vector<std::string_view>& words, std::vector<int16_t>& positions) const {
    return paginor::JustifyLine(line, width, Face(font, style), height, words, positions);
  }

 private:
  FontCatalogue Fonts;
};

TEST(FontWidthTables, AddUpToTheirSums) {
  const int expected[10] = {129287, 133573, 129287, 133573, 122560, 127351, 121793, 123987, 119726, 150697};
  for (size_t table = 0; table < 10; ++table) {
    EXPECT_EQ(std::accumulate(FontWidthTables[table].begin(), FontWidthTables[table].end(), 0), expected[table])
        << "table " << table;
  }
}

TEST(FontWidthTables, TextFontsAreIndexedByWindows1252Code) {
  const WidthTable& helvetica = FontWidthTables[0];
  // The straight quote at 39, the curly one at 146 (where the fonts' own encoding had them at 169 and 39).
  EXPECT_EQ(helvetica[39], 191);
  EXPECT_EQ(helvetica[0x92], 222);
  // The euro sign, the em dash, AE; the no-break space and the soft hyphen drawn as blank and hyphen.
  EXPECT_EQ(helvetica[0x80], 556);
  EXPECT_EQ(helvetica[0x97], 1000);
  EXPECT_EQ(helvetica[0xC6], 1000);
  EXPECT_EQ(helvetica[0xA0], helvetica[' ']);
  EXPECT_EQ(FontWidthTables[4][0xAD], FontWidthTables[4]['-']);
  // Codes the code page leaves undefined keep the width of the space.
  for (const size_t code : {0, 127, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(FontWidthTables[4][code], 250) << code;
  // Obliques are as wide as the upright fonts; Symbol keeps the codes of its own encoding.
  EXPECT_EQ(FontWidthTables[3], FontWidthTables[1]);
  EXPECT_EQ(FontWidthTables[8][161], 750);
}

TEST(TextUnits, EqualThePlainSumOfTheWidthsForEveryFontAndLength) {
  std::mt19937 random(7);
  const StandardMeasure services;
  for (int32_t font = 1; font <= 5; ++font) {
    for (int32_t style = 1; style <= 4; ++style) {
      const WidthTable* table = services.Face(font, style).widths;
      ASSERT_NE(table, nullptr);
      for (size_t length = 0; length <= 40; ++length) {
        std::string codes(length, ' ');
        for (char& code : codes) code = static_cast<char>(random() % 256);
        int64_t sum = 0;
        for (const char code : codes) sum += (*table)[static_cast<uint8_t>(code)];
        ASSERT_EQ(services.TextUnits(codes, font, style), sum) << "font " << font << ", style " << style;
      }
    }
  }
  // The longest text measured: 32767 of the widest code.
  const std::string widest(32767, '\x97');
  EXPECT_EQ(services.TextUnits(widest, 2, 1), int64_t{32767} * 1000);
  EXPECT_THROW(services.TextUnits(widest + 'a', 2, 1), Failure);
}

TEST(Windows1252Glyphs, NameACharacterExactlyWhereTheCodePageDefinesOne) {
  // The codes that printable characters convert to have a glyph, and no other code has one.
  std::vector<bool> reached(256, false);
  for (char32_t codepoint = 0x20; codepoint < 0x2200; ++codepoint) {
    if ((codepoint >= 0x7F && codepoint < 0xA0) || (codepoint >= 0xD800 && codepoint <= 0xDFFF)) continue;
    std::string utf8;
    if (codepoint < 0x80) {
      utf8 = {static_cast<char>(codepoint)};
    } else if (codepoint < 0x800) {
      utf8 = {static_cast<char>(0xC0 | (codepoint >> 6)), static_cast<char>(0x80 | (codepoint & 0x3F))};
    } else {
      utf8 = {static_cast<char>(0xE0 | (codepoint >> 12)), static_cast<char>(0x80 | ((codepoint >> 6) & 0x3F)),
              static_cast<char>(0x80 | (codepoint & 0x3F))};
    }
    const std::string code = ToWindows1252(utf8);
    ASSERT_EQ(code.size(), 1u);
    if (code != "?" || codepoint == '?') reached[static_cast<uint8_t>(code[0])] = true;
  }
  for (size_t code = 0; code < 256; ++code) {
    EXPECT_EQ(Windows1252GlyphNames[code] != nullptr, reached[code]) << code;
  }
  EXPECT_STREQ(Windows1252GlyphNames[0x80], "Euro");
  EXPECT_STREQ(Windows1252GlyphNames['\''], "quotesingle");
  EXPECT_STREQ(Windows1252GlyphNames[0xFF], "ydieresis");
}

TEST(TextWidth, MeasuresWithTheSelectedTable) {
  StandardMeasure services;
  EXPECT_EQ(services.TextWidth("Hello", 2, 12, 1), 27);  // 2278 / 1000 x 12 = 27.336
  EXPECT_EQ(services.TextWidth("", 2, 12, 1), 0);
  // Courier: 600 for every character and style.
  EXPECT_EQ(services.TextWidth("abcdefghij", 1, 10, 1), 60);
  EXPECT_EQ(services.TextWidth(std::string("\0\xff\x80", 3), 1, 10, 4), 18);
  // Halves go to even: one blank in Times-Roman at 10 is 2.5, two are 5.
  EXPECT_EQ(services.TextWidth(" ", 3, 10, 1), 2);
  EXPECT_EQ(services.TextWidth("  ", 3, 10, 1), 5);
  EXPECT_EQ(services.TextWidth("'", 2, 100, 1), 19);  // code 39 is the straight quote, 191
  // The oblique and italic styles select their own tables.
  EXPECT_EQ(services.TextWidth("A", 3, 100, 3), 61);
  EXPECT_EQ(services.TextWidth("A", 3, 100, 4), 67);
  // Symbol and ZapfDingbats ignore the style; unknown fonts and styles measure 0.
  EXPECT_EQ(services.TextWidth("A", 4, 100, 1), services.TextWidth("A", 4, 100, 9));
  EXPECT_EQ(services.TextWidth("A", 5, 100, 0), 69);
  EXPECT_EQ(services.TextWidth("Hello", 2, 12, 5), 0);
  EXPECT_EQ(services.TextWidth("Hello", 6, 12, 1), 0);
  EXPECT_EQ(services.TextWidth("Hello", 0, 12, 1), 0);
}

TEST(TextWidth, FailsBeyondSixteenBits) {
  StandardMeasure services;
  // 32767 characters are counted; one more overflows the character index.
  EXPECT_EQ(services.TextWidth(std::string(32767, 'a'), 2, 0, 1), 0);
  EXPECT_THROW(services.TextWidth(std::string(32768, 'a'), 2, 0, 1), Failure);
  // 60 x 600 x 1 = 36000 points is beyond the 16-bit width.
  EXPECT_EQ(services.TextWidth(std::string(54, 'a'), 1, 255, 1), 8262);
  EXPECT_THROW(services.TextWidth(std::string(300, 'a'), 1, 255, 1), Failure);
}

TEST(TextWidth, MeasuresTheConvertedCodes) {
  StandardMeasure services;
  // "é" is code 233 in Windows-1252 and measures as the e acute it draws.
  EXPECT_EQ(ToWindows1252("\xc3\xa9"), "\xe9");
  EXPECT_EQ(services.TextWidth(ToWindows1252("\xc3\xa9"), 2, 100, 1), 56);
  // "café Müller — 50 € it’s": every character as wide as its glyph.
  const std::string line = ToWindows1252("caf\xc3\xa9 M\xc3\xbcller \xe2\x80\x94 50 \xe2\x82\xac it\xe2\x80\x99s");
  EXPECT_EQ(services.TextUnits(line, 2, 1), 500 + 556 + 278 + 556 + 278 + 833 + 556 + 222 + 222 + 556 + 333 +
                                                278 + 1000 + 278 + 556 + 556 + 278 + 556 + 278 + 222 + 278 + 222 + 500);
}

class JustifyLineTest : public ::testing::Test {
 protected:
  StandardMeasure services;
  std::vector<std::string_view> words;
  std::vector<int16_t> positions;
  // Courier at 10 points: every character is 6 points wide.
  bool Justify(std::string_view line, int16_t width) {
    return services.JustifyLine(line, width, 1, 10, 1, words, positions);
  }
};

TEST_F(JustifyLineTest, SpreadsTheSlackOverTheGapsFromTheLeft) {
  // Courier 10: "ab " 18, "cdef " 30, "g" 6.
  ASSERT_TRUE(Justify("ab cdef g", 70));
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0], "ab ");
  EXPECT_EQ(words[1], "cdef ");
  EXPECT_EQ(words[2], "g");
  // Natural 0, 18, 48; slack 70 - 48 - 6 = 16, gap 8: 0, 26, 64 ends at exactly 70.
  EXPECT_EQ(positions, (std::vector<int16_t>{0, 26, 64}));

  // Slack 17 over two gaps: gap 8 and one point over for the first gap.
  ASSERT_TRUE(Justify("ab cdef g", 71));
  EXPECT_EQ(positions, (std::vector<int16_t>{0, 27, 65}));
}

TEST_F(JustifyLineTest, GivesTheWorkedExample) {
  // Helvetica 10: "w " measures 10, "amr " 20 and "c" 5; in a width of 50 they go to 0, 18 and 45.
  ASSERT_TRUE(services.JustifyLine("w amr c", 50, 2, 10, 1, words, positions));
  EXPECT_EQ(positions, (std::vector<int16_t>{0, 18, 45}));
  EXPECT_EQ(positions.back() + services.TextWidth(words.back(), 2, 10, 1), 50);
}

TEST_F(JustifyLineTest, KeepsNaturalPositionsWhenTooWide) {
  ASSERT_TRUE(Justify("ab cdef g", 40));
  EXPECT_EQ(positions, (std::vector<int16_t>{0, 18, 48}));
}

TEST_F(JustifyLineTest, HandlesDegenerateLines) {
  EXPECT_FALSE(Justify("word", 100));
  EXPECT_EQ(words, (std::vector<std::string_view>{"word"}));
  EXPECT_EQ(positions, (std::vector<int16_t>{0}));

  EXPECT_FALSE(Justify("", 100));
  EXPECT_TRUE(words.empty());

  // Two blanks between two words give three words: the lone blank is one of them.
  ASSERT_TRUE(Justify("ab  cd", 100));
  EXPECT_EQ(words, (std::vector<std::string_view>{"ab ", " ", "cd"}));
  EXPECT_EQ(positions.back() + 12, 100);
}

TEST_F(JustifyLineTest, ReportsOverflowAsFalse) {
  std::string line;
  for (int word = 0; word < 2000; ++word) line += "abcd ";
  line += "end";
  // 2000 words of 30 points each run past 32767.
  EXPECT_FALSE(Justify(line, 100));
}

TEST(CodePage, ConvertsUtf8ToWindows1252) {
  EXPECT_EQ(ToWindows1252("plain ASCII"), "plain ASCII");
  EXPECT_EQ(ToWindows1252("\xe2\x82\xac \xc2\xa9 \xc3\xbf"), "\x80 \xa9 \xff");  // euro, copyright, y diaeresis
  EXPECT_EQ(ToWindows1252("\xe2\x80\x9cq\xe2\x80\x9d"), "\x93q\x94");            // curly double quotes
  EXPECT_EQ(ToWindows1252("\xe4\xb8\xad"), "?");                                 // no equivalent
  EXPECT_EQ(ToWindows1252("\xf0\x9f\x98\x80!"), "?!");                           // outside the BMP
  // Each byte of an invalid sequence becomes '?': stray continuation, truncated, overlong, surrogate.
  EXPECT_EQ(ToWindows1252("a\x80z"), "a?z");
  EXPECT_EQ(ToWindows1252("a\xc3"), "a?");
  EXPECT_EQ(ToWindows1252("\xc0\xaf"), "??");
  EXPECT_EQ(ToWindows1252("\xed\xa0\x80"), "???");
  // Controls but the line ends, and the codes the code page leaves unassigned, have no glyph: '?'.
  EXPECT_EQ(ToWindows1252(std::string("\0x\t\x1F\x7F\r\n", 7)), "?x???\r\n");
  EXPECT_EQ(ToWindows1252("\u0081\u008D\u008F\u0090\u009D\u0080\u009F\u0160"), "???????\x8A");
}

}  // namespace
}  // namespace paginor
