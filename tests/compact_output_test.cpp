// Compact output: the same calls give the same pages as the default output, pixel for pixel as
// Ghostscript renders them, with the same text and links, in far fewer bytes; the output still leaves
// page by page.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "standard_report.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/picture_sources.h"
#include "support/random_pages.h"
#include "support/rendering.h"
#include "support/test_files.h"
#include "support/text_readers.h"

namespace paginor {
namespace {

using Draw = std::function<void(Document&)>;

// Writes the calls of draw into a new document of the format, compact or not, and returns its path;
// prepare, when given, sets the document's properties before Create.
template <typename Format>
std::string Write(const std::string& name, bool compact, const Draw& draw, const Draw& prepare) {
  const std::string path = testing::TempPath(name + (compact ? "-compact" : "-default") +
                                             (std::is_same_v<Format, PDF> ? ".pdf" : ".ps"));
  Format document;
  if (prepare) prepare(document);
  document.SetCompact(compact);
  EXPECT_TRUE(document.Create(path));
  EXPECT_EQ(document.Compact(), compact);
  draw(document);
  EXPECT_TRUE(document.Flush());
  return path;
}

// The link annotations of a PDF, in file order: each one's target and rectangle.
std::vector<std::string> Links(const std::string& path) {
  const std::string bytes = testing::ReadFile(path);
  static const std::regex link("/A << /URI \\((.*)\\) /S /URI >>\r\n(?:.*\r\n)*?/Rect \\[(.*)\\]\r\n");
  std::vector<std::string> links;
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), link); it != std::sregex_iterator(); ++it) {
    links.push_back((*it)[1].str() + " at " + (*it)[2].str());
  }
  return links;
}

// Every page of both documents renders to the same pixels; PDFs also pass qpdf --check, read back as
// the same text and carry the same links; PostScript converted by ps2pdf reads back as the same text.
// Returns the sizes of the default and compact files.
template <typename Format>
std::pair<size_t, size_t> ExpectSamePages(const std::string& name, const Draw& draw, const Draw& prepare = {}) {
  testing::FixCreationDate();
  const std::string normal = Write<Format>(name, false, draw, prepare);
  const std::string compact = Write<Format>(name, true, draw, prepare);
  const std::string sheet =
      std::is_same_v<Format, PDF> ? "" : "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA";
  const std::vector<testing::Raster> expected = testing::RenderPages(normal, sheet);
  const std::vector<testing::Raster> pages = testing::RenderPages(compact, sheet);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(pages.size(), expected.size());
  for (size_t page = 0; page < std::min(pages.size(), expected.size()); ++page) {
    EXPECT_TRUE(pages[page].width == expected[page].width && pages[page].rgb == expected[page].rgb)
        << name << ": page " << page + 1 << " looks different";
  }
  if constexpr (std::is_same_v<Format, PDF>) {
    EXPECT_EQ(testing::ReaderProblems(compact), "");
    if (testing::HasTool("pdftotext")) {
      EXPECT_EQ(testing::ExtractedText(compact), testing::ExtractedText(normal));
    }
    EXPECT_EQ(Links(compact), Links(normal));
    EXPECT_EQ(testing::PdfFile(compact).StructureProblems(), "");
  } else if (testing::HasTool("ps2pdf") && testing::HasTool("pdftotext")) {
    // ps2pdf reads the procedures too, and finds the same text.
    const bool converted =
        testing::ConvertToPdf(normal, normal + ".pdf") && testing::ConvertToPdf(compact, compact + ".pdf");
    EXPECT_TRUE(converted);
    if (converted) {
      EXPECT_EQ(testing::ExtractedText(compact + ".pdf"), testing::ExtractedText(normal + ".pdf"));
    }
  }
  return {testing::ReadFile(normal).size(), testing::ReadFile(compact).size()};
}

const Draw StandardReport = [](Document& document) {
  for (int page = 1; page <= 4; ++page) bench::WriteReportPage(document, page * 1249);
};

TEST(CompactOutput, StandardReportLooksTheSameInFarFewerBytes) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const auto [pdf, compactPdf] = ExpectSamePages<PDF>("report", StandardReport);
  EXPECT_LT(compactPdf * 6, pdf);
  const auto [ps, compactPs] = ExpectSamePages<PS>("report", StandardReport);
  EXPECT_LT(compactPs * 2, ps + 20000);  // the prolog is as long in both
}

TEST(CompactOutput, RandomPagesWithPicturesLinksTitlesAndParagraphsLookTheSame) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  testing::RandomExtras extras;
  for (const testing::Source& picture : testing::EveryKindOfPicture()) extras.pictures.push_back(picture.path);
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE(seed);
    const Draw draw = [&](Document& document) {
      document.SetFooter(seed == 2 ? "page {page} of {pages}" : "(c) footer");
      testing::DrawRandomPages(document, seed, &extras);
    };
    ExpectSamePages<PDF>("random", draw);
    ExpectSamePages<PS>("random", draw);
  }
}

// Drawing before the first page, a rotated landscape document, a text in the same font on two pages
// (each page sets its font again) and a footer that names the page count between drawings.
TEST(CompactOutput, TurnedPagesAndFontsSetAgainOnEveryPageLookTheSame) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const Draw draw = [](Document& document) {
    document.SetFooter("{page}/{pages}");
    document.SetFont(FontNumberConstants::Courier, 12, FontStyleConstants::Bold, FontEffectConstants::Underline);
    for (int page = 0; page < 3; ++page) {
      document.NewPage(20, 20, 20, 20, 250, 250, 250);
      document.WriteText("same font (" + std::to_string(page) + ")", true);
      document.SetFont(FontNumberConstants::Symbol, 14, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
      document.WriteText("abc", true);
      document.SetFont(FontNumberConstants::Courier, 12, FontStyleConstants::Bold, FontEffectConstants::Underline);
      document.SetThickness(4);
      document.DrawLine(0, 100, 300, 120);
      document.SetThickness(1);
    }
  };
  for (const bool rotated : {false, true}) {
    SCOPED_TRACE(rotated ? "rotated" : "not rotated");
    const Draw prepare = [&](Document& document) {
      document.SetOrientation(OrientationConstants::Landscape);
      document.SetRotated(rotated);
    };
    ExpectSamePages<PDF>("turned", draw, prepare);
    ExpectSamePages<PS>("turned", draw, prepare);
  }
}

// Compact pages set only what changed since the line or figure before: lines in one text object (with
// a colour, a size and an OpenType face changing between them), figures in one saved state (dashes set
// and cleared, fills on and off, widths kept and changed), a picture and text between figures, and a
// footer naming the page count after the page's content.
TEST(CompactOutput, StateSetOnlyWhenItChangesLooksTheSame) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const std::string picture = testing::EveryKindOfPicture().front().path;
  const Draw draw = [&](Document& document) {
    document.SetFooter("{page} of {pages}");
    for (int page = 0; page < 2; ++page) {
      document.NewPage(20, 20, 20, 20, 255, 255, 240);
      document.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
      document.WriteText("first line", true);
      document.WriteText("second line, one leading below", true);
      document.WriteText("further down", true, 9);
      document.SetColor(200, 0, 0);
      document.WriteText("red and ", false);
      document.SetFont(FontNumberConstants::Times, 16, FontStyleConstants::Bold, FontEffectConstants::Underline);
      document.WriteText("larger", true);
      document.SetFont("DejaVu Sans", 12);
      document.WriteText("OpenType \u00e9t\u00e9", true);
      document.SetFont(FontNumberConstants::Helvetica, 10, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
      document.WriteText("a standard face again", true);
      document.SetThickness(3);
      document.SetDash("4 2");
      document.DrawLine(20, 300, 300, 320);
      document.SetFillStyle(true);
      document.SetFillColor(0, 0, 255);
      document.DrawRectangle(20, 340, 80, 40);
      document.SetDash("");
      document.DrawCircle(160, 360, 25);
      document.SetFillStyle(false);
      document.SetColor(0, 128, 0);
      document.DrawEllipse(260, 360, 40, 15);
      document.DrawPicture(picture);
      document.DrawCurve(20, 500, 100, 450, 200, 520);
      document.WriteText("between figures", true);
      document.SetThickness(1);
      document.DrawArc(400, 600, 40, 30, 300);
    }
  };
  ExpectSamePages<PDF>("state", draw);
}

// A page's content longer than the document buffer's chunks (a megabyte), with a link written in its
// middle, comes out whole; the pages after it are as small as before.
TEST(CompactOutput, PageLongerThanTheBufferLooksTheSame) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const Draw draw = [](Document& document) {
    document.NewPage(10, 10, 10, 10, 255, 255, 255);
    for (int line = 0; line < 40000; ++line) {
      document.SetColor(0, 0, static_cast<uint8_t>(line % 2 * 200));
      document.DrawLine(static_cast<int16_t>(line % 500), static_cast<int16_t>(100 + line % 600),
                        static_cast<int16_t>(500 - line % 500), static_cast<int16_t>(700 - line % 600));
      if (line == 20000) document.WriteText("link", true, 0, AlignmentConstants::NoAlignment, "https://example.org/");
    }
    bench::WriteReportPage(document, 2);
  };
  ExpectSamePages<PDF>("long", draw);
}

TEST(CompactOutput, TakenAtCreateAndOffByDefault) {
  PDF pdf;
  EXPECT_FALSE(pdf.Compact());
  pdf.SetCompact(true);
  EXPECT_TRUE(pdf.Compact());
  ASSERT_TRUE(pdf.CreateInMemory());
  pdf.SetCompact(false);  // for the next document
  pdf.NewPage(10, 10, 10, 10, 255, 255, 255);
  pdf.WriteText("compact", true);
  ASSERT_TRUE(pdf.Flush());
  const std::string compact = pdf.TakeOutput();
  EXPECT_NE(compact.find("/Filter /FlateDecode"), std::string::npos);
  ASSERT_TRUE(pdf.CreateInMemory());
  pdf.NewPage(10, 10, 10, 10, 255, 255, 255);
  pdf.WriteText("compact", true);
  ASSERT_TRUE(pdf.Flush());
  EXPECT_EQ(pdf.TakeOutput().find("/Filter"), std::string::npos);
}

// A compact PDF leaves page by page: the caller's function has most of a long document before it is
// flushed. In both formats the function receives the bytes a document collected in memory holds.
TEST(CompactOutput, PagesLeaveAsTheyEnd) {
  for (const bool postscript : {false, true}) {
    SCOPED_TRACE(postscript ? "PostScript" : "PDF");
    std::unique_ptr<Document> streamed, collected;
    if (postscript) {
      streamed = std::make_unique<PS>();
      collected = std::make_unique<PS>();
    } else {
      streamed = std::make_unique<PDF>();
      collected = std::make_unique<PDF>();
    }
    std::string received;
    streamed->SetCompact(true);
    collected->SetCompact(true);
    testing::FixCreationDate();
    ASSERT_TRUE(streamed->Create([&](std::string_view bytes) {
      received.append(bytes);
      return true;
    }));
    ASSERT_TRUE(collected->CreateInMemory());
    for (int page = 1; page <= 3000; ++page) {
      bench::WriteReportPage(*streamed, page);
      bench::WriteReportPage(*collected, page);
    }
    const size_t before = received.size();
    ASSERT_TRUE(streamed->Flush());
    ASSERT_TRUE(collected->Flush());
    EXPECT_EQ(received, collected->TakeOutput());
    // PostScript names its page count in its head: its document is staged in a file until it ends.
    if (!postscript) {
      EXPECT_GT(before, received.size() / 2);
    }
  }
}

}  // namespace
}  // namespace paginor
