// Whole documents read by real PDF readers: qpdf checks the syntax, Ghostscript renders every page,
// pdftotext and pdfinfo give back what was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "paginor/pdf.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::FlushAndCheck;
using testing::PdfFile;
using testing::TempPath;

std::string Word(int number) { return "word" + std::to_string(1000 + number).substr(1); }

// A paragraph of numbered words: word001 word002 ...
std::string Paragraph(int words) {
  std::string text;
  for (int number = 1; number <= words; ++number) {
    if (number > 1) text += ' ';
    text += Word(number);
  }
  return text;
}

// Every operation on two pages: fonts, effects, alignments, figures, titles with links, and a
// justified paragraph that runs from the bottom of the first page onto the second.
void WriteSample(PDF& pdf) {
  pdf.NewPage(36, 36, 36, 36, 255, 255, 230);
  pdf.SetFont(FontNumberConstants::Helvetica, 16, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  EXPECT_TRUE(pdf.WriteText("Quarterly report", true, 8, AlignmentConstants::Center));
  for (int number = 1; number <= 3; ++number) {
    for (int style = 1; style <= 4; ++style) {
      pdf.SetFont(static_cast<FontNumberConstants>(number), 10, static_cast<FontStyleConstants>(style),
                  static_cast<FontEffectConstants>(style % 3));
      EXPECT_TRUE(pdf.WriteText("Font" + std::to_string(number) + "style" + std::to_string(style), true, 2));
    }
  }
  pdf.SetFont(FontNumberConstants::Symbol, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  EXPECT_TRUE(pdf.WriteText("abg", true));
  pdf.SetFont(FontNumberConstants::ZapfDingbats, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  EXPECT_TRUE(pdf.WriteText("3456", true));
  pdf.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  EXPECT_TRUE(pdf.WriteText("RightSide", true, 0, AlignmentConstants::RightAlign, "https://example.com/right"));

  pdf.SetColor(0, 128, 0);
  pdf.SetFillColor(255, 204, 0);
  pdf.SetFillStyle(true);
  pdf.SetThickness(2);
  EXPECT_TRUE(pdf.DrawLine(10, 215, 510, 225));
  EXPECT_TRUE(pdf.DrawRectangle(10, 230, 150, 60));
  EXPECT_TRUE(pdf.DrawCircle(244, 260, 35));
  EXPECT_TRUE(pdf.DrawEllipse(364, 260, 60, 20));
  EXPECT_TRUE(pdf.DrawArc(464, 260, 40, 0, 120));
  pdf.SetDash("3 2");
  EXPECT_TRUE(pdf.DrawArc(60, 300, 30, 30, 300));
  EXPECT_TRUE(pdf.DrawCurve(120, 300, 200, 330, 300, 300));
  pdf.SetDash("");
  pdf.SetColor(0, 0, 0);
  pdf.SetFillStyle(false);
  pdf.SetThickness(1);

  pdf.SetPosition(0, 340);
  EXPECT_TRUE(pdf.WriteTitle("DiscTitle", AlignmentConstants::NoAlignment, BulletConstants::Disc,
                             "https://example.com/disc"));
  EXPECT_TRUE(pdf.WriteTitle("SquareTitle", AlignmentConstants::Center, BulletConstants::Square));
  EXPECT_TRUE(pdf.WriteMultiText(Paragraph(600), 2, AlignmentConstants::NoAlignment, true));
  EXPECT_TRUE(pdf.WriteText("AfterParagraph", true));
}

TEST(PdfValidation, EveryOperationReadsBackInEveryOrientation) {
  if (!testing::HasTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  for (const bool landscape : {false, true}) {
    PDF pdf;
    pdf.SetOrientation(landscape ? OrientationConstants::Landscape : OrientationConstants::Portrait);
    pdf.SetRotated(landscape);
    pdf.SetTitle("Sample");
    const std::string path = TempPath(landscape ? "sample-landscape.pdf" : "sample-portrait.pdf");
    ASSERT_TRUE(pdf.Create(path));
    WriteSample(pdf);
    const PdfFile file = FlushAndCheck(pdf, path);
    ASSERT_EQ(file.Pages().size(), 2u);

    const std::string first = testing::ExtractedText(path, 1), second = testing::ExtractedText(path, 2);
    for (const std::string text : {"Quarterly report", "Font1style1", "Font2style4", "Font3style2", "RightSide",
                                   "DiscTitle", "SquareTitle"}) {
      EXPECT_NE(first.find(text), std::string::npos) << text;
    }
    EXPECT_NE(second.find("AfterParagraph\n"), std::string::npos);
    EXPECT_NE(second.find("Paginor (c) 2026 The Paginor developers"), std::string::npos);
    // The paragraph starts on the first page and ends on the second, every word once. (The last line
    // of the first page shares its place with the footer, so a reader may take them out of order.)
    const std::string both = first + second;
    std::set<std::string> found;
    const std::regex word("word\\d{3}");
    for (std::sregex_iterator match(both.begin(), both.end(), word), end; match != end; ++match) {
      EXPECT_TRUE(found.insert(match->str()).second) << match->str();
    }
    EXPECT_EQ(found.size(), 600u);
    EXPECT_EQ(*found.begin(), Word(1));
    EXPECT_EQ(*found.rbegin(), Word(600));
    EXPECT_NE(first.find(Word(1) + " " + Word(2)), std::string::npos);
    EXPECT_NE(second.find(Word(599) + " " + Word(600)), std::string::npos);
    EXPECT_EQ(second.find(Word(1) + " "), std::string::npos);
  }
}

TEST(PdfValidation, ParenthesesAndBackslashesReadBackAsWritten) {
  if (!testing::HasTool("pdftotext") || !testing::HasTool("pdfinfo")) GTEST_SKIP() << "poppler tools missing";
  const std::string title = "Report (draft) 1) \\ 2( end\\";
  const std::string text = "a) b( c\\d (e) f\\";
  const std::string link = "https://example.com/q?(x\\y)z)";
  PDF pdf;
  pdf.SetTitle(title);
  const std::string path = TempPath("escapes.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  EXPECT_TRUE(pdf.WriteText(text, true, 0, AlignmentConstants::NoAlignment, link));
  EXPECT_TRUE(pdf.WriteTitle(text, AlignmentConstants::NoAlignment, BulletConstants::Disc, link));
  FlushAndCheck(pdf, path);
  std::string info = "\n";  // so that the first line starts after a line end too
  info += testing::RunCommand("pdfinfo '" + path + "'").output;
  EXPECT_NE(info.find("\nTitle: "), std::string::npos);
  EXPECT_EQ(info.substr(info.find_first_not_of(' ', info.find("\nTitle: ") + 7), title.size() + 1), title + "\n");
  const std::string links = testing::RunCommand("pdfinfo -url '" + path + "'").output;
  EXPECT_EQ(links, "Page  Type          URL\n   1  Annotation    " + link + "\n   1  Annotation    " + link + "\n");
  const std::string shown = testing::ExtractedText(path);
  ASSERT_NE(shown.find(text), std::string::npos) << shown;
  EXPECT_NE(shown.find(text), shown.rfind(text)) << shown;  // in the line and in the title
}

TEST(PdfValidation, HundredThousandObjectsAreWrittenCompletely) {
  PDF pdf;
  const std::string path = TempPath("large.pdf");
  ASSERT_TRUE(pdf.Create(path));
  for (int page = 1; page <= 3000; ++page) {
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    for (int line = 1; line <= 15; ++line) {
      ASSERT_TRUE(pdf.WriteText("Line " + std::to_string(line) + " of page " + std::to_string(page), true, 2));
    }
  }
  const PdfFile file = FlushAndCheck(pdf, path);
  ASSERT_EQ(file.Pages().size(), 3000u);
  const testing::Lines& lines = file.AllLines();
  EXPECT_EQ(lines[lines.size() - 7], "/Size 105019");  // 17 + 3000 pages of 35 objects + the catalog, + 1
  if (testing::HasTool("pdftotext")) {
    EXPECT_NE(testing::ExtractedText(path, 3000).find("Line 15 of page 3000"), std::string::npos);
  }
  std::filesystem::remove(path);  // 11 MB: not worth keeping for a look
}

}  // namespace
}  // namespace paginor
