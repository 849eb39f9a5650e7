// The footer property: the copyright notice by default, any text instead, or none at all, where with
// none nothing else on the page moves. Exact lines in both formats.
#include <gtest/gtest.h>

#include <string>

#include "paginor/pdf.h"
#include "paginor/platform.h"
#include "paginor/ps.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::Lines;
using testing::TempPath;

// One page with margins of 36 and a line of text; footer as given (the default when null).
template <typename Document>
void DrawPage(Document& document, const char* footer) {
  if (footer != nullptr) document.SetFooter(footer);
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  document.WriteText("Body", true);
}

Lines PsPage(const char* footer, const std::string& name) {
  testing::FixCreationDate();
  PS ps;
  const std::string path = TempPath(name);
  EXPECT_TRUE(ps.Create(path));
  DrawPage(ps, footer);
  return testing::FlushAndRead(ps, path, 1);
}

// The content streams of the (only) first page, the file checked by the readers.
std::vector<Lines> PdfPage(const char* footer, const std::string& name) {
  testing::FixCreationDate();
  PDF pdf;
  const std::string path = TempPath(name);
  EXPECT_TRUE(pdf.Create(path));
  DrawPage(pdf, footer);
  return testing::FlushAndCheck(pdf, path).PageContents(0);
}

TEST(Footer, DefaultIsTheCopyrightNotice) {
  PS ps;
  EXPECT_EQ(ps.Footer(), "Paginor (c) 2026 The Paginor developers");
  PDF pdf;
  pdf.SetFooter("");
  EXPECT_EQ(pdf.Footer(), "");
  EXPECT_EQ(PDF().Footer(), ps.Footer());
}

TEST(Footer, PostScriptOnChangedAndOff) {
  const Lines standard = PsPage(nullptr, "footer-on.ps");
  const size_t at = testing::FindLine(standard, "(Paginor \\(c\\) 2026 The Paginor developers) show");
  ASSERT_LT(at, standard.size());
  EXPECT_EQ(testing::Slice(standard, at - 6, 8),
            Lines({"/Times-Roman-WinAnsi /Times-Roman WinAnsiFont", "10 scalefont", "setfont", "newpath", "0 0 0 setrgbcolor",
                   "215 38 moveto", "(Paginor \\(c\\) 2026 The Paginor developers) show", "closepath"}));

  // Another text, centred the same way: "Page (1) \ déjà" is 58 points wide in Times 10, and
  // (523 - 58) / 2 = 232.5 rounds to the even 232.
  Lines changed = PsPage("Page (1) \\ d\xC3\xA9j\xC3\xA0", "footer-changed.ps");
  Lines expected = standard;
  expected[at - 1] = "268 38 moveto";
  expected[at] = "(Page \\(1\\) \\\\ d\xE9j\xE0) show";
  EXPECT_EQ(changed, expected);

  // Off: the page is the same without the footer's eight lines.
  expected = standard;
  expected.erase(expected.begin() + static_cast<ptrdiff_t>(at - 6), expected.begin() + static_cast<ptrdiff_t>(at + 2));
  EXPECT_EQ(PsPage("", "footer-off.ps"), expected);
}

TEST(Footer, PdfOnChangedAndOff) {
  const std::vector<Lines> standard = PdfPage(nullptr, "footer-on.pdf");
  ASSERT_EQ(standard.size(), 3u);  // background, the text, the footer
  EXPECT_EQ(standard[2], Lines({"BT", "/F8 10 Tf", "1 0 0 1 215 38 Tm",
                                "T* 0 0 0 rg (Paginor \\(c\\) 2026 The Paginor developers) Tj", "ET"}));

  std::vector<Lines> expected = standard;
  expected[2][2] = "1 0 0 1 268 38 Tm";
  expected[2][3] = "T* 0 0 0 rg (Page \\(1\\) \\\\ d\xE9j\xE0) Tj";
  EXPECT_EQ(PdfPage("Page (1) \\ d\xC3\xA9j\xC3\xA0", "footer-changed.pdf"), expected);

  expected.pop_back();
  EXPECT_EQ(PdfPage("", "footer-off.pdf"), expected);
}

TEST(Footer, TakenWhenEachPageEnds) {
  testing::FixCreationDate();
  PS ps;
  const std::string path = TempPath("footer-pages.ps");
  ASSERT_TRUE(ps.Create(path));
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  ps.SetFooter("first");
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);  // the first page ends with "first"
  ps.SetFooter("");
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);  // the second ends without a footer
  ps.SetFooter("third");  // the last page ends at Flush
  const Lines lines = testing::FlushAndRead(ps, path, 3);
  const size_t first = testing::FindLine(lines, "(first) show");
  const size_t third = testing::FindLine(lines, "(third) show");
  ASSERT_LT(third, lines.size());
  EXPECT_LT(first, testing::FindLine(lines, "%%Page: 3 2"));
  EXPECT_GT(third, testing::FindLine(lines, "%%Page: 3 3"));
  for (size_t line = first + 1; line < third; ++line) EXPECT_FALSE(lines[line].ends_with(" show")) << lines[line];
}

}  // namespace
}  // namespace paginor
