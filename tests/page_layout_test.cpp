// What a program laying out invoices and reports needs, read back with real readers: text measured as
// it is drawn, page numbers in the footer, a footer band nothing else covers, the room left on the
// page, and links written through Document.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/footer_text.h"
#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/document_formats.h"
#include "support/external_tools.h"
#include "support/picture_sources.h"
#include "support/test_files.h"
#include "support/text_readers.h"

namespace paginor {
namespace {

using testing::TempPath;
using testing::WordBox;

void UseFont(Document& document, FontNumberConstants font, uint8_t height,
             FontStyleConstants style = FontStyleConstants::Regular) {
  document.SetFont(font, height, style, FontEffectConstants::NoFontEffect);
}

// A paragraph long enough to fill a few pages of Helvetica 12 at 36-point margins.
std::string LongParagraph(int words) {
  std::string text;
  for (int index = 0; index < words; ++index) {
    if (index > 0) text += ' ';
    text.append("jigsaw").append(std::to_string(index));
  }
  return text;
}

// The words of each page of a document: a PDF as it is, PostScript once ps2pdf has made it a PDF.
template <typename Format>
std::vector<std::vector<WordBox>> WordsByPage(const std::string& path, size_t pages) {
  std::string pdf = path;
  if constexpr (std::is_same_v<Format, testing::PsFormat>) {
    pdf = path + ".converted.pdf";
    EXPECT_TRUE(testing::ConvertToPdf(path, pdf));
  }
  std::vector<std::vector<WordBox>> words;
  for (size_t page = 1; page <= pages; ++page) words.push_back(testing::WordBoxes(pdf, static_cast<int>(page)));
  return words;
}

TEST(FooterPlaceholders, AreFilledAndBracesDoubledAreLiteral) {
  EXPECT_EQ(FilledFooter("Page {page} of {pages}", 2, 13), "Page 2 of 13");
  EXPECT_EQ(FilledFooter("{{page}} {pages}}} {other} { } {", 7, 9), "{page} 9} {other} { } {");
  EXPECT_EQ(FilledFooter("{{{page}}}", 4, 5), "{4}");
  EXPECT_EQ(FilledFooter("no placeholders", 1, 1), "no placeholders");
  EXPECT_TRUE(NamesPageCount("{pages}"));
  EXPECT_TRUE(NamesPageCount("{{{pages}"));
  EXPECT_FALSE(NamesPageCount("{{pages}}"));
  EXPECT_FALSE(NamesPageCount("{page} {pagesx"));
}

TEST(TextWidth, IsWhatWriteTextDrawsInEveryStandardFont) {
  if (!testing::HasTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  PDF pdf;
  const std::string path = TempPath("text-width.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(20, 20, 20, 20, 255, 255, 255);
  EXPECT_DOUBLE_EQ(pdf.TextWidth("anything"), 38.0);  // Courier 8: 8 letters of 4.8 points, in whole points
  const FontNumberConstants fonts[] = {FontNumberConstants::Courier, FontNumberConstants::Helvetica,
                                       FontNumberConstants::Times, FontNumberConstants::Symbol,
                                       FontNumberConstants::ZapfDingbats};
  const FontStyleConstants styles[] = {FontStyleConstants::Regular, FontStyleConstants::Bold,
                                       FontStyleConstants::Italic, FontStyleConstants::BoldItalic};
  const std::string text = "Wolfram-Quayside7%";
  std::vector<double> widths;
  int16_t y = 0;
  for (const FontNumberConstants font : fonts) {
    const bool styled = font != FontNumberConstants::Symbol && font != FontNumberConstants::ZapfDingbats;
    for (const FontStyleConstants style : styles) {
      if (!styled && style != FontStyleConstants::Regular) continue;
      UseFont(pdf, font, 23, style);
      widths.push_back(pdf.TextWidth(text));
      pdf.SetPosition(10, y);
      ASSERT_TRUE(pdf.WriteText(text));
      int16_t x = 0, top = 0;
      pdf.GetPosition(x, top);
      EXPECT_EQ(x, 10 + widths.back()) << "font " << static_cast<int>(font) << " style " << static_cast<int>(style);
      y = static_cast<int16_t>(y + 40);
    }
  }
  ASSERT_EQ(widths.size(), 14u);
  EXPECT_EQ(pdf.TextWidth(""), 0.0);
  UseFont(pdf, FontNumberConstants::Helvetica, 10);
  EXPECT_EQ(pdf.TextWidth("\u00e9\u00e9"), pdf.TextWidth("ee"));  // measured in Windows-1252, like the text
  ASSERT_TRUE(pdf.Flush());

  const std::vector<WordBox> words = testing::WordBoxes(path, 1);
  std::vector<WordBox> body;
  std::copy_if(words.begin(), words.end(), std::back_inserter(body),
               [](const WordBox& word) { return word.left < 40; });  // the footer is centred, far from x 30
  ASSERT_EQ(body.size(), widths.size());
  for (size_t index = 0; index < body.size(); ++index) {
    EXPECT_NEAR(body[index].right - body[index].left, widths[index], 0.5) << "font " << index;
  }
}

template <typename Format>
class PageLayout : public ::testing::Test {};
TYPED_TEST_SUITE(PageLayout, testing::DocumentFormats);

// Three pages, the second and third started by a paragraph breaking pages by itself.
void ThreeNumberedPages(Document& document) {
  document.SetFooter("Page {page} of {pages}");
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  EXPECT_EQ(document.PageNumber(), 1);
  UseFont(document, FontNumberConstants::Helvetica, 12);
  document.SetPosition(0, 500);
  EXPECT_TRUE(document.WriteMultiText(LongParagraph(700), 2));
  EXPECT_EQ(document.PageNumber(), 3);
}

TYPED_TEST(PageLayout, FooterNumbersEveryPageThroughFileFunctionAndMemory) {
  if (!TypeParam::ReadersInstalled() || !testing::HasTool("ps2pdf")) GTEST_SKIP() << "readers are not installed";
  enum class Output { File, Function, Memory };
  for (const Output output : {Output::File, Output::Function, Output::Memory}) {
    const std::string path = TempPath("numbered-" + std::to_string(static_cast<int>(output)) + TypeParam::Extension);
    typename TypeParam::Document document;
    EXPECT_EQ(document.PageNumber(), 0);
    std::ofstream file;
    if (output == Output::File) {
      ASSERT_TRUE(document.Create(path));
    } else if (output == Output::Function) {
      file.open(path, std::ios::binary);
      ASSERT_TRUE(document.Create([&](std::string_view bytes) { return bool(file.write(bytes.data(), std::ssize(bytes))); }));
    } else {
      ASSERT_TRUE(document.CreateInMemory());
    }
    ThreeNumberedPages(document);
    ASSERT_TRUE(document.Flush());
    if (output == Output::Memory) testing::Written(path.substr(path.rfind('/') + 1), document.TakeOutput());
    file.close();
    EXPECT_EQ(TypeParam::ReaderProblems(path), "");

    const auto pages = WordsByPage<TypeParam>(path, 3);
    for (size_t page = 0; page < pages.size(); ++page) {
      const std::vector<testing::TextLine> lines = testing::TextLines(pages[page]);
      ASSERT_FALSE(lines.empty());
      std::string footer;
      for (const WordBox& word : lines.back()) {
        if (!footer.empty()) footer += ' ';
        footer += word.text;
      }
      EXPECT_EQ(footer, "Page " + std::to_string(page + 1) + " of 3") << "output " << static_cast<int>(output);
      // Centred: as much room on its left as on its right, within the rounding of the centring.
      const double left = lines.back().front().left, right = 595 - lines.back().back().right;
      EXPECT_NEAR(left, right, 1.5);
    }
  }
}

TYPED_TEST(PageLayout, NoTextReachesIntoTheFooterBand) {
  if (!TypeParam::ReadersInstalled() || !testing::HasTool("ps2pdf")) GTEST_SKIP() << "readers are not installed";
  const std::string path = TempPath("band" + std::string(TypeParam::Extension));
  typename TypeParam::Document document;
  ASSERT_TRUE(document.Create(path));
  document.SetFooter("Footer {page}");
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  UseFont(document, FontNumberConstants::Times, 12);
  // 770 points inside the margins, 758 above the band: 63 lines of 12 fit on the first page. A text,
  // a figure or a picture reaching into the band is refused.
  document.SetPosition(0, 747);
  EXPECT_FALSE(document.WriteText("low"));
  EXPECT_EQ(document.LastFailure(), FailureConstants::DoesNotFit);
  EXPECT_FALSE(document.WriteTitle("low"));
  EXPECT_FALSE(document.DrawLine(0, 759, 10, 759));
  EXPECT_TRUE(document.DrawLine(0, 758, 10, 758));
  EXPECT_FALSE(document.DrawRectangle(0, 700, 10, 59));
  const auto pictures = testing::EveryKindOfPicture();
  document.SetPosition(0, 752);  // 7 points high: one too many
  EXPECT_FALSE(document.DrawPicture(pictures.front().path));
  document.SetPosition(0, 751);
  EXPECT_TRUE(document.DrawPicture(pictures.front().path));
  int16_t width = 0, height = 0;
  document.GetSpaceLeft(width, height);
  EXPECT_EQ(width, 523);
  EXPECT_EQ(height, 0);
  document.SetPosition(0, 746);
  EXPECT_TRUE(document.WriteText("last", true));
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  EXPECT_TRUE(document.WriteMultiText(LongParagraph(1500)));
  ASSERT_TRUE(document.Flush());

  const size_t count = TypeParam::Pages(path);
  ASSERT_GE(count, 4u);
  const auto pages = WordsByPage<TypeParam>(path, count);
  for (size_t page = 0; page < pages.size(); ++page) {
    const std::vector<testing::TextLine> lines = testing::TextLines(pages[page]);
    ASSERT_GE(lines.size(), 2u);
    const WordBox& footer = lines.back().front();
    ASSERT_EQ(footer.text, "Footer") << "page " << page + 1;
    for (size_t line = 0; line + 1 < lines.size(); ++line) {
      for (const WordBox& word : lines[line]) {
        EXPECT_LE(word.bottom, footer.top) << word.text << " on page " << page + 1;
        // The line itself, from its top to its baseline, stays above the band at 794 from the top.
        EXPECT_LE(word.bottom - 0.25 * 12, 794.0) << word.text << " on page " << page + 1;
      }
    }
  }
}

TYPED_TEST(PageLayout, SpaceLeftAndPageNumberFollowThePosition) {
  typename TypeParam::Document document;
  int16_t width = -1, height = -1;
  document.GetSpaceLeft(width, height);
  EXPECT_EQ(std::vector<int>({width, height}), std::vector<int>({0, 0}));
  ASSERT_TRUE(document.Create(TempPath("space" + std::string(TypeParam::Extension))));
  EXPECT_EQ(document.PageNumber(), 0);
  document.NewPage(50, 50, 50, 50, 255, 255, 255);  // 495 by 742 inside the margins
  document.GetSpaceLeft(width, height);
  EXPECT_EQ(std::vector<int>({width, height}), std::vector<int>({495, 730}));  // 12 for the footer
  UseFont(document, FontNumberConstants::Courier, 10);
  ASSERT_TRUE(document.WriteText("12345", true, 2));
  document.SetPosition(100, -1);
  document.GetSpaceLeft(width, height);
  EXPECT_EQ(std::vector<int>({width, height}), std::vector<int>({395, 718}));
  document.SetFooter("");
  document.GetSpaceLeft(width, height);
  EXPECT_EQ(height, 730);
  document.SetPosition(-1, 742);
  document.GetSpaceLeft(width, height);
  EXPECT_EQ(height, 0);
  document.NewPage(50, 50, 50, 50, 255, 255, 255);
  EXPECT_EQ(document.PageNumber(), 2);
  ASSERT_TRUE(document.Create(TempPath("space-again" + std::string(TypeParam::Extension))));
  EXPECT_EQ(document.PageNumber(), 0);
  EXPECT_TRUE(document.Flush());
}

// Written once for both formats, as a program switching formats would.
void WriteLinks(Document& document, const std::string& picture) {
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  UseFont(document, FontNumberConstants::Helvetica, 12);
  EXPECT_TRUE(document.WriteText("Text link", true, 4, AlignmentConstants::NoAlignment, "https://example.com/text"));
  EXPECT_TRUE(document.WriteTitle("Title link", AlignmentConstants::NoAlignment, BulletConstants::Square,
                                  "https://example.com/title?a=(b)"));
  EXPECT_TRUE(document.DrawPicture(picture, AlignmentConstants::Center, "https://example.com/caf\u00e9"));
  // The call without a link keeps its meaning: alignment and encoding.
  EXPECT_TRUE(document.DrawPicture(picture, AlignmentConstants::RightAlign, EncodingConstants::Flate));
}

TYPED_TEST(PageLayout, LinksWrittenThroughDocumentSurviveInPdf) {
  if (!testing::HasTool("pdfinfo") || !testing::HasTool("ps2pdf")) GTEST_SKIP() << "pdfinfo or ps2pdf missing";
  const std::string path = TempPath("links" + std::string(TypeParam::Extension));
  typename TypeParam::Document document;
  ASSERT_TRUE(document.Create(path));
  WriteLinks(document, testing::EveryKindOfPicture().front().path);
  ASSERT_TRUE(document.Flush());
  EXPECT_EQ(TypeParam::ReaderProblems(path), "");
  std::string pdf = path;
  if constexpr (std::is_same_v<TypeParam, testing::PsFormat>) {
    pdf = path + ".converted.pdf";
    ASSERT_TRUE(testing::ConvertToPdf(path, pdf));
  }
  const std::string urls = testing::RunCommand("pdfinfo -url " + testing::Quoted(pdf)).output;
  for (const char* url : {"https://example.com/text", "https://example.com/title?a=(b)", "https://example.com/caf%C3%A9"}) {
    EXPECT_NE(urls.find(url), std::string::npos) << url << " not in " << urls;
  }
  EXPECT_EQ(std::count(urls.begin(), urls.end(), '\n'), 4) << urls;  // a heading and three links

  // A document without links has no pdfmark at all.
  const std::string plain = TempPath("no-links" + std::string(TypeParam::Extension));
  typename TypeParam::Document other;
  ASSERT_TRUE(other.Create(plain));
  other.NewPage(36, 36, 36, 36, 255, 255, 255);
  EXPECT_TRUE(other.WriteText("no link"));
  ASSERT_TRUE(other.Flush());
  EXPECT_EQ(testing::ReadFile(plain).find("pdfmark"), std::string::npos);
}

}  // namespace
}  // namespace paginor
