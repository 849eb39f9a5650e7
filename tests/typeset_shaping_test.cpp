// Font lookup, faces, shaping, bidirectional order and line breaking of the text engine, on the fonts
// the project's set-up installs (DejaVu, Noto, WenQuanYi Micro Hei, the CFF-based Nimbus fonts).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/plain_words.h"
#include "support/test_files.h"
#include "typeset/document_fonts.h"
#include "typeset/line_breaks.h"
#include "typeset/plain_ascii.h"
#include "typeset/shaped_words.h"
#include "typeset/shaping.h"

namespace paginor::typeset {
namespace {

using paginor::testing::ReadFile;
using paginor::testing::TempPath;
using paginor::testing::WriteFile;

const OpenTypeFace* OpenFamily(FaceSet& faces, const std::string& family,
                           FontStyleConstants style = FontStyleConstants::Regular) {
  const auto location = LocateFace(family, style);
  return location ? faces.Open(*location) : nullptr;
}

// The texts the glyphs of a line stand for, in drawing order.
std::vector<std::string> GlyphTexts(std::string_view text, const std::vector<ShapedGlyph>& glyphs) {
  std::vector<std::string> texts;
  for (const ShapedGlyph& glyph : glyphs) {
    texts.emplace_back(text.substr(glyph.TextBegin, glyph.TextEnd - glyph.TextBegin));
  }
  return texts;
}

TEST(FontLookup, FamiliesStylesAndPaths) {
  const auto regular = LocateFace("DejaVu Sans", FontStyleConstants::Regular);
  ASSERT_TRUE(regular);
  EXPECT_NE(regular->Path.find("DejaVuSans.ttf"), std::string::npos);
  const auto bold = LocateFace("dejavu sans", FontStyleConstants::BoldItalic);
  ASSERT_TRUE(bold);
  EXPECT_NE(bold->Path.find("DejaVuSans-BoldOblique"), std::string::npos);
  DocumentFonts fonts;
  const auto chosen = fonts.Choose("DejaVu Sans", FontStyleConstants::BoldItalic);
  ASSERT_TRUE(chosen);
  EXPECT_FALSE(chosen->SyntheticBold || chosen->SyntheticItalic);
  // A family with one face: bold and italic are drawn synthetically.
  const auto synthetic = fonts.Choose("WenQuanYi Micro Hei", FontStyleConstants::BoldItalic);
  ASSERT_TRUE(synthetic);
  EXPECT_TRUE(synthetic->SyntheticBold && synthetic->SyntheticItalic);
  EXPECT_FALSE(fonts.Choose("No Such Family Anywhere", FontStyleConstants::Regular));

  EXPECT_FALSE(LocateFace("No Such Family Anywhere", FontStyleConstants::Regular));
  EXPECT_FALSE(LocateFace("", FontStyleConstants::Regular));
  EXPECT_FALSE(LocateFace("/no/such/font.ttf", FontStyleConstants::Regular));
  const auto path = LocateFace(regular->Path, FontStyleConstants::Bold);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->Path, regular->Path);
}

TEST(FontLookup, FacesKnowTheirOutlinesAndMetrics) {
  FaceSet faces;
  const OpenTypeFace* dejavu = OpenFamily(faces, "DejaVu Sans");
  ASSERT_NE(dejavu, nullptr);
  EXPECT_EQ(dejavu->Outlines(), OutlineFormat::TrueType);
  EXPECT_EQ(dejavu->PostScriptName(), "DejaVuSans");
  EXPECT_EQ(dejavu->Metrics().UnitsPerEm, 2048);
  EXPECT_GT(dejavu->Metrics().Ascent, 0);
  EXPECT_LT(dejavu->Metrics().Descent, 0);
  EXPECT_LT(dejavu->Metrics().UnderlinePosition, 0);
  EXPECT_GT(dejavu->Metrics().UnderlineThickness, 0);
  EXPECT_EQ(OpenFamily(faces, "DejaVu Sans"), dejavu);  // opened once per document

  const OpenTypeFace* italic = OpenFamily(faces, "Nimbus Sans", FontStyleConstants::Italic);
  ASSERT_NE(italic, nullptr);
  EXPECT_EQ(italic->Outlines(), OutlineFormat::CompactFontFormat);
  EXPECT_TRUE(italic->Metrics().Italic);
  EXPECT_LT(italic->Metrics().ItalicAngle, 0);
}

TEST(FontLookup, DamagedFontFilesAreRefused) {
  const auto location = LocateFace("DejaVu Sans", FontStyleConstants::Regular);
  ASSERT_TRUE(location);
  const std::string font = ReadFile(location->Path);
  ASSERT_GT(font.size(), 100000u);
  const auto bytes = [](const std::string& text) {
    return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  };
  EXPECT_NE(OpenTypeFace::FromBytes(bytes(font), 0), nullptr);
  EXPECT_EQ(OpenTypeFace::FromBytes(bytes(font), 1), nullptr);  // past the file's one face
  EXPECT_EQ(OpenTypeFace::FromBytes(bytes(font.substr(0, 400)), 0), nullptr);
  EXPECT_EQ(OpenTypeFace::FromBytes(bytes(std::string(5000, 'x')), 0), nullptr);
  EXPECT_EQ(OpenTypeFace::FromBytes({}, 0), nullptr);
  std::string badHead = font;  // the head table's magic number damaged
  const size_t head = badHead.find("head");
  ASSERT_NE(head, std::string::npos);
  const uint32_t offset = static_cast<uint8_t>(badHead[head + 8]) << 24 | static_cast<uint8_t>(badHead[head + 9]) << 16 |
                          static_cast<uint8_t>(badHead[head + 10]) << 8 | static_cast<uint8_t>(badHead[head + 11]);
  badHead[offset + 12] = 0;
  EXPECT_EQ(OpenTypeFace::FromBytes(bytes(badHead), 0), nullptr);

  const std::string truncated = TempPath("truncated.ttf");
  WriteFile(truncated, font.substr(0, font.size() / 3));
  FaceSet faces;
  const OpenTypeFace* cut = faces.Open(FaceLocation{truncated, 0});
  if (cut != nullptr) {  // the tables up front survive: shaping must still stay in bounds
    std::vector<ShapedGlyph> glyphs;
    Shaper().Shape("Truncated text", *cut, FontStyleConstants::Regular, faces, glyphs);
  }
}

TEST(Shaping, LigaturesKerningAndWidth) {
  FaceSet faces;
  const OpenTypeFace* face = OpenFamily(faces, "DejaVu Serif");
  ASSERT_NE(face, nullptr);
  Shaper shaper;
  std::vector<ShapedGlyph> glyphs;
  const std::string office = "office";
  shaper.Shape(office, *face, FontStyleConstants::Regular, faces, glyphs);
  EXPECT_EQ(GlyphTexts(office, glyphs), (std::vector<std::string>{"o", "ff", "i", "c", "e"}));

  // Words are shaped once per face: the same word in another face has that face's glyphs.
  const OpenTypeFace* sans = OpenFamily(faces, "DejaVu Sans");
  ASSERT_NE(sans, nullptr);
  shaper.Shape("office office", *sans, FontStyleConstants::Regular, faces, glyphs);
  ASSERT_EQ(glyphs.size(), 9u);  // o, ffi, c, e, space, o, ffi, c, e
  EXPECT_EQ(glyphs[0].Face, sans);
  EXPECT_EQ(glyphs[5].TextBegin, 7u);  // the second word's glyphs point into it

  shaper.Shape("AV", *face, FontStyleConstants::Regular, faces, glyphs);
  const double kerned = ShapedWidth(glyphs, 12);
  double apart = 0;
  for (const char* letter : {"A", "V"}) {
    shaper.Shape(letter, *face, FontStyleConstants::Regular, faces, glyphs);
    apart += ShapedWidth(glyphs, 12);
  }
  EXPECT_LT(kerned, apart - 0.1);
  EXPECT_NEAR(apart, 12.0 * (face->Advance(face->GlyphFor('A')) + face->Advance(face->GlyphFor('V'))) / 2048, 1e-9);
}

TEST(Shaping, ShapedWordsAreKeptPerFaceAndBounded) {
  FaceSet faces;
  const OpenTypeFace* sans = OpenFamily(faces, "DejaVu Sans");
  const OpenTypeFace* serif = OpenFamily(faces, "DejaVu Serif");
  ASSERT_NE(sans, nullptr);
  ASSERT_NE(serif, nullptr);
  const auto glyphsOf = [](const OpenTypeFace* face, uint32_t glyph) {
    ShapedGlyph shaped;
    shaped.Face = face;
    shaped.Glyph = glyph;
    return std::vector<ShapedGlyph>{shaped, shaped};
  };
  ShapedWords words;
  EXPECT_FALSE(words.Find(sans, "word"));
  words.Add(sans, "word", glyphsOf(sans, 1));
  words.Add(serif, "word", glyphsOf(serif, 2));
  const auto inSans = words.Find(sans, "word");
  ASSERT_TRUE(inSans);
  ASSERT_EQ(inSans->size(), 2u);
  EXPECT_EQ((*inSans)[1].Glyph, 1u);
  ASSERT_TRUE(words.Find(serif, "word"));
  EXPECT_EQ(words.Find(serif, "word")->front().Glyph, 2u);
  EXPECT_FALSE(words.Find(sans, "wore"));
  EXPECT_FALSE(words.Find(sans, "wor"));

  // Long words, and glyph numbers past 16 bits, are not kept; a word longer than its head is told
  // apart by the rest. Past the bound the cache starts again from empty.
  const std::string longWord(ShapedWords::LongestWord + 1, 'x');
  words.Add(sans, longWord, glyphsOf(sans, 3));
  EXPECT_FALSE(words.Find(sans, longWord));
  words.Add(sans, "huge", glyphsOf(sans, 70000));
  EXPECT_FALSE(words.Find(sans, "huge"));
  words.Add(sans, "abcdefghij", glyphsOf(sans, 5));
  EXPECT_TRUE(words.Find(sans, "abcdefghij"));
  EXPECT_FALSE(words.Find(sans, "abcdefghik"));
  for (size_t n = 0; n <= ShapedWords::MaximumWords; ++n) words.Add(sans, std::to_string(n), glyphsOf(sans, 4));
  EXPECT_LE(words.Count(), ShapedWords::MaximumWords);
  EXPECT_TRUE(words.Find(sans, std::to_string(ShapedWords::MaximumWords)));
  EXPECT_FALSE(words.Find(serif, "word"));

  // A line of more distinct words than the cache holds comes out as each word shaped alone.
  Shaper shaper;
  std::string line;
  for (size_t n = 0; n < ShapedWords::MaximumWords + 100; ++n) line += std::to_string(n * 7) + "fi ";
  std::vector<ShapedGlyph> glyphs;
  shaper.Shape(line, *sans, FontStyleConstants::Regular, faces, glyphs);
  std::vector<ShapedGlyph> alone;
  shaper.Shape("57344fi", *sans, FontStyleConstants::Regular, faces, alone);
  const size_t at = line.find(" 57344fi ") + 1;
  const auto first = std::find_if(glyphs.begin(), glyphs.end(), [&](const ShapedGlyph& g) { return g.TextBegin == at; });
  ASSERT_NE(first, glyphs.end());
  for (size_t n = 0; n < alone.size(); ++n) {
    EXPECT_EQ(first[static_cast<std::ptrdiff_t>(n)].Glyph, alone[n].Glyph);
    EXPECT_EQ(first[static_cast<std::ptrdiff_t>(n)].TextBegin, alone[n].TextBegin + at);
  }
}

// Words of plain characters take no shaping: what they are given must be what shaping gives, glyph
// for glyph, in faces with kerning, ligatures, marks, an older kerning table and CFF outlines.
TEST(Shaping, PlainWordsComeOutAsShapingGivesThem) {
  FaceSet faces;
  std::string printable;
  for (char c = ' ' + 1; c <= '~'; ++c) printable += c;
  const std::string some = "0123456789.,:;-+/%()$AVTWaeorstxyz";  // three at a time
  std::vector<std::string> words;
  for (const char a : printable) {
    for (const char b : printable) words.push_back({a, b});
  }
  for (const char a : some) {
    for (const char b : some) {
      for (const char c : some) words.push_back({a, b, c});
    }
  }
  for (const char* family : {"DejaVu Sans", "DejaVu Serif", "Noto Sans", "Noto Serif", "Nimbus Sans"}) {
    for (const auto style : {FontStyleConstants::Regular, FontStyleConstants::Bold}) {
      const OpenTypeFace* face = OpenFamily(faces, family, style);
      ASSERT_NE(face, nullptr) << family;
      const PlainAscii& plain = face->Plain();
      size_t held = 0;
      for (const std::string& word : words) {
        if (!plain.Holds(word)) continue;
        ++held;
        ASSERT_TRUE(paginor::testing::ShapedAsPlain(*face, word)) << family << " " << word;
      }
      // Figures are plain in these faces, and kerned pairs are not.
      EXPECT_TRUE(plain.Holds("12345")) << family;
      EXPECT_GT(held, words.size() / 5) << family;
    }
  }
  const OpenTypeFace* sans = OpenFamily(faces, "DejaVu Sans");
  EXPECT_FALSE(sans->Plain().Holds("AV"));
  EXPECT_FALSE(sans->Plain().Holds("fi"));
}

TEST(Shaping, RightToLeftLinesComeOutInVisualOrder) {
  FaceSet faces;
  const OpenTypeFace* face = OpenFamily(faces, "DejaVu Sans");
  ASSERT_NE(face, nullptr);
  std::vector<ShapedGlyph> glyphs;
  const std::string mixed = "ab \xD7\x90\xD7\x91\xD7\x92 cd";  // ab אבג cd
  Shaper().Shape(mixed, *face, FontStyleConstants::Regular, faces, glyphs);
  EXPECT_EQ(GlyphTexts(mixed, glyphs), (std::vector<std::string>{"a", "b", " ", "\xD7\x92", "\xD7\x91",
                                                                 "\xD7\x90", " ", "c", "d"}));
  // A right-to-left paragraph puts its left-to-right word on the left of its end.
  const std::string hebrew = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 42";  // שלום 42
  Shaper().Shape(hebrew, *face, FontStyleConstants::Regular, faces, glyphs);
  const auto texts = GlyphTexts(hebrew, glyphs);
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[0] + texts[1], "42");
  EXPECT_EQ(texts[6], "\xD7\xA9");
}

TEST(Shaping, ComplexScriptsAreShapedInTheirFonts) {
  FaceSet faces;
  Shaper shaper;
  std::vector<ShapedGlyph> glyphs;
  const OpenTypeFace* arabic = OpenFamily(faces, "Noto Sans Arabic");
  ASSERT_NE(arabic, nullptr);
  const std::string salam = "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85";  // سلام
  shaper.Shape(salam, *arabic, FontStyleConstants::Regular, faces, glyphs);
  ASSERT_FALSE(glyphs.empty());
  // Joined: the initial seen, drawn rightmost and thus last, is not the isolated form.
  EXPECT_NE(glyphs.back().Glyph, arabic->GlyphFor(U'\u0633'));

  const OpenTypeFace* devanagari = OpenFamily(faces, "Noto Sans Devanagari");
  ASSERT_NE(devanagari, nullptr);
  const std::string ki = "\xE0\xA4\x95\xE0\xA4\xBF";  // कि: the vowel sign is drawn before the consonant
  shaper.Shape(ki, *devanagari, FontStyleConstants::Regular, faces, glyphs);
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_NE(glyphs[0].Glyph, devanagari->GlyphFor(U'\u0915'));
  EXPECT_EQ(glyphs[1].Glyph, devanagari->GlyphFor(U'\u0915'));
  EXPECT_EQ(GlyphTexts(ki, glyphs)[0] + GlyphTexts(ki, glyphs)[1], ki);  // one cluster, read back whole
}

TEST(Shaping, MissingCharactersComeFromFallbackFaces) {
  FaceSet faces;
  const OpenTypeFace* face = OpenFamily(faces, "DejaVu Sans");
  ASSERT_NE(face, nullptr);
  std::vector<ShapedGlyph> glyphs;
  const std::string text = "Hi \xE4\xB8\xAD\xE6\x96\x87 \xE0\xA4\x95!";  // Hi 中文 क!
  Shaper().Shape(text, *face, FontStyleConstants::Regular, faces, glyphs);
  ASSERT_EQ(glyphs.size(), 8u);
  EXPECT_EQ(glyphs[0].Face, face);
  EXPECT_NE(glyphs[3].Face, face);
  EXPECT_EQ(glyphs[3].Face, glyphs[4].Face);
  EXPECT_NE(glyphs[3].Glyph, 0u);
  EXPECT_NE(glyphs[6].Face, face);
  EXPECT_NE(glyphs[6].Face, glyphs[3].Face);
  EXPECT_EQ(glyphs[7].Face, face);
  // A character no installed font has: the chosen face's missing-glyph box.
  Shaper().Shape("\xF4\x8F\xBF\xBD", *face, FontStyleConstants::Regular, faces, glyphs);
  ASSERT_EQ(glyphs.size(), 1u);
  EXPECT_EQ(glyphs[0].Face, face);
  EXPECT_EQ(glyphs[0].Glyph, 0u);
  EXPECT_GT(glyphs[0].Advance, 0);
}

TEST(LineBreaking, OpportunitiesByTheUnicodeRules) {
  const auto offsets = [](std::string_view text) {
    std::vector<uint32_t> found;
    for (const LineBreak& place : LineBreaks(text)) found.push_back(place.Offset);
    return found;
  };
  EXPECT_EQ(offsets("one two-three"), (std::vector<uint32_t>{4, 8}));
  EXPECT_EQ(offsets("\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97"), (std::vector<uint32_t>{3, 6}));  // 中文字
  // 你好。世: no break before the closing full stop.
  EXPECT_EQ(offsets("\xE4\xBD\xA0\xE5\xA5\xBD\xE3\x80\x82\xE4\xB8\x96"), (std::vector<uint32_t>{3, 9}));
  const auto breaks = LineBreaks("a\nb");
  ASSERT_EQ(breaks.size(), 1u);
  EXPECT_TRUE(breaks[0].Mandatory);
}

TEST(LineBreaking, WrappedLinesFitAndLoseNothing) {
  const auto characters = [](std::string_view text) {
    double count = 0;
    for (const char c : text) count += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
    return count;
  };
  const std::string text = "The quick brown fox jumps over the lazy dog\nand an extraordinarily long word";
  std::vector<std::string> lines;
  for (const WrappedLine& line : WrapParagraph(text, 10, characters)) {
    lines.push_back(text.substr(line.Begin, line.End - line.Begin));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"The quick", "brown fox", "jumps over", "the lazy", "dog", "and an",
                                             "extraordin", "arily long", "word"}));
  std::string chinese;
  for (int n = 0; n < 25; ++n) chinese += "\xE4\xB8\xAD\xE6\x96\x87\xE3\x80\x82";  // 中文。
  std::string joined;
  for (const WrappedLine& line : WrapParagraph(chinese, 7, characters)) {
    const std::string piece = chinese.substr(line.Begin, line.End - line.Begin);
    EXPECT_LE(characters(piece), 7);
    EXPECT_NE(piece.substr(0, 3), "\xE3\x80\x82");
    joined += piece;
  }
  EXPECT_EQ(joined, chinese);
}

}  // namespace
}  // namespace paginor::typeset
