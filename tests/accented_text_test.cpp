// Accented letters, the euro sign and the quotes of Windows-1252 in every text font: real readers give
// back what was written, and lines sit where their measured widths say.
#include <gtest/gtest.h>

#include <sstream>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/test_files.h"
#include "support/text_readers.h"

namespace paginor {
namespace {

using testing::TextLine;

const std::string Sample = "café Müller — 50 € it's `q` Ångström";

// Every printable Windows-1252 character in code order, but the blank and the two the fonts draw as
// other characters (the no-break space as a blank, the soft hyphen as a hyphen).
const std::string Printable =
    "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"
    "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ¡¢£¤¥¦§¨©ª«¬®¯°±²³´µ¶·¸¹º»¼½¾¿"
    "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ";

const std::string Paragraph =
    "Ångström’s café served crème brûlée — 50 € each — to Müller, Øre and Françoise; “déjà vu”, said the "
    "naïve señor, «über» façade, œuvre, Æsop’s fable ‘noël’ … Ça coûte 3 £ ou 4 ¥, ±2 ° ß µ. "
    "Ångström’s café served crème brûlée — 50 € each — to Müller, Øre and Françoise.";

// The sample line, then the printable characters 24 to a line.
std::vector<std::string> ExpectedLines() {
  std::vector<std::string> lines{Sample};
  size_t characters = 0;
  for (size_t at = 0; at < Printable.size(); ++at) {
    const bool starts = (static_cast<unsigned char>(Printable[at]) & 0xC0) != 0x80;
    if (starts && characters++ % 24 == 0) lines.emplace_back();
    lines.back() += Printable[at];
  }
  return lines;
}

// One page for each of the twelve text fonts, holding the expected lines.
template <class Document>
void WriteEveryTextFont(Document& document) {
  for (const auto number : {FontNumberConstants::Courier, FontNumberConstants::Helvetica, FontNumberConstants::Times}) {
    for (const auto style : {FontStyleConstants::Regular, FontStyleConstants::Bold, FontStyleConstants::Italic,
                             FontStyleConstants::BoldItalic}) {
      document.NewPage(36, 36, 36, 36, 255, 255, 255);
      document.SetFont(number, 10, style, FontEffectConstants::NoFontEffect);
      for (const std::string& line : ExpectedLines()) EXPECT_TRUE(document.WriteText(line, true, 4));
    }
  }
}

// The lines a reader found in a document of WriteEveryTextFont, without blank lines and footers.
void ExpectEveryTextFontReadsBack(const std::string& extracted) {
  std::vector<std::string> lines, expected;
  std::istringstream stream(extracted);
  for (std::string line; std::getline(stream, line);) {
    // Readers indent, end lines with CR or start pages with a form feed.
    line.erase(0, line.find_first_not_of(" \f"));
    line.erase(line.find_last_not_of(" \f\r") + 1);
    if (!line.empty() && line.find("Paginor developers") == std::string::npos) lines.push_back(line);
  }
  for (int font = 0; font < 12; ++font) {
    for (const std::string& line : ExpectedLines()) expected.push_back(line);
  }
  EXPECT_EQ(lines, expected);
}

// On one page: the sample right-aligned and centred in each text font, 11 points.
template <class Document>
void WriteAlignedLines(Document& document) {
  document.NewPage(40, 36, 60, 36, 255, 255, 255);
  for (int number = 1; number <= 3; ++number) {
    for (int style = 1; style <= 4; ++style) {
      document.SetFont(static_cast<FontNumberConstants>(number), 11, static_cast<FontStyleConstants>(style),
                       FontEffectConstants::NoFontEffect);
      EXPECT_TRUE(document.WriteText(Sample, true, 4, AlignmentConstants::RightAlign));
      EXPECT_TRUE(document.WriteText(Sample, true, 4, AlignmentConstants::Center));
    }
  }
}

// A4 with margins 40 left and 60 right: right-aligned lines end at 535, centred ones centre on 287.5.
void ExpectAlignedLines(const std::vector<TextLine>& lines) {
  ASSERT_GE(lines.size(), 24u);
  for (size_t index = 0; index < 24; ++index) {
    const double left = lines[index].front().left, right = lines[index].back().right;
    if (index % 2 == 0) {
      EXPECT_NEAR(right, 535.0, 1.0) << "right-aligned line " << index;
    } else {
      EXPECT_NEAR((left + right) / 2, 287.5, 1.0) << "centred line " << index;
    }
  }
}

// A justified accented paragraph 300 points wide starting 20 points into the area, in three fonts.
template <class Document>
void WriteJustifiedParagraphs(Document& document) {
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  document.SetPosition(20, 0);
  for (const auto& [number, style] : {std::pair{FontNumberConstants::Times, FontStyleConstants::Regular},
                                     std::pair{FontNumberConstants::Helvetica, FontStyleConstants::Bold},
                                     std::pair{FontNumberConstants::Times, FontStyleConstants::BoldItalic}}) {
    document.SetFont(number, 11, style, FontEffectConstants::NoFontEffect);
    EXPECT_TRUE(document.WriteMultiText(Paragraph, 3, AlignmentConstants::NoAlignment, true, 300));
    document.SetPosition(20, -1);
    EXPECT_TRUE(document.WriteText(" ", true, 10));
  }
}

// Every full line of the paragraphs ends at 36 + 20 + 300; the last line of each is not justified.
void ExpectStraightRightEdges(const std::vector<TextLine>& lines) {
  int full = 0;
  for (size_t index = 0; index + 1 < lines.size(); ++index) {
    const bool lastOfParagraph = lines[index + 1].front().top - lines[index].front().top > 20;
    if (lastOfParagraph || lines[index].front().text.find("Paginor") != std::string::npos) continue;
    EXPECT_NEAR(lines[index].back().right, 356.0, 1.0) << "line " << index << " ends with " << lines[index].back().text;
    EXPECT_NEAR(lines[index].front().left, 56.0, 0.01) << "line " << index;
    ++full;
  }
  EXPECT_GE(full, 9);
}

TEST(PdfAccentedText, ReadsBackAsWrittenInEveryTextFont) {
  if (!testing::HasTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  PDF pdf;
  const std::string path = testing::TempPath("accented-fonts.pdf");
  ASSERT_TRUE(pdf.Create(path));
  WriteEveryTextFont(pdf);
  testing::FlushAndCheck(pdf, path);
  ExpectEveryTextFontReadsBack(testing::ExtractedText(path));
}

TEST(PdfAccentedText, LinesSitWhereTheirWidthsSay) {
  if (!testing::HasTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  PDF pdf;
  const std::string path = testing::TempPath("accented-layout.pdf");
  ASSERT_TRUE(pdf.Create(path));
  WriteAlignedLines(pdf);
  WriteJustifiedParagraphs(pdf);
  testing::FlushAndCheck(pdf, path);
  ExpectAlignedLines(testing::TextLines(testing::WordBoxes(path, 1)));
  ExpectStraightRightEdges(testing::TextLines(testing::WordBoxes(path, 2)));
}

TEST(PdfAccentedText, PropertiesAndLinksReadBackAsWritten) {
  if (!testing::HasTool("pdfinfo")) GTEST_SKIP() << "pdfinfo is not installed";
  PDF pdf;
  pdf.SetTitle("Café Müller — 50 € “quoted”");  // the euro sign has no PDFDocEncoding code in 1.2
  pdf.SetAuthor("Åsa Øberg (née Ström)");       // Latin-1 only
  pdf.SetSubject("‘Typographic’ quotes… and – dashes");
  pdf.SetKeywords("漢字, emoji 😀, back\\slash (open");
  const std::string path = testing::TempPath("accented-properties.pdf");
  ASSERT_TRUE(pdf.Create(path));
  pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  EXPECT_TRUE(pdf.WriteText("Link", true, 0, AlignmentConstants::NoAlignment, "https://example.com/café?q=€"));
  testing::FlushAndCheck(pdf, path);

  const std::string info = testing::RunCommand("pdfinfo '" + path + "'").output;
  EXPECT_NE(info.find("Title:           Café Müller — 50 € “quoted”\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Author:          Åsa Øberg (née Ström)\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Subject:         ‘Typographic’ quotes… and – dashes\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Keywords:        漢字, emoji 😀, back\\slash (open\n"), std::string::npos) << info;
  const std::string links = testing::RunCommand("pdfinfo -url '" + path + "'").output;
  EXPECT_NE(links.find("https://example.com/caf%C3%A9?q=%E2%82%AC"), std::string::npos) << links;
}

TEST(PsAccentedText, ReadsBackAsWrittenInEveryTextFont) {
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  PS ps;
  const std::string path = testing::TempPath("accented-fonts.ps");
  ASSERT_TRUE(ps.Create(path));
  WriteEveryTextFont(ps);
  testing::FlushAndRead(ps, path, 12);
  ExpectEveryTextFontReadsBack(testing::GhostscriptText(path));
}

TEST(PsAccentedText, LinesSitWhereTheirWidthsSay) {
  if (!testing::HasTool("ps2pdf") || !testing::HasTool("pdftotext")) GTEST_SKIP() << "ps2pdf or pdftotext missing";
  PS ps;
  const std::string path = testing::TempPath("accented-layout.ps"), pdfpath = testing::TempPath("accented-layout.pdf");
  ASSERT_TRUE(ps.Create(path));
  WriteAlignedLines(ps);
  WriteJustifiedParagraphs(ps);
  testing::FlushAndRead(ps, path, 2);
  ASSERT_TRUE(testing::ConvertToPdf(path, pdfpath));
  ExpectAlignedLines(testing::TextLines(testing::WordBoxes(pdfpath, 1)));
  ExpectStraightRightEdges(testing::TextLines(testing::WordBoxes(pdfpath, 2)));
}

TEST(PsAccentedText, TextFontsAreShownThroughTheirReencodedCopies) {
  PS ps;
  const std::string path = testing::TempPath("accented-font-lines.ps");
  ASSERT_TRUE(ps.Create(path));
  ps.NewPage(36, 36, 36, 36, 255, 255, 255);
  for (int number = 1; number <= 5; ++number) {
    for (int style = 1; style <= 4; ++style) {
      ps.SetFont(static_cast<FontNumberConstants>(number), 10, static_cast<FontStyleConstants>(style),
                 FontEffectConstants::NoFontEffect);
      EXPECT_TRUE(ps.WriteText("\xc3\xa9", true));
    }
  }
  const testing::Lines lines = testing::FlushAndRead(ps, path, 1);
  std::vector<std::string> fonts;
  for (size_t index = testing::FindLine(lines, "%%Page: 1 1"); index < lines.size(); ++index) {
    if (lines[index] == "setfont") fonts.push_back(lines[index - 2]);
  }
  const std::vector<std::string> expected = {
      "/Courier-WinAnsi /Courier WinAnsiFont", "/Courier-Bold-WinAnsi /Courier-Bold WinAnsiFont",
      "/Courier-Oblique-WinAnsi /Courier-Oblique WinAnsiFont",
      "/Courier-BoldOblique-WinAnsi /Courier-BoldOblique WinAnsiFont", "/Helvetica-WinAnsi /Helvetica WinAnsiFont",
      "/Helvetica-Bold-WinAnsi /Helvetica-Bold WinAnsiFont", "/Helvetica-Oblique-WinAnsi /Helvetica-Oblique WinAnsiFont",
      "/Helvetica-BoldOblique-WinAnsi /Helvetica-BoldOblique WinAnsiFont",
      "/Times-Roman-WinAnsi /Times-Roman WinAnsiFont", "/Times-Bold-WinAnsi /Times-Bold WinAnsiFont",
      "/Times-Italic-WinAnsi /Times-Italic WinAnsiFont", "/Times-BoldItalic-WinAnsi /Times-BoldItalic WinAnsiFont",
      // Symbol and ZapfDingbats keep their own encodings, whatever the style asked for.
      "/Symbol findfont", "/Symbol findfont", "/Symbol findfont", "/Symbol findfont",
      "/ZapfDingbats findfont", "/ZapfDingbats findfont", "/ZapfDingbats findfont", "/ZapfDingbats findfont",
      "/Times-Roman-WinAnsi /Times-Roman WinAnsiFont"};  // the footer
  EXPECT_EQ(fonts, expected);
}

}  // namespace
}  // namespace paginor
