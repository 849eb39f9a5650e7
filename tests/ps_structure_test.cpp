// The PostScript file as a whole: header comments, orientation set-up, pages and their marks, the
// footer, the trailer and the document's lifecycle, read back from the written files.
#include <gtest/gtest.h>

#include <filesystem>

#include "paginor/ps.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::FindLine;
using testing::FlushAndRead;
using testing::Lines;
using testing::Slice;
using testing::TempPath;

// A page's set-up, right after its "%%Page:" line: here unturned, on white A4.
const Lines PageSetUp = {"%%BeginPageSetup", "newpath",     "0 842 moveto", "595 0 rlineto", "0 -842 rlineto",
                         "-595 0 rlineto",  "0 842 rlineto", "closepath",  "1 1 1 setrgbcolor", "gsave", "fill",
                         "grestore", "1 1 1 setrgbcolor", "stroke", "%%EndPageSetup"};

// The prolog after the header comments: the WinAnsiEncoding vector, 16 codes a line, and the procedure
// that makes the re-encoded copies of the text fonts.
const Lines Prolog = {
    "%%BeginProlog",
    "/WinAnsiEncoding [",
    "/.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef "
    "/.notdef /.notdef /.notdef /.notdef /.notdef /.notdef",
    "/.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef /.notdef "
    "/.notdef /.notdef /.notdef /.notdef /.notdef /.notdef",
    "/space /exclam /quotedbl /numbersign /dollar /percent /ampersand /quotesingle /parenleft "
    "/parenright /asterisk /plus /comma /hyphen /period /slash",
    "/zero /one /two /three /four /five /six /seven /eight /nine /colon /semicolon /less /equal "
    "/greater /question",
    "/at /A /B /C /D /E /F /G /H /I /J /K /L /M /N /O",
    "/P /Q /R /S /T /U /V /W /X /Y /Z /bracketleft /backslash /bracketright /asciicircum /underscore",
    "/grave /a /b /c /d /e /f /g /h /i /j /k /l /m /n /o",
    "/p /q /r /s /t /u /v /w /x /y /z /braceleft /bar /braceright /asciitilde /.notdef",
    "/Euro /.notdef /quotesinglbase /florin /quotedblbase /ellipsis /dagger /daggerdbl /circumflex "
    "/perthousand /Scaron /guilsinglleft /OE /.notdef /Zcaron /.notdef",
    "/.notdef /quoteleft /quoteright /quotedblleft /quotedblright /bullet /endash /emdash /tilde "
    "/trademark /scaron /guilsinglright /oe /.notdef /zcaron /Ydieresis",
    "/space /exclamdown /cent /sterling /currency /yen /brokenbar /section /dieresis /copyright "
    "/ordfeminine /guillemotleft /logicalnot /hyphen /registered /macron",
    "/degree /plusminus /twosuperior /threesuperior /acute /mu /paragraph /periodcentered /cedilla "
    "/onesuperior /ordmasculine /guillemotright /onequarter /onehalf /threequarters /questiondown",
    "/Agrave /Aacute /Acircumflex /Atilde /Adieresis /Aring /AE /Ccedilla /Egrave /Eacute "
    "/Ecircumflex /Edieresis /Igrave /Iacute /Icircumflex /Idieresis",
    "/Eth /Ntilde /Ograve /Oacute /Ocircumflex /Otilde /Odieresis /multiply /Oslash /Ugrave /Uacute "
    "/Ucircumflex /Udieresis /Yacute /Thorn /germandbls",
    "/agrave /aacute /acircumflex /atilde /adieresis /aring /ae /ccedilla /egrave /eacute "
    "/ecircumflex /edieresis /igrave /iacute /icircumflex /idieresis",
    "/eth /ntilde /ograve /oacute /ocircumflex /otilde /odieresis /divide /oslash /ugrave /uacute "
    "/ucircumflex /udieresis /yacute /thorn /ydieresis",
    "] def",
    "/WinAnsiFont {",
    "  1 index FontDirectory exch known {",
    "    pop findfont",
    "  } {",
    "    findfont dup length dict begin",
    "    { 1 index /FID ne { def } { pop pop } ifelse } forall",
    "    /Encoding WinAnsiEncoding def",
    "    currentdict end definefont",
    "  } ifelse",
    "} bind def",
    "%%EndProlog",
};

// The footer on A4 portrait with margins of 36: Times 10 is 165 points wide, centred in 523.
const Lines Footer36 = {"/Times-Roman-WinAnsi /Times-Roman WinAnsiFont", "10 scalefont", "setfont", "newpath",
                        "0 0 0 setrgbcolor",
                        "215 38 moveto", "(Paginor \\(c\\) 2026 The Paginor developers) show", "closepath"};

TEST(PsStructure, ExampleDocumentLineForLine) {
  testing::FixCreationDate();
  PS ps;
  ps.SetAuthor("Ann");
  ps.SetCreator("Report");
  ps.SetTitle("Q3");
  EXPECT_EQ(ps.Version(), "3.0");
  const std::string path = TempPath("example.ps");
  ASSERT_TRUE(ps.Create(path));
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  Lines expected = {"%!PS-Adobe-3.0", "%%BoundingBox: 0 0 595 842", "%%CreationDate: Tue Dec 8 04:18:38 2026",
                    "%%Creator: Report", "%%DocumentData: Clean8Bit", "%%DocumentMedia: A4 595 842 0 () ()",
                    "%%For: Ann", "%%Orientation: Portrait", "%%PageOrder: Ascend", "%%Pages: 1", "%%Title: Q3",
                    "%%EndComments"};
  expected.insert(expected.end(), Prolog.begin(), Prolog.end());
  expected.push_back("%%Page: 1 1");
  expected.insert(expected.end(), PageSetUp.begin(), PageSetUp.end());
  expected.insert(expected.end(), Footer36.begin(), Footer36.end());
  expected.insert(expected.end(), {"showpage", "%%Trailer", "%%EOF"});
  EXPECT_EQ(FlushAndRead(ps, path, 1), expected);
  EXPECT_TRUE(testing::ReadFile(path).ends_with("%%EOF\r\n"));
}

TEST(PsStructure, DocumentWithoutPagesStillEndsAPage) {
  testing::FixCreationDate();
  PS ps;
  const std::string path = TempPath("nopage.ps");
  ASSERT_TRUE(ps.Create(path));
  const Lines lines = FlushAndRead(ps, path, 1);
  ASSERT_EQ(lines.size(), 23u + Prolog.size());
  EXPECT_EQ(lines[6], "%%For: ");
  EXPECT_EQ(lines[9], "%%Pages: 0");
  // Margins 0: the footer's baseline lies 2 points above the bottom edge.
  EXPECT_EQ(Slice(lines, 12 + Prolog.size(), 11),
            Lines({"/Times-Roman-WinAnsi /Times-Roman WinAnsiFont", "10 scalefont", "setfont", "newpath",
                   "0 0 0 setrgbcolor",
                   "215 2 moveto", "(Paginor \\(c\\) 2026 The Paginor developers) show", "closepath", "showpage",
                   "%%Trailer", "%%EOF"}));
  // Landscape: the footer is turned like a page, and the turn kept to itself.
  ps.SetOrientation(OrientationConstants::Landscape);
  ASSERT_TRUE(ps.Create(path));
  const Lines turned = FlushAndRead(ps, path, 1);
  EXPECT_EQ(Slice(turned, 12 + Prolog.size(), 4), Lines({"gsave", "90 rotate", "0 -595 translate",
                                                         "/Times-Roman-WinAnsi /Times-Roman WinAnsiFont"}));
  EXPECT_EQ(Slice(turned, turned.size() - 4, 2), Lines({"grestore", "showpage"}));
}

TEST(PsStructure, PagesAreMarkedAndEachPageHoldsItsOwnSetUp) {
  testing::FixCreationDate();
  PS ps;
  const std::string path = TempPath("pages.ps");
  ASSERT_TRUE(ps.Create(path));
  for (int page = 0; page < 3; ++page) ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  const Lines lines = FlushAndRead(ps, path, 3);
  EXPECT_EQ(lines[9], "%%Pages: 3");
  const size_t first = FindLine(lines, "%%Page: 3 1");
  const size_t second = FindLine(lines, "%%Page: 3 2");
  const size_t third = FindLine(lines, "%%Page: 3 3");
  ASSERT_LT(third, lines.size());
  ASSERT_TRUE(first < second && second < third);
  // Each page's section: its set-up and background, its footer and "showpage"; nothing before the
  // first page's mark but the prolog.
  EXPECT_EQ(lines[first - 1], "%%EndProlog");
  Lines between = PageSetUp;
  between.insert(between.end(), Footer36.begin(), Footer36.end());
  between.push_back("showpage");
  EXPECT_EQ(Slice(lines, first + 1, second - first - 1), between);
  EXPECT_EQ(Slice(lines, second + 1, third - second - 1), between);
}

// The header lines that depend on orientation and rotation, and the set-up after "%%EndComments".
struct OrientationCase {
  OrientationConstants orientation;
  bool rotated;
  Lines header;  // %%BoundingBox, %%DocumentMedia, %%Orientation
  Lines setup;
};

TEST(PsStructure, OrientationSetUpStartsEveryPage) {
  const std::vector<OrientationCase> cases = {
      {OrientationConstants::Portrait, false,
       {"%%BoundingBox: 0 0 595 842", "%%DocumentMedia: A4 595 842 0 () ()", "%%Orientation: Portrait"}, {}},
      {OrientationConstants::Landscape, false,
       {"%%BoundingBox: 0 0 842 595", "%%DocumentMedia: A4 842 595 0 () ()", "%%Orientation: Landscape"},
       {"90 rotate", "0 -595 translate"}},
      {OrientationConstants::Landscape, true,
       {"%%BoundingBox: 0 0 842 595", "%%DocumentMedia: A4 842 595 0 () ()", "%%Orientation: Landscape"},
       {"180 rotate", "-595 -842 translate"}},
      {OrientationConstants::Portrait, true,
       {"%%BoundingBox: 0 0 595 842", "%%DocumentMedia: A4 595 842 0 () ()", "%%Orientation: Portrait"},
       {"90 rotate", "0 -842 translate"}},
  };
  testing::FixCreationDate();
  for (const OrientationCase& test : cases) {
    SCOPED_TRACE(static_cast<int>(test.orientation) * 10 + test.rotated);
    PS ps;
    ps.SetOrientation(test.orientation);
    ps.SetRotated(test.rotated);
    const std::string path = TempPath("orientation.ps");
    ASSERT_TRUE(ps.Create(path));
    ps.NewPage(36, 36, 36, 36, 255, 255, 255);
    // Create took both for the whole document: changing them now turns no page.
    ps.SetOrientation(test.orientation == OrientationConstants::Portrait ? OrientationConstants::Landscape
                                                                         : OrientationConstants::Portrait);
    ps.SetRotated(!test.rotated);
    ps.NewPage(36, 36, 36, 36, 255, 255, 255);
    ps.SetOrientation(static_cast<OrientationConstants>(7));
    const Lines lines = FlushAndRead(ps, path, 2);
    EXPECT_EQ(Lines({lines[1], lines[5], lines[7]}), test.header);
    // Nothing turns the coordinate system outside the pages. "showpage" resets it, and a page printed
    // alone finds it unturned: each page's own set-up turns it before its background.
    EXPECT_EQ(lines[12 + Prolog.size()], "%%Page: 2 1");
    Lines setup = {"%%BeginPageSetup"};
    setup.insert(setup.end(), test.setup.begin(), test.setup.end());
    setup.push_back("newpath");
    for (const char* mark : {"%%Page: 2 1", "%%Page: 2 2"}) {
      EXPECT_EQ(Slice(lines, FindLine(lines, mark) + 1, setup.size()), setup) << mark;
    }
  }
}

TEST(PsStructure, EveryPaperInEveryOrientationReadsBack) {
  const PaperSizeConstants papers[] = {PaperSizeConstants::Letter, PaperSizeConstants::Tabloid,
                                       PaperSizeConstants::Ledger,  PaperSizeConstants::Legal,
                                       PaperSizeConstants::Executive, PaperSizeConstants::A3,
                                       PaperSizeConstants::A4,      PaperSizeConstants::A5,
                                       PaperSizeConstants::Folio};
  for (const PaperSizeConstants paper : papers) {
    for (const auto orientation : {OrientationConstants::Portrait, OrientationConstants::Landscape}) {
      for (const bool rotated : {false, true}) {
        SCOPED_TRACE(static_cast<int>(paper) * 100 + static_cast<int>(orientation) * 10 + rotated);
        PS ps;
        ps.SetPaperSize(paper);
        ps.SetOrientation(orientation);
        ps.SetRotated(rotated);
        const std::string path = TempPath("paper.ps");
        ASSERT_TRUE(ps.Create(path));
        int16_t width = 0, height = 0;
        ps.GetPageDimensions(width, height);
        ps.NewPage(20, 20, 20, 20, 230, 230, 255);
        EXPECT_TRUE(ps.DrawRectangle(0, 0, 100, 50));
        EXPECT_TRUE(ps.WriteText("first page", true));
        ps.NewPage(20, 20, 20, 20, 255, 255, 255);
        EXPECT_TRUE(ps.WriteTitle("second page"));
        const Lines lines = FlushAndRead(ps, path, 2);
        EXPECT_EQ(lines[1], "%%BoundingBox: 0 0 " + std::to_string(width) + " " + std::to_string(height));
      }
    }
  }
}

TEST(PsStructure, CreateRefusesUnknownPaperAndOrientationWithoutTouchingAFile) {
  PS ps;
  const std::string path = TempPath("refused.ps");
  std::filesystem::remove(path);
  ps.SetPaperSize(static_cast<PaperSizeConstants>(2));
  EXPECT_FALSE(ps.Create(path));
  ps.SetPaperSize(PaperSizeConstants::A4);
  ps.SetOrientation(static_cast<OrientationConstants>(3));
  EXPECT_FALSE(ps.Create(path));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(ps.Flush());
  ps.SetOrientation(OrientationConstants::Portrait);
  EXPECT_FALSE(ps.Create(TempPath("missing-folder") + "/document.ps"));
}

TEST(PsStructure, PropertiesAreReadOnceAndLineBreaksInThemBecomeBlanks) {
  testing::FixCreationDate();
  PS ps;
  ps.SetTitle("Q3\r\n%%EOF");
  ps.SetAuthor("Ann\nand\rBob (\u00e9)");
  ps.SetCreator("Report\r\n\r\nTool");
  const std::string path = TempPath("properties.ps");
  ASSERT_TRUE(ps.Create(path));
  ps.SetTitle("changed");
  const Lines lines = FlushAndRead(ps, path, 1);
  EXPECT_EQ(lines[3], "%%Creator: Report  Tool");
  EXPECT_EQ(lines[6], "%%For: Ann and Bob (\xE9)");
  EXPECT_EQ(lines[10], "%%Title: Q3 %%EOF");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "%%EOF"), 1);
}

TEST(PsStructure, SecondCreateDiscardsTheFirstDocumentAndClosesItsFile) {
  testing::FixCreationDate();
  PS ps;
  const std::string first = TempPath("first.ps");
  const std::string second = TempPath("second.ps");
  ASSERT_TRUE(ps.Create(first));
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  ps.WriteText("only in the first");
  ASSERT_TRUE(ps.Create(second));
  EXPECT_FALSE(testing::IsOpenInProcess(first));
  const Lines lines = FlushAndRead(ps, second, 1);
  EXPECT_EQ(lines[9], "%%Pages: 0");
  EXPECT_EQ(FindLine(lines, "(only in the first) show"), lines.size());
  EXPECT_FALSE(ps.Flush());  // already written
  {
    PS unflushed;
    const std::string path = TempPath("unflushed.ps");
    ASSERT_TRUE(unflushed.Create(path));
    EXPECT_TRUE(testing::IsOpenInProcess(path));
  }
  EXPECT_FALSE(testing::IsOpenInProcess(TempPath("unflushed.ps")));
}

TEST(PsStructure, LargeDocumentsKeepEveryLineAndPageNumber) {
  testing::FixCreationDate();
  PS ps;
  const std::string path = TempPath("large.ps");
  ASSERT_TRUE(ps.Create(path));
  // Each empty page takes 25 lines: well past 32,768 lines.
  const int pages = 1600;
  for (int page = 0; page < pages; ++page) ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  const Lines lines = FlushAndRead(ps, path, pages);
  EXPECT_EQ(lines.size(), 12u + Prolog.size() + 25u * pages + 2u);
  EXPECT_EQ(lines[9], "%%Pages: 1600");
  EXPECT_EQ(lines[lines.size() - 27], "%%Page: 1600 1600");
  EXPECT_EQ(lines.back(), "%%EOF");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace paginor
