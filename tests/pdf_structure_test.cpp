// The PDF file as a whole: the document's lifecycle, its fixed objects, the page tree, the
// cross-reference table and the trailer, read back from the written files.
#include <gtest/gtest.h>

#include <filesystem>

#include "paginor/pdf.h"
#include "support/pdf_reader.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::FlushAndCheck;
using testing::Lines;
using testing::PdfFile;
using testing::TempPath;

const char* const BaseFonts[14] = {"Courier",     "Courier-Bold",     "Courier-Oblique",  "Courier-BoldOblique",
                                   "Helvetica",   "Helvetica-Bold",   "Helvetica-Oblique",
                                   "Helvetica-BoldOblique",           "Times-Roman",      "Times-Bold",
                                   "Times-Italic", "Times-BoldItalic", "Symbol",           "ZapfDingbats"};

Lines Slice(const Lines& lines, size_t first, size_t count) {
  return Lines(lines.begin() + static_cast<std::ptrdiff_t>(first),
               lines.begin() + static_cast<std::ptrdiff_t>(std::min(first + count, lines.size())));
}

TEST(PdfStructure, CreateThenFlushWritesTheSmallestDocument) {
  testing::FixCreationDate();
  PDF pdf;
  const std::string path = TempPath("smallest.pdf");
  ASSERT_TRUE(pdf.Create(path));
  const PdfFile file = FlushAndCheck(pdf, path);
  const Lines& lines = file.AllLines();
  ASSERT_EQ(lines.size(), 216u);

  Lines head = {"%PDF-1.2", "%\xE2\xE3\xCF\xD3", "1 0 obj", "<<", "/Author ()", testing::FixedCreationDate,
                "/Creator ()", "/Producer ()", "/Title ()", "/Subject ()", "/Keywords ()", ">>", "endobj"};
  for (int index = 0; index < 14; ++index) {
    const Lines font = {std::to_string(index + 3) + " 0 obj", "<<", "/Type /Font", "/Subtype /Type1",
                        std::string("/BaseFont /") + BaseFonts[index],
                        // The text fonts draw the Windows-1252 codes; Symbol and ZapfDingbats their own.
                        index < 12 ? "/Encoding /WinAnsiEncoding" : "/BaseEncoding /WinAnsiEncoding",
                        "/Name /F" + std::to_string(index), ">>", "endobj"};
    head.insert(head.end(), font.begin(), font.end());
  }
  EXPECT_EQ(Slice(lines, 0, 139), head);

  // The footer is the page's only content, centred on the bottom line: Times 10 is 165 points wide.
  const Lines footer = {"18 0 obj", "<<", "/Length 19 0 R", ">>", "stream", "BT", "/F8 10 Tf", "1 0 0 1 215 2 Tm",
                        "T* 0 0 0 rg (Paginor \\(c\\) 2026 The Paginor developers) Tj", "ET", "endstream",
                        "endobj", "19 0 obj"};
  EXPECT_EQ(Slice(lines, 139, 13), footer);
  const Lines tail = {"endobj", "20 0 obj", "<<", "/Type /Page", "/Contents [ 18 0 R ]", "/Parent 2 0 R",
                      "/Resources 17 0 R", "/Rotate 0", ">>", "endobj", "17 0 obj", "<<",
                      "/Font << /F0 3 0 R /F1 4 0 R /F2 5 0 R /F3 6 0 R /F4 7 0 R /F5 8 0 R /F6 9 0 R /F7 10 0 R "
                      "/F8 11 0 R /F9 12 0 R /F10 13 0 R /F11 14 0 R /F12 15 0 R /F13 16 0 R >>",
                      "/ProcSet [ /PDF /Text /ImageC /ImageI ]", ">>", "endobj", "2 0 obj", "<<", "/Type /Pages",
                      "/Count 1", "/MediaBox [ 0 0 595 842 ]", "/Kids [ 20 0 R ]", ">>", "endobj", "21 0 obj",
                      "<<", "/Type /Catalog", "/Pages 2 0 R", ">>", "endobj", "xref", "0 22", "0000000000 65535 f",
                      "0000000017 00000 n"};
  EXPECT_EQ(Slice(lines, 153, 34), tail);
  // Entries 2 to 21, the length and the offsets are checked against the file by FlushAndCheck.
  EXPECT_EQ(Slice(lines, 207, 6), (Lines{"trailer", "<<", "/Size 22", "/Info 1 0 R", "/Root 21 0 R", ">>"}));
  EXPECT_EQ(lines[213], "startxref");
  EXPECT_EQ(lines[215], "%%EOF");
}

TEST(PdfStructure, OperationsBeforeCreateLeaveNoTrace) {
  testing::FixCreationDate();
  PDF fresh;
  const std::string expected = TempPath("fresh.pdf"), path = TempPath("after-early-calls.pdf");
  ASSERT_TRUE(fresh.Create(expected));
  ASSERT_TRUE(fresh.Flush());

  PDF early;
  early.NewPage(10, 10, 10, 10, 0, 0, 0);
  early.DrawLine(0, 0, 1, 1);
  early.DrawCircle(0, 0, 0);
  early.WriteText("early", true, 0, AlignmentConstants::NoAlignment, "https://example.com/");
  early.WriteMultiText("early words");
  early.WriteTitle("early");
  early.SetPosition(1, 1);
  ASSERT_TRUE(early.Create(path));
  PDF moved = std::move(early);
  EXPECT_EQ(FlushAndCheck(moved, path).Bytes(), testing::ReadFile(expected));
}

TEST(PdfStructure, CreateRefusesBadSettingsAndUnwritablePaths) {
  PDF pdf;
  EXPECT_FALSE(pdf.Flush());  // nothing created yet
  const std::string path = TempPath("refused.pdf");
  pdf.SetOrientation(static_cast<OrientationConstants>(3));
  EXPECT_FALSE(pdf.Create(path));
  pdf.SetOrientation(OrientationConstants::Portrait);
  pdf.SetPaperSize(static_cast<PaperSizeConstants>(2));
  EXPECT_FALSE(pdf.Create(path));
  EXPECT_FALSE(std::filesystem::exists(path));
  pdf.SetPaperSize(PaperSizeConstants::A4);
  EXPECT_FALSE(pdf.Create(TempPath("missing-folder/refused.pdf")));
  EXPECT_FALSE(pdf.Create(""));
  EXPECT_FALSE(pdf.Flush());
  EXPECT_EQ(pdf.Version(), "1.2");
}

TEST(PdfStructure, PaperOrientationAndRotation) {
  PDF pdf;
  const std::string path = TempPath("landscape.pdf");
  pdf.SetOrientation(OrientationConstants::Landscape);
  ASSERT_TRUE(pdf.Create(path));
  pdf.SetOrientation(OrientationConstants::Portrait);  // read by Create only
  int16_t width = 0, height = 0;
  pdf.GetPageDimensions(width, height);
  EXPECT_EQ(width, 842);
  EXPECT_EQ(height, 595);
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);  // writes the first page's object, unrotated
  pdf.SetRotated(true);                    // the pages still to be written are turned
  PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_EQ(file.Object(2)[4], "/MediaBox [ 0 0 842 595 ]");
  const std::vector<int32_t> pages = file.Pages();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(file.Object(pages[0])[6], "/Rotate 0");
  EXPECT_EQ(file.Object(pages[1])[6], "/Rotate 270");

  pdf.SetPaperSize(PaperSizeConstants::Letter);
  ASSERT_TRUE(pdf.Create(path));
  file = FlushAndCheck(pdf, path);
  EXPECT_EQ(file.Object(2)[4], "/MediaBox [ 0 0 612 792 ]");
}

TEST(PdfStructure, PropertiesAreTakenAtCreateAndEscaped) {
  testing::FixCreationDate();
  PDF pdf;
  const std::string path = TempPath("properties.pdf");
  pdf.SetAuthor("A(b)");
  pdf.SetCreator("C\\D");
  pdf.SetProducer("(open");
  pdf.SetTitle("close) and (both) and (");
  pdf.SetSubject("Caf\u00e9 \u20ac");
  pdf.SetKeywords("one, two");
  ASSERT_TRUE(pdf.Create(path));
  pdf.SetAuthor("later");
  const PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_EQ(file.Object(1), (Lines{"1 0 obj", "<<", "/Author (A(b))", testing::FixedCreationDate,
                                   "/Creator (C\\\\D)", "/Producer (\\(open)",
                                   "/Title (close\\) and (both) and \\()",
                                   "/Subject <FEFF00430061006600E9002020AC>", "/Keywords (one, two)", ">>",
                                   "endobj"}));
}

TEST(PdfStructure, PropertiesBeyondAsciiTakeAFormThatReadsBack) {
  testing::FixCreationDate();
  PDF pdf;
  const std::string path = TempPath("properties-beyond-ascii.pdf");
  pdf.SetAuthor("\u00c5sa (\u00d8");              // Latin-1: PDFDocEncoding has the same codes
  pdf.SetCreator("a\u2013b\u2026 \u201cq\u201d");  // dashes, ellipsis and quotes have codes of their own there
  pdf.SetProducer("x\xff");                        // not UTF-8: the byte reads as '?'
  pdf.SetTitle("\U0001D11E (");                    // beyond 16 bits: a surrogate pair
  pdf.SetSubject("a\u00a0b");                      // the no-break space has no code
  ASSERT_TRUE(pdf.Create(path));
  const PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_EQ(file.Object(1), (Lines{"1 0 obj", "<<", "/Author (\xC5sa \\(\xD8)", testing::FixedCreationDate,
                                   "/Creator (a\x85" "b\x83 \x8Dq\x8E)", "/Producer (x?)",
                                   "/Title <FEFFD834DD1E00200028>", "/Subject <FEFF006100A00062>",
                                   "/Keywords ()", ">>", "endobj"}));
}

TEST(PdfStructure, PagesListTheirOwnStreamsInOrder) {
  PDF pdf;
  const std::string path = TempPath("pages.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  EXPECT_TRUE(pdf.WriteText("first"));
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  EXPECT_TRUE(pdf.WriteText("third", false, 0, AlignmentConstants::NoAlignment, "https://example.com/"));
  const PdfFile file = FlushAndCheck(pdf, path);
  // Each page is background, [text,] footer, then its page object.
  EXPECT_EQ(file.Pages(), (std::vector<int32_t>{24, 29, 37}));
  EXPECT_EQ(file.PageList(0, "/Contents [ "), (std::vector<int32_t>{18, 20, 22}));
  EXPECT_EQ(file.PageList(1, "/Contents [ "), (std::vector<int32_t>{25, 27}));
  EXPECT_EQ(file.PageList(2, "/Contents [ "), (std::vector<int32_t>{30, 32, 35}));
  EXPECT_EQ(file.PageList(2, "/Annots [ "), (std::vector<int32_t>{34}));
  EXPECT_EQ(file.Object(37)[3], "/Annots [ 34 0 R ]");
  EXPECT_TRUE(file.PageList(0, "/Annots [ ").empty());
  EXPECT_EQ(file.Object(2)[3], "/Count 3");
}

TEST(PdfStructure, WithoutNewPageFlushEndsTheOnePageWithItsFooter) {
  PDF pdf;
  const std::string path = TempPath("no-new-page.pdf");
  ASSERT_TRUE(pdf.Create(path));
  EXPECT_FALSE(pdf.DrawRectangle(10, 10, 20, 20));  // no page to draw on
  const PdfFile file = FlushAndCheck(pdf, path);
  EXPECT_EQ(file.Pages(), std::vector<int32_t>{20});
  EXPECT_EQ(file.Object(20)[3], "/Contents [ 18 0 R ]");
  EXPECT_EQ(file.StreamData(18)[0], "BT");
}

TEST(PdfStructure, SecondCreateStartsAfreshAndClosesTheFirstFile) {
  PDF pdf;
  const std::string first = TempPath("abandoned.pdf"), second = TempPath("restarted.pdf");
  ASSERT_TRUE(pdf.Create(first));
  pdf.NewPage(36, 36, 36, 36, 0, 0, 255);
  pdf.SetColor(255, 0, 0);
  EXPECT_TRUE(pdf.WriteText("left behind", false, 0, AlignmentConstants::NoAlignment, "https://example.com/"));
  ASSERT_TRUE(testing::IsOpenInProcess(first));
  ASSERT_TRUE(pdf.Create(second));
  EXPECT_FALSE(testing::IsOpenInProcess(first));
  EXPECT_EQ(testing::ReadFile(first), "");
  uint8_t red = 1, green = 1, blue = 1;
  pdf.GetColor(red, green, blue);
  EXPECT_EQ(red, 0);
  const PdfFile file = FlushAndCheck(pdf, second);
  EXPECT_EQ(file.Pages(), std::vector<int32_t>{20});
  EXPECT_EQ(file.Object(20)[3], "/Contents [ 18 0 R ]");  // the footer only: no stream or link of the first
  EXPECT_FALSE(testing::IsOpenInProcess(second));

  // An unwritable path for the next document leaves the open one open, and writable.
  ASSERT_TRUE(pdf.Create(first));
  pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  EXPECT_FALSE(pdf.Create(TempPath("missing-folder/next.pdf")));
  EXPECT_TRUE(testing::IsOpenInProcess(first));
  EXPECT_TRUE(pdf.WriteText("kept"));
  EXPECT_TRUE(FlushAndCheck(pdf, first).Pages().size() == 1);
}

TEST(PdfStructure, FlushWritesOnceAndReportsFailure) {
  const std::string path = TempPath("unflushed.pdf");
  {
    PDF pdf;
    ASSERT_TRUE(pdf.Create(path));
    pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  }
  EXPECT_FALSE(testing::IsOpenInProcess(path));  // destroyed without Flush: closed, empty
  EXPECT_EQ(testing::ReadFile(path), "");

  PDF pdf;
  ASSERT_TRUE(pdf.Create(path));
  const std::string written = FlushAndCheck(pdf, path).Bytes();
  EXPECT_FALSE(pdf.Flush());  // already written: nothing more reaches the file
  EXPECT_EQ(testing::ReadFile(path), written);

  if (std::filesystem::exists("/dev/full")) {
    ASSERT_TRUE(pdf.Create("/dev/full"));
    EXPECT_FALSE(pdf.Flush());  // the device takes no byte
  }
}

}  // namespace
}  // namespace paginor
