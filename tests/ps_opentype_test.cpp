// OpenType and TrueType fonts in PostScript documents: every script rendered by Ghostscript where the
// PDF twin draws it and read back through ps2pdf; the fonts embedded as DSC resources that the header
// lists, at the language level they need; small subsets; footers naming the page count; the same bytes
// in every output, and compact documents drawing the same pages.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/rendering.h"
#include "support/script_lines.h"
#include "support/test_files.h"
#include "support/text_readers.h"

namespace paginor {
namespace {

using testing::HasTool;
using testing::Letters;
using testing::TempPath;

const std::string A4 = "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA";

// The share of the pixels inside the margins (36 points) that differ from every pixel around their
// place (a square of three by three) in the other rendering, either way round: glyphs drawn at the same
// place in both count as equal, whatever a rasteriser's rounding moved by a pixel. (The margins hold the
// page's edge, which the formats paint each in their own way.)
double DifferingShare(const testing::Raster& a, const testing::Raster& b) {
  constexpr int Margin = 36;
  if (a.width != b.width || a.height != b.height) return 1;
  const auto unmatched = [](const testing::Raster& from, const testing::Raster& to, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < to.width && ny < to.height && to.At(nx, ny) == from.At(x, y)) return false;
      }
    }
    return true;
  };
  size_t differing = 0;
  for (int y = Margin; y < a.height - Margin; ++y) {
    for (int x = Margin; x < a.width - Margin; ++x) differing += unmatched(a, b, x, y) || unmatched(b, a, x, y) ? 1 : 0;
  }
  return static_cast<double>(differing) / (static_cast<double>(a.width - 2 * Margin) * (a.height - 2 * Margin));
}

void WriteScripts(Document& document) {
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  for (const auto& [family, text] : testing::ScriptLines()) {
    ASSERT_TRUE(document.SetFont(family, 14)) << family;
    EXPECT_TRUE(document.WriteText(text, true, 4)) << text;
  }
  // WenQuanYi has no bold italic face: it is slanted and emboldened, and the next line is neither.
  ASSERT_TRUE(document.SetFont("WenQuanYi Micro Hei", 14, FontStyleConstants::BoldItalic));
  EXPECT_TRUE(document.WriteText("Bold italic \u4e2d\u6587", true, 4));
  ASSERT_TRUE(document.SetFont("DejaVu Sans", 12, FontStyleConstants::Regular, FontEffectConstants::Underline));
  EXPECT_TRUE(document.WriteText("Centred and underlined", true, 4, AlignmentConstants::Center));
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(PsOpenType, EveryScriptDrawnWhereThePdfDrawsItAndReadBack) {
  if (!HasTool("gs") || !HasTool("pdftotext")) GTEST_SKIP() << "Ghostscript or poppler-utils is not installed";
  const std::string psPath = TempPath("scripts.ps"), pdfPath = TempPath("scripts-twin.pdf");
  PS ps;
  PDF pdf;
  for (Document* document : {static_cast<Document*>(&ps), static_cast<Document*>(&pdf)}) {
    document->SetFooter("");
    ASSERT_TRUE(document->Create(document == &ps ? psPath : pdfPath));
    WriteScripts(*document);
    ASSERT_TRUE(document->Flush());
  }
  EXPECT_EQ(testing::GhostscriptProblems(psPath, 1), "");
  const std::string file = testing::ReadFile(psPath);
  // Eight faces (WenQuanYi also draws the fallback), each a resource of the prolog listed in the header;
  // the CFF face needs level 3.
  const std::string head = file.substr(0, file.find("%%EndComments"));
  EXPECT_NE(head.find("%%LanguageLevel: 3\r\n%%DocumentSuppliedResources: font "), std::string::npos);
  EXPECT_EQ(Count(head, " font "), 8u);
  for (const std::string& line : testing::SplitCrLfLines(file)) EXPECT_LE(line.size(), 255u) << "a DSC line";
  const std::string prolog = file.substr(0, file.find("%%EndProlog"));
  EXPECT_EQ(Count(prolog, "%%BeginResource: font "), 8u);
  EXPECT_EQ(Count(prolog, "%%EndResource"), 8u);

  // The twin's synthetic bold ends with its line: the rendering mode does not reach the next text.
  const std::string twinBytes = testing::ReadFile(pdfPath);
  EXPECT_EQ(Count(twinBytes, "2 Tr "), 1u);
  EXPECT_EQ(Count(twinBytes, "0 Tr\r\nET"), 1u);

  const std::vector<testing::Raster> drawn = testing::RenderPages(psPath, A4);
  const std::vector<testing::Raster> twin = testing::RenderPages(pdfPath);
  ASSERT_EQ(drawn.size(), 1u);
  ASSERT_EQ(twin.size(), 1u);
  // Measured: no pixel; a line of text out of place by a point would differ in far more than this.
  const double share = DifferingShare(drawn[0], twin[0]);
  RecordProperty("differing_share", std::to_string(share));
  EXPECT_LT(share, 0.0005);

  const std::string converted = TempPath("scripts-converted.pdf");
  ASSERT_TRUE(testing::ConvertToPdf(psPath, converted));
  const std::string read = Letters(testing::ExtractedText(converted));
  for (const auto& [family, text] : testing::ScriptLines()) EXPECT_NE(read.find(Letters(text)), std::string::npos) << text;
}

TEST(PsOpenType, TwoChineseCharactersMakeASmallFile) {
  PS ps;
  ps.SetFooter("");
  const std::string path = TempPath("chinese.ps");
  ASSERT_TRUE(ps.Create(path));
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  ASSERT_TRUE(ps.SetFont("WenQuanYi Micro Hei", 24));
  EXPECT_TRUE(ps.WriteText("\u4e2d\u6587"));
  ASSERT_TRUE(ps.Flush());
  const std::string file = testing::ReadFile(path);
  EXPECT_LT(file.size(), 100u * 1024);
  EXPECT_NE(file.find("%%LanguageLevel: 2\r\n"), std::string::npos);
  EXPECT_EQ(testing::GhostscriptProblems(path, 1), "");
  if (HasTool("gs")) EXPECT_EQ(Letters(testing::GhostscriptText(path)), "\u4e2d\u6587");
}

// Twelve pages, so that the page count gains a digit while the document grows, with a footer in
// Greek that names it.
void WriteCountedPages(Document& document) {
  document.SetFooter("\u03a3\u03b5\u03bb\u03af\u03b4\u03b1 {page} / {pages}");
  ASSERT_TRUE(document.SetFooterFont("DejaVu Sans", 10));
  for (int page = 1; page <= 12; ++page) {
    document.NewPage(36, 36, 36, 36, 255, 255, 255);
    ASSERT_TRUE(document.SetFont("DejaVu Sans", 14));
    document.WriteText("\u0414\u043e\u0431\u0440\u044b\u0439 " + std::to_string(page), true);
    document.SetFont(FontNumberConstants::Helvetica, 12, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
    document.WriteText("Standard text on page " + std::to_string(page), true);
  }
}

TEST(PsOpenType, EveryOutputGetsTheSameDocumentWithItsCountedFooters) {
  testing::FixCreationDate();
  const std::string path = TempPath("counted.ps");
  std::string bytes[3];
  for (int output = 0; output < 3; ++output) {
    PS ps;
    const bool created = output == 0   ? ps.Create(path)
                         : output == 1 ? ps.Create([&](std::string_view block) {
                                           bytes[1].append(block);
                                           return true;
                                         })
                                       : ps.CreateInMemory();
    ASSERT_TRUE(created);
    WriteCountedPages(ps);
    ASSERT_TRUE(ps.Flush());
    bytes[output] = output == 0 ? testing::ReadFile(path) : output == 1 ? bytes[1] : ps.TakeOutput();
  }
  EXPECT_EQ(bytes[1], bytes[0]);
  EXPECT_EQ(bytes[2], bytes[0]);
  EXPECT_NE(bytes[0].find("%%Pages: 12\r\n%%Title: \r\n%%LanguageLevel: 2\r\n"), std::string::npos);
  EXPECT_EQ(testing::GhostscriptProblems(path, 12), "");
  const std::string converted = TempPath("counted.pdf");
  if (!testing::ConvertToPdf(path, converted)) GTEST_SKIP() << "ps2pdf is not installed";
  for (const int page : {1, 12}) {
    const std::string text = Letters(testing::ExtractedText(converted, page));
    EXPECT_NE(text.find(Letters("\u03a3\u03b5\u03bb\u03af\u03b4\u03b1 " + std::to_string(page) + " / 12")),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Standardtextonpage" + std::to_string(page)), std::string::npos) << text;
  }
}

TEST(PsOpenType, CompactDocumentsDrawTheSamePages) {
  if (!HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  std::vector<testing::Raster> pages[2];
  for (const bool compact : {false, true}) {
    PS ps;
    ps.SetCompact(compact);
    const std::string path = TempPath(compact ? "compact-counted.ps" : "default-counted.ps");
    ASSERT_TRUE(ps.Create(path));
    WriteCountedPages(ps);
    ASSERT_TRUE(ps.Flush());
    EXPECT_EQ(testing::GhostscriptProblems(path, 12), "");
    pages[compact] = testing::RenderPages(path, A4);
  }
  ASSERT_EQ(pages[0].size(), 12u);
  ASSERT_EQ(pages[1].size(), 12u);
  for (size_t page = 0; page < 12; ++page) EXPECT_TRUE(pages[0][page].rgb == pages[1][page].rgb) << "page " << page + 1;
}

}  // namespace
}  // namespace paginor
