// The PDF objects of embedded faces, read by real PDF readers: a one-page document assembled here from
// shaped lines and the font objects of their faces is checked by qpdf, listed by pdffonts (embedded,
// subset, Unicode map) and read back by pdftotext; a page of two Chinese characters stays small.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "support/external_tools.h"
#include "support/test_files.h"
#include "typeset/document_fonts.h"
#include "typeset/pdf_font_objects.h"
#include "typeset/pdf_glyph_text.h"
#include "typeset/pdf_numbers.h"

namespace paginor::typeset {
namespace {

using paginor::testing::HasTool;
using paginor::testing::Quoted;
using paginor::testing::RunCommand;
using paginor::testing::TempPath;

// A one-page PDF: lines of shaped text, one below the other, with the fonts of their faces.
class OnePagePdf : public PdfObjectSink {
 public:
  uint32_t ReserveObject() override { return ++LastObject; }
  void WriteDictionary(uint32_t number, std::string_view dictionary) override {
    Objects[number] = std::string(dictionary) + "\r\n";
  }
  void WriteStream(uint32_t number, std::string_view entries, std::span<const uint8_t> data) override {
    Objects[number] = "<< " + std::string(entries) + "/Length " + std::to_string(data.size()) + " >>\r\nstream\r\n" +
                      std::string(data.begin(), data.end()) + "\r\nendstream\r\n";
  }

  // Draws a line below the previous one from x = 40, justified to `justify` points when it is given;
  // returns its width in points.
  double AddLine(std::string_view text, const std::string& family, double size, double justify = 0) {
    const auto chosen = Fonts.Choose(family, FontStyleConstants::Regular);
    if (!chosen) throw std::runtime_error("font not installed: " + family);
    std::vector<ShapedGlyph> glyphs(Fonts.Shape(text, *chosen));
    if (justify > 0) WidenSpaces(glyphs, text, justify - ShapedWidth(glyphs, size), size);
    Fonts.RecordDrawn(text, glyphs);
    Content += "BT\r\n";
    AppendPdfGlyphLine(Content, glyphs, 40, 800 - 30 * Lines++, size, false, false, [&](std::string& out, const OpenTypeFace& used) {
      if (!FontObjects.contains(&used)) FontObjects[&used] = ReserveObject();
      out += "/F" + std::to_string(FontObjects[&used]) + ' ' + std::to_string(size) + " Tf";
    });
    Content += "ET\r\n";
    return ShapedWidth(glyphs, size);
  }

  // Writes the page, the fonts and the cross-reference table; the header's version is the highest any
  // font needs.
  std::string Finish() {
    std::string version = "1.2";
    std::string fonts;
    for (const auto& [face, object] : FontObjects) {
      WritePdfFont(*face, Fonts.Usage(*face), object, *this);
      version = std::max(version, std::string(PdfVersionFor(*face)));
      fonts += "/F" + std::to_string(object) + ' ' + std::to_string(object) + " 0 R ";
    }
    Objects[1] = "<< /Type /Catalog /Pages 2 0 R >>\r\n";
    Objects[2] = "<< /Type /Pages /Kids [3 0 R] /Count 1 >>\r\n";
    Objects[3] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R /Resources << /Font << " +
                 fonts + ">> >> >>\r\n";
    const std::vector<uint8_t> content(Content.begin(), Content.end());
    WriteStream(4, "", content);
    std::string pdf = "%PDF-" + version + "\r\n";
    std::vector<size_t> offsets;
    for (const auto& [number, body] : Objects) {
      offsets.push_back(pdf.size());
      pdf += std::to_string(number) + " 0 obj\r\n" + body + "endobj\r\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\r\n0 " + std::to_string(Objects.size() + 1) + "\r\n0000000000 65535 f\r\n";
    for (const size_t offset : offsets) {
      char entry[24];
      std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", offset);
      pdf += entry;
    }
    pdf += "trailer\r\n<< /Size " + std::to_string(Objects.size() + 1) + " /Root 1 0 R >>\r\nstartxref\r\n" +
           std::to_string(xref) + "\r\n%%EOF\r\n";
    return pdf;
  }

 private:
  uint32_t LastObject = 4;  // catalog, pages, page, content
  std::map<uint32_t, std::string> Objects;
  std::map<const OpenTypeFace*, uint32_t> FontObjects;
  DocumentFonts Fonts;
  std::string Content;
  int Lines = 0;
};

std::string Written(const std::string& name, const std::string& pdf) {
  const std::string path = TempPath(name);
  paginor::testing::WriteFile(path, pdf);
  return path;
}

bool ToolsPresent() { return HasTool("qpdf") && HasTool("pdffonts") && HasTool("pdftotext"); }

TEST(PdfFonts, EmbeddedSubsetsReadBackInEveryScript) {
  if (!ToolsPresent()) GTEST_SKIP() << "qpdf or poppler-utils is not installed";
  OnePagePdf pdf;
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"DejaVu Serif", "office affluent \xC3\xA9t\xC3\xA9"},                               // office affluent été
      {"DejaVu Sans", "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1"},  // Καλημέρα
      {"Noto Sans Hebrew", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"},                             // שלום
      {"Noto Sans Devanagari", "\xE0\xA4\xA8\xE0\xA4\xAE\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\xA4\xE0\xA5\x87"},  // नमस्ते
      {"Nimbus Sans", "Compact outlines"},
      {"DejaVu Sans", "Fallback \xE4\xB8\xAD\xE6\x96\x87"},  // Fallback 中文
  };
  for (const auto& [family, text] : lines) pdf.AddLine(text, family, 14);
  const std::string document = pdf.Finish();
  EXPECT_EQ(document.substr(0, 8), "%PDF-1.3");  // the CFF face needs it
  const std::string path = Written("scripts.pdf", document);

  const auto check = RunCommand("qpdf --check " + Quoted(path));
  EXPECT_EQ(check.status, 0) << check.output;
  const auto fonts = RunCommand("pdffonts " + Quoted(path));
  ASSERT_EQ(fonts.status, 0) << fonts.output;
  // name, type, encoding, emb, sub, uni: one row per face, each embedded as a subset with a Unicode map.
  const std::regex row(R"(^([A-Z]{6})\+(\S+)\s+(CID TrueType|CID Type 0C)\s+Identity-H\s+yes\s+yes\s+yes\s)");
  int rows = 0;
  std::istringstream listing(fonts.output);
  for (std::string line; std::getline(listing, line);) {
    if (line.find('+') != std::string::npos) {
      EXPECT_TRUE(std::regex_search(line, row)) << line;
      ++rows;
    }
  }
  EXPECT_EQ(rows, 6) << fonts.output;  // five faces named, one more for the fallback
  const auto text = RunCommand("pdftotext -layout " + Quoted(path) + " -");
  ASSERT_EQ(text.status, 0) << text.output;
  for (const auto& [family, line] : lines) EXPECT_NE(text.output.find(line), std::string::npos) << line;
}

TEST(PdfFonts, TwoChineseCharactersMakeASmallPage) {
  if (!ToolsPresent()) GTEST_SKIP() << "qpdf or poppler-utils is not installed";
  OnePagePdf pdf;
  pdf.AddLine("\xE4\xB8\xAD\xE6\x96\x87", "WenQuanYi Micro Hei", 24);  // 中文
  const std::string document = pdf.Finish();
  EXPECT_LT(document.size(), 50u * 1024);
  EXPECT_EQ(document.substr(0, 8), "%PDF-1.2");
  const std::string path = Written("chinese.pdf", document);
  EXPECT_EQ(RunCommand("qpdf --check " + Quoted(path)).status, 0);
  EXPECT_NE(RunCommand("pdftotext " + Quoted(path) + " -").output.find("\xE4\xB8\xAD\xE6\x96\x87"), std::string::npos);
}

// Where a reader finds the right edge of the words: the drawn glyphs end where the shaped width says,
// kerning, ligatures, fallback faces and widened spaces included.
TEST(PdfFonts, DrawnLinesEndWhereTheirWidthSays) {
  if (!ToolsPresent()) GTEST_SKIP() << "qpdf or poppler-utils is not installed";
  OnePagePdf pdf;
  std::vector<double> widths;
  widths.push_back(pdf.AddLine("AVAVA Tower office", "DejaVu Serif", 20));
  widths.push_back(pdf.AddLine("Mixed \xE4\xB8\xAD\xE6\x96\x87 text", "DejaVu Sans", 20));  // Mixed 中文 text
  widths.push_back(pdf.AddLine("a justified line of words", "DejaVu Sans", 11, 500));
  EXPECT_NEAR(widths.back(), 500, 0.01);  // spaces grow by whole face units
  const std::string path = Written("widths.pdf", pdf.Finish());
  const auto boxes = RunCommand("pdftotext -bbox " + Quoted(path) + " -");
  ASSERT_EQ(boxes.status, 0) << boxes.output;
  const std::regex word(R"re(<word xMin="[0-9.]+" yMin="([0-9.]+)" xMax="([0-9.]+)")re");
  std::map<int, double> rightEdges;  // by the line's top
  for (auto match = std::sregex_iterator(boxes.output.begin(), boxes.output.end(), word);
       match != std::sregex_iterator(); ++match) {
    const int top = static_cast<int>(std::lround(std::stod((*match)[1]) / 30));  // lines 30 points apart
    rightEdges[top] = std::max(rightEdges[top], std::stod((*match)[2]));
  }
  ASSERT_EQ(rightEdges.size(), 3u) << boxes.output;
  size_t line = 0;
  for (const auto& [top, right] : rightEdges) EXPECT_NEAR(right, 40 + widths[line++], 0.05);
}

TEST(PdfFonts, GlyphOperatorsComeOutAlikeEveryTime) {
  // The first time, the face's widths are measured as the glyphs go; after that they are known, and
  // the usual glyphs take a shorter way, which must write the same operators.
  DocumentFonts fonts;
  const auto chosen = fonts.Choose("DejaVu Serif", FontStyleConstants::Regular);
  ASSERT_TRUE(chosen);
  const std::string text = "AVAVA Tower office W.A.V.E. 1234567890 Tower";
  std::vector<ShapedGlyph> glyphs(fonts.Shape(text, *chosen));
  fonts.RecordDrawn(text, glyphs);
  ASSERT_GT(glyphs.size(), 12u);
  // Codes whose bytes the literal string's syntax reads otherwise are escaped, wherever they stand.
  glyphs[3].Code = 0x285C;   // ( and backslash
  glyphs[10].Code = 0x0D29;  // carriage return and )
  glyphs[11].Code = 0x0A41;  // line feed and A
  glyphs[12].YOffset = -150;  // lowered, as a mark would be
  const auto select = [](std::string& out, const OpenTypeFace&) { out += "/F1 12 Tf"; };
  std::string first;
  std::string again;
  AppendPdfGlyphs(first, glyphs, 12, select);
  AppendPdfGlyphs(again, glyphs, 12, select);
  EXPECT_EQ(first, again);
  EXPECT_NE(first.find("\\(\\\\"), std::string::npos) << first;
  EXPECT_NE(first.find("\\r\\)"), std::string::npos) << first;
  EXPECT_NE(first.find("\\nA"), std::string::npos) << first;
  EXPECT_NE(first.find(" Ts "), std::string::npos) << first;
  EXPECT_NE(first.find("0 Ts "), std::string::npos) << first;
  EXPECT_TRUE(std::regex_search(first, std::regex(R"(\)-?[0-9]+\()"))) << first;  // kerning between glyphs
}

TEST(PdfFonts, SubsetTagsFollowTheGlyphSet) {
  GlyphUsage first;
  GlyphUsage second;
  for (const uint32_t glyph : {3u, 17u, 40u}) EXPECT_EQ(first.Record(glyph, "x", 0), glyph);
  for (const uint32_t glyph : {3u, 17u, 41u}) second.Record(glyph, "x", 0);
  EXPECT_TRUE(std::regex_match(SubsetTag(first), std::regex("[A-Z]{6}")));
  EXPECT_NE(SubsetTag(first), SubsetTag(second));
  const std::string tag = SubsetTag(first);
  EXPECT_EQ(first.Record(40, "y", 0), 40u);  // without spare codes the first text stays, and so does the tag
  EXPECT_EQ(first.Codes().at(40).Text, "x");
  EXPECT_EQ(SubsetTag(first), tag);
  // With spare codes, another text gets a code of its own, and keeps it.
  EXPECT_EQ(first.Record(40, "y", 1000), 1000u);
  EXPECT_EQ(first.Record(17, "", 1000), 1001u);
  EXPECT_EQ(first.Record(40, "y", 1000), 1000u);
  EXPECT_EQ(first.Codes().at(1001).Glyph, 17u);
  EXPECT_TRUE(first.HasSpareCodes());
}

// Decimals written from their units give what the shortest form of the rounded number gives.
TEST(PdfFonts, DecimalsAreWrittenInTheirShortestForm) {
  const auto shortest = [](double number, int decimals) {
    const double scale = std::pow(10.0, decimals);
    char digits[LongestNumber];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, std::nearbyint(number * scale) / scale).ptr);
  };
  const auto written = [](double number, int decimals) {
    char digits[LongestNumber];
    return std::string(digits, WriteDecimal(digits, number, decimals));
  };
  for (int decimals = 1; decimals <= 3; ++decimals) {
    std::vector<double> numbers{0.0005, -0.0006, 123456789.125, -98765432109.5, 1e14 + 0.5, 100000.0, 0.001, -12.3456};
    for (int64_t units = -3000000; units <= 3000000; units += 7) {
      numbers.push_back(static_cast<double>(units) / std::pow(10.0, decimals));
    }
    for (const double number : numbers) {
      const double rounded = std::nearbyint(number * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
      if (rounded == std::trunc(rounded) && std::abs(rounded) < 10000) continue;  // written as integers
      ASSERT_EQ(written(number, decimals), shortest(number, decimals)) << number << " " << decimals;
    }
  }
}

}  // namespace
}  // namespace paginor::typeset
