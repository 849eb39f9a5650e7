// Documents in OpenType and TrueType fonts through the public interface: a page in many scripts read
// back by qpdf, Ghostscript, pdffonts and pdftotext; a small Chinese page; lines that end where
// TextWidth says; wrapping, justification and page breaks; fonts not found; footers in these fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/script_lines.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::ExtractedText;
using testing::FlushAndCheck;
using testing::Letters;
using testing::HasTool;
using testing::Quoted;
using testing::RunCommand;
using testing::TempPath;

constexpr FontStyleConstants Regular = FontStyleConstants::Regular;

struct Word {
  double xMin, yMin, xMax;
  std::string text;
};

// The words pdftotext finds on the first page, with their boxes.
std::vector<Word> Words(const std::string& path) {
  const auto boxes = RunCommand("pdftotext -f 1 -l 1 -bbox " + Quoted(path) + " -");
  const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
  std::vector<Word> words;
  for (auto match = std::sregex_iterator(boxes.output.begin(), boxes.output.end(), word);
       match != std::sregex_iterator(); ++match) {
    words.push_back({std::stod((*match)[1]), std::stod((*match)[2]), std::stod((*match)[3]), (*match)[4]});
  }
  return words;
}

// The right edge of each line of words (lines told apart by their top, to the point).
std::map<long, double> RightEdges(const std::vector<Word>& words) {
  std::map<long, double> edges;
  for (const Word& word : words) {
    double& edge = edges[std::lround(word.yMin)];
    edge = std::max(edge, word.xMax);
  }
  return edges;
}

bool ReadersPresent() {
  return HasTool("qpdf") && HasTool("gs") && HasTool("pdffonts") && HasTool("pdftotext");
}

TEST(OpenTypeDocument, EveryScriptEmbeddedAndReadBack) {
  if (!ReadersPresent()) GTEST_SKIP() << "qpdf, Ghostscript or poppler-utils is not installed";
  const auto& lines = testing::ScriptLines();
  PDF pdf;
  pdf.SetFooter("");
  const std::string path = TempPath("scripts.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  for (const auto& [family, text] : lines) {
    ASSERT_TRUE(pdf.SetFont(family, 14)) << family;
    EXPECT_EQ(pdf.FontFamily(), family);
    EXPECT_TRUE(pdf.WriteText(text, true, 4)) << text;
  }
  const testing::PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_EQ(file.Bytes().substr(0, 8), "%PDF-1.3");  // the CFF face needs it

  const auto fonts = RunCommand("pdffonts " + Quoted(path));
  const std::regex embedded(R"(^[A-Z]{6}\+\S+\s+(CID TrueType|CID Type 0C)\s+Identity-H\s+yes\s+yes\s+yes\s)");
  int rows = 0;
  std::istringstream listing(fonts.output);
  for (std::string line; std::getline(listing, line);) {
    if (line.find("CID") == std::string::npos) continue;
    EXPECT_TRUE(std::regex_search(line, embedded)) << line;
    ++rows;
  }
  EXPECT_EQ(rows, 8) << fonts.output;  // eight families (WenQuanYi also draws the fallback)
  const std::string text = ExtractedText(path);
  std::istringstream read(text);
  std::vector<std::string> readLines;
  for (std::string line; std::getline(read, line);) {
    if (!Letters(line).empty()) readLines.push_back(Letters(line));
  }
  ASSERT_GE(readLines.size(), lines.size()) << text;
  for (size_t n = 0; n < lines.size(); ++n) EXPECT_EQ(readLines[n], Letters(lines[n].second));
}

TEST(OpenTypeDocument, TwoChineseCharactersMakeASmallFile) {
  PDF pdf;
  pdf.SetFooter("");
  const std::string path = TempPath("chinese.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  ASSERT_TRUE(pdf.SetFont("WenQuanYi Micro Hei", 24));
  EXPECT_TRUE(pdf.WriteText("\u4e2d\u6587"));
  const testing::PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_LT(file.Bytes().size(), 50u * 1024);
  EXPECT_EQ(file.Bytes().substr(0, 8), "%PDF-1.2");
  if (HasTool("pdftotext")) EXPECT_EQ(Letters(ExtractedText(path)), "\u4e2d\u6587");
}

TEST(OpenTypeDocument, LinesEndWhereTextWidthSays) {
  if (!HasTool("pdftotext")) GTEST_SKIP() << "poppler-utils is not installed";
  PDF pdf;
  pdf.SetFooter("");
  const std::string path = TempPath("widths.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(50, 50, 50, 50, 255, 255, 255);
  int16_t pageWidth = 0, pageHeight = 0;
  pdf.GetPageDimensions(pageWidth, pageHeight);
  const double right = pageWidth - 50.0, centre = pageWidth / 2.0;
  ASSERT_TRUE(pdf.SetFont("DejaVu Serif", 16));
  const std::string kerned = "AVAVA Tower office";
  const double width = pdf.TextWidth(kerned);
  EXPECT_GT(width, 100);
  EXPECT_TRUE(pdf.WriteText(kerned, true, 10, AlignmentConstants::RightAlign));
  EXPECT_TRUE(pdf.WriteText(kerned, true, 10, AlignmentConstants::Center));
  ASSERT_TRUE(pdf.SetFont("DejaVu Sans", 16));
  EXPECT_TRUE(pdf.WriteText("Mixed \u4e2d\u6587 \u05e9\u05dc\u05d5\u05dd end", true, 10, AlignmentConstants::RightAlign));
  ASSERT_TRUE(pdf.Flush());

  std::vector<Word> words = Words(path);
  ASSERT_FALSE(words.empty());
  std::map<long, std::pair<double, double>> lines;  // left and right edge by line
  for (const Word& word : words) {
    auto [entry, added] = lines.try_emplace(std::lround(word.yMin), word.xMin, word.xMax);
    entry->second.first = std::min(entry->second.first, word.xMin);
    entry->second.second = std::max(entry->second.second, word.xMax);
  }
  ASSERT_EQ(lines.size(), 3u);
  auto line = lines.begin();
  EXPECT_NEAR(line->second.second, right, 1.0);
  EXPECT_NEAR(line->second.second - line->second.first, width, 1.0);
  ++line;
  EXPECT_NEAR((line->second.first + line->second.second) / 2, centre, 1.0);
  ++line;
  EXPECT_NEAR(line->second.second, right, 1.0);
}

TEST(OpenTypeDocument, ParagraphsWrapJustifyAndBreakPages) {
  if (!HasTool("pdftotext")) GTEST_SKIP() << "poppler-utils is not installed";
  PDF pdf;
  pdf.SetFooter("");
  const std::string path = TempPath("paragraphs.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(50, 50, 50, 50, 255, 255, 255);
  ASSERT_TRUE(pdf.SetFont("DejaVu Sans", 11));
  std::string latin;
  for (int n = 0; n < 30; ++n) latin += "justified words of uneven length fill every line ";
  EXPECT_TRUE(pdf.WriteMultiText(latin, 2, AlignmentConstants::NoAlignment, true, 300));
  // Chinese wraps between characters and breaks onto new pages by itself.
  ASSERT_TRUE(pdf.SetFont("WenQuanYi Micro Hei", 12));
  std::string chinese;
  for (int n = 0; n < 120; ++n) chinese += "\u8fd9\u662f\u4e00\u6bb5\u4e2d\u6587\u6587\u5b57\uff0c\u5b83\u5728\u5b57\u4e0e\u5b57\u4e4b\u95f4\u6362\u884c\u3002";
  pdf.SetPosition(0, -1);
  EXPECT_TRUE(pdf.WriteMultiText(chinese, 2, AlignmentConstants::NoAlignment, false, 200));
  EXPECT_GT(pdf.PageNumber(), 1);
  ASSERT_TRUE(pdf.Flush());

  // The justified lines (all but the last) share one right edge, 300 points from the margin.
  std::vector<Word> latinWords = Words(path);
  std::erase_if(latinWords, [](const Word& word) {
    return std::any_of(word.text.begin(), word.text.end(), [](char c) { return (c & 0x80) != 0; });
  });
  std::vector<double> justified;
  for (const auto& [top, edge] : RightEdges(latinWords)) justified.push_back(edge);
  ASSERT_GT(justified.size(), 10u);
  justified.pop_back();  // the last line of the Latin paragraph
  for (const double edge : justified) EXPECT_NEAR(edge, 350, 1.0);
  // Every Chinese character comes back, no line passes the block, none starts with the full stop.
  std::string all;
  for (int page = 1; page <= pdf.PageNumber(); ++page) all += ExtractedText(path, page);
  const std::string letters = Letters(all);
  EXPECT_NE(letters.find(Letters(chinese)), std::string::npos);
  std::istringstream read(all);
  for (std::string line; std::getline(read, line);) EXPECT_NE(line.rfind("\u3002", 0), 0u) << line;
}

TEST(OpenTypeDocument, FontsNotFoundKeepTheFont) {
  for (const bool postScript : {false, true}) {
    PDF asPdf;
    PS asPs;
    Document& pdf = postScript ? static_cast<Document&>(asPs) : asPdf;
    ASSERT_TRUE(pdf.Create(TempPath(postScript ? "missing.ps" : "missing.pdf")));
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    ASSERT_TRUE(pdf.SetFont("DejaVu Sans", 12, FontStyleConstants::Bold, FontEffectConstants::Underline));
    EXPECT_FALSE(pdf.SetFont("No Such Family Anywhere", 20));
    EXPECT_EQ(pdf.LastFailure(), FailureConstants::FontNotFound);
    EXPECT_NE(pdf.LastFailureMessage().find("No Such Family Anywhere"), std::string::npos);
    EXPECT_EQ(pdf.FontFamily(), "DejaVu Sans");
    // A file that is not a font is refused the same way.
    const std::string broken = TempPath("broken.ttf");
    testing::WriteFile(broken, std::string(2000, '\x01'));
    EXPECT_FALSE(pdf.SetFont(broken, 12));
    EXPECT_EQ(pdf.LastFailure(), FailureConstants::FontNotFound);
    FontNumberConstants number{};
    uint8_t height = 0;
    FontStyleConstants style{};
    FontEffectConstants effect{};
    pdf.GetFont(number, height, style, effect);
    EXPECT_EQ(height, 12);
    EXPECT_EQ(style, FontStyleConstants::Bold);
    EXPECT_EQ(effect, FontEffectConstants::Underline);
    // A value out of range is replaced as in the other SetFont, and the font is set all the same.
    EXPECT_TRUE(pdf.SetFont("DejaVu Serif", 200));
    EXPECT_EQ(pdf.LastFailure(), FailureConstants::InvalidArgument);
    pdf.SetFont(FontNumberConstants::Times, 12, Regular, FontEffectConstants::NoFontEffect);
    EXPECT_EQ(pdf.FontFamily(), "");
    EXPECT_TRUE(pdf.Flush());
  }
}

// A document object written twice embeds in each document the glyphs that document drew.
TEST(OpenTypeDocument, EachDocumentEmbedsItsOwnGlyphs) {
  PDF pdf;
  pdf.SetFooter("");
  std::vector<std::string> files;
  for (const char* text : {"\u4e2d\u6587", "\u65e5\u672c\u8a9e\u306e\u6587\u5b57"}) {
    files.push_back(TempPath(std::string("again-") + std::to_string(files.size()) + ".pdf"));
    ASSERT_TRUE(pdf.Create(files.back()));
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    EXPECT_EQ(pdf.FontFamily(), "");  // Create starts in the default font
    ASSERT_TRUE(pdf.SetFont("WenQuanYi Micro Hei", 20));
    EXPECT_TRUE(pdf.WriteText(text));
    const testing::PdfFile file = FlushAndCheck(pdf, files.back());
    if (HasTool("pdftotext")) EXPECT_EQ(Letters(ExtractedText(files.back())), text);
  }
}

TEST(OpenTypeDocument, TitlesEffectsLinksAndFootersInTheseFonts) {
  if (!ReadersPresent()) GTEST_SKIP() << "qpdf, Ghostscript or poppler-utils is not installed";
  PDF pdf;
  const std::string path = TempPath("titles.pdf");
  pdf.SetFooter("\u0421\u0442\u0440\u0430\u043d\u0438\u0446\u0430 {page} / {pages}");  // Страница N / M
  EXPECT_TRUE(pdf.SetFooterFont("DejaVu Sans", 9));
  ASSERT_TRUE(pdf.Create(path));
  for (int page = 0; page < 2; ++page) {
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    ASSERT_TRUE(pdf.SetFont("Noto Sans Devanagari", 14, Regular, FontEffectConstants::Underline));
    EXPECT_TRUE(pdf.WriteTitle("\u0936\u0940\u0930\u094d\u0937\u0915", AlignmentConstants::NoAlignment,
                               BulletConstants::Square, "https://example.com/title"));
    ASSERT_TRUE(pdf.SetFont("WenQuanYi Micro Hei", 12, FontStyleConstants::BoldItalic, FontEffectConstants::Strikethrough));
    EXPECT_TRUE(pdf.WriteText("\u7c97\u659c\u4f53", true, 0, AlignmentConstants::NoAlignment, "https://example.com/cn"));
  }
  const testing::PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_NE(file.Bytes().find("/URI (https://example.com/cn)"), std::string::npos);
  EXPECT_NE(file.Bytes().find("2 Tr"), std::string::npos);        // the synthetic bold
  EXPECT_NE(file.Bytes().find("1 0 0.213 1"), std::string::npos);  // and slant
  const std::string text = Letters(ExtractedText(path));
  EXPECT_NE(text.find("\u0936\u0940\u0930\u094d\u0937\u0915"), std::string::npos) << text;
  EXPECT_NE(text.find("\u0421\u0442\u0440\u0430\u043d\u0438\u0446\u04301/2"), std::string::npos) << text;
  EXPECT_NE(text.find("\u0421\u0442\u0440\u0430\u043d\u0438\u0446\u04302/2"), std::string::npos) << text;
}

}  // namespace
}  // namespace paginor
