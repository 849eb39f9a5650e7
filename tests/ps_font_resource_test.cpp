// Embedded TrueType faces as PostScript font resources: subsets made by HarfBuzz's subsetter from
// installed fonts, shown in minimal DSC documents that Ghostscript renders and ps2pdf converts, and
// damaged programs refused.
#include <hb-subset.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "output/line_buffer.h"
#include "ps/cff_program.h"
#include "ps/ps_font_resource.h"
#include "ps/ps_glyph_names.h"
#include "services/code_page.h"
#include "support/external_tools.h"
#include "support/stream_decoders.h"
#include "support/ps_reader.h"
#include "support/rendering.h"
#include "support/test_files.h"
#include "support/text_readers.h"

namespace paginor {
namespace {

using testing::HasTool;

const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string MicroHei = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
const std::string NimbusSans = "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf";
const std::string Chancery = "/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf";

// A subset of an installed face for the characters of some lines, with its glyphs coded in the order
// of first use and named for their characters, as the document writer will give them.
struct FontSubset {
  std::vector<uint8_t> program;
  PsFontMetrics metrics;
  std::vector<PsFontGlyph> glyphs;
  std::map<char32_t, uint32_t> codeOf;
};

FontSubset MakeSubset(const std::string& path, const std::vector<std::string>& lines, bool keepGlyphNumbers = false) {
  FontSubset subset;
  hb_blob_t* blob = hb_blob_create_from_file_or_fail(path.c_str());
  if (blob == nullptr) return subset;
  hb_face_t* face = hb_face_create(blob, 0);
  hb_font_t* font = hb_font_create(face);
  hb_subset_input_t* input = hb_subset_input_create_or_fail();
  if (keepGlyphNumbers) hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS);
  std::vector<std::pair<std::string, uint32_t>> used;  // character text, original glyph
  for (const std::string& line : lines) {
    for (size_t at = 0; at < line.size();) {
      const size_t start = at;
      const char32_t character = NextCharacter(line, at);
      hb_codepoint_t glyph = 0;
      hb_font_get_nominal_glyph(font, character, &glyph);
      if (!subset.codeOf.try_emplace(character, static_cast<uint32_t>(used.size())).second) continue;
      used.emplace_back(line.substr(start, at - start), glyph);
      hb_set_add(hb_subset_input_glyph_set(input), glyph);
    }
  }
  hb_subset_plan_t* plan = hb_subset_plan_create_or_fail(face, input);
  hb_face_t* cut = hb_subset_plan_execute_or_fail(plan);
  hb_blob_t* bytes = hb_face_reference_blob(cut);
  unsigned int length = 0;
  const char* data = hb_blob_get_data(bytes, &length);
  subset.program.assign(data, data + length);
  // The glyph numbers change in the subset: each code takes the number its glyph has there.
  const hb_map_t* newNumber = hb_subset_plan_old_to_new_glyph_mapping(plan);
  // A CFF program goes alone, and draws its glyphs by the names its character set gives them.
  hb_blob_t* compact = hb_face_reference_table(cut, HB_TAG('C', 'F', 'F', ' '));
  if (hb_blob_get_length(compact) > 0) {
    const char* cff = hb_blob_get_data(compact, &length);
    subset.program.assign(cff, cff + length);
  }
  hb_blob_destroy(compact);
  hb_font_t* cutFont = hb_font_create(cut);
  PsGlyphNames names;
  for (size_t code = 0; code < used.size(); ++code) {
    const uint32_t glyph = hb_map_get(newNumber, used[code].second);
    char programName[128] = "";
    hb_font_get_glyph_name(cutFont, glyph, programName, sizeof programName);
    subset.glyphs.push_back({static_cast<uint32_t>(code), glyph, names.NameFor(used[code].first, glyph), programName});
  }
  hb_font_destroy(cutFont);
  // The bounding box of all glyphs, from the font header.
  hb_blob_t* head = hb_face_reference_table(face, HB_TAG('h', 'e', 'a', 'd'));
  unsigned int headLength = 0;
  const auto* header = reinterpret_cast<const uint8_t*>(hb_blob_get_data(head, &headLength));
  const auto at = [&](size_t offset) { return static_cast<int16_t>(header[offset] << 8 | header[offset + 1]); };
  if (headLength >= 54) subset.metrics = {static_cast<int32_t>(hb_face_get_upem(face)), at(36), at(38), at(40), at(42)};
  hb_blob_destroy(head);
  hb_blob_destroy(bytes);
  hb_face_destroy(cut);
  hb_subset_plan_destroy(plan);
  hb_subset_input_destroy(input);
  hb_font_destroy(font);
  hb_face_destroy(face);
  hb_blob_destroy(blob);
  return subset;
}

std::string ToUtf8(char32_t character) {
  std::string text;
  if (character < 0x80) {
    text += static_cast<char>(character);
  } else if (character < 0x800) {
    text += static_cast<char>(0xC0 | character >> 6);
    text += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | character >> 12);
    text += static_cast<char>(0x80 | (character >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
  }
  return text;
}

std::string Collected(const LineBuffer& lines) {
  std::string bytes;
  lines.VisitMemory(0, lines.Offset(), [&](std::string_view block) { bytes += block; });
  return bytes;
}

// A one-page DSC document that defines the resource and shows each line in it, 12 points high, through
// the base fonts or through the composite font.
std::string ShowLines(const FontSubset& subset, const std::vector<std::string>& shown, bool composite = false) {
  LineBuffer lines;
  lines.Clear(nullptr);
  lines.AddLine("%!PS-Adobe-3.0");
  lines.AddLine("%%BoundingBox: 0 0 595 842");
  lines.Put("%%LanguageLevel: ").Put(int64_t{PsFontLanguageLevel(subset.program)}).EndLine();
  lines.AddLine("%%DocumentSuppliedResources: font TEST+Face");
  lines.AddLine("%%Pages: 1");
  lines.AddLine("%%EndComments");
  lines.AddLine("%%BeginProlog");
  std::string reason;
  EXPECT_TRUE(WritePsFontResource({"TEST+Face", subset.program, subset.metrics, subset.glyphs}, lines, reason))
      << reason;
  lines.AddLine("%%EndProlog");
  lines.AddLine("%%Page: 1 1");
  if (composite) lines.AddLine("/TEST+Face findfont 12 scalefont setfont");
  int64_t baseline = 800;
  for (const std::string& line : shown) {
    std::string codes;
    for (size_t at = 0; at < line.size();) {
      const uint32_t code = subset.codeOf.at(NextCharacter(line, at));
      codes += static_cast<char>(code >> 8);
      codes += static_cast<char>(code & 0xFF);
    }
    lines.Put("40 ").Put(baseline).Put(" moveto").EndLine();
    if (composite) {
      lines.Put('<');
      for (const char code : codes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<uint8_t>(code));
        lines.Put(std::string_view(hex, 2));
      }
      lines.Put("> show").EndLine();
    } else {
      PutPsGlyphRun("TEST+Face", codes, 12, lines);
    }
    baseline -= 16;
  }
  lines.AddLine("showpage");
  lines.AddLine("%%Trailer");
  lines.AddLine("%%EOF");
  return Collected(lines);
}

// The text read back from a document: by Ghostscript's text extraction, by pdftotext from ps2pdf's
// conversion of it.
struct ReadBack {
  std::string extracted, converted;
};

// Writes the document, checks that Ghostscript reads it without a word and draws on the page, and reads
// its text back.
ReadBack RenderAndReadBack(const std::string& name, const std::string& document) {
  const std::string path = testing::TempPath(name + ".ps");
  const std::string pdf = testing::TempPath(name + ".pdf");
  testing::WriteFile(path, document);
  for (const std::string& line : testing::SplitCrLfLines(document)) EXPECT_LE(line.size(), 255u) << "a DSC line";
  EXPECT_EQ(testing::GhostscriptProblems(path, 1), "");
  const std::vector<testing::Raster> pages =
      testing::RenderPages(path, "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA");
  EXPECT_EQ(pages.size(), 1u);
  if (!pages.empty()) {
    EXPECT_TRUE(std::any_of(pages[0].rgb.begin(), pages[0].rgb.end(), [](uint8_t v) { return v < 128; }))
        << "the page is blank";
  }
  EXPECT_TRUE(testing::ConvertToPdf(path, pdf));
  return {testing::GhostscriptText(path),
          testing::RunCommand("pdftotext -layout " + testing::Quoted(pdf) + " -").output};
}

// Shows the lines through the base fonts and through the composite font: both convert to PDF with their
// text, and Ghostscript's extraction reads it from the base fonts' glyph names (through a composite font
// it reads only the codes).
void ExpectLinesBack(const std::string& name, const FontSubset& subset, const std::vector<std::string>& shown) {
  for (const bool composite : {false, true}) {
    const ReadBack text = RenderAndReadBack(name, ShowLines(subset, shown, composite));
    for (const std::string& line : shown) {
      EXPECT_NE(text.converted.find(line), std::string::npos) << line << " in " << text.converted;
      if (!composite) {
        EXPECT_NE(text.extracted.find(line), std::string::npos) << line << " in " << text.extracted;
      }
    }
  }
}

bool Tools() { return HasTool("gs") && HasTool("ps2pdf") && HasTool("pdftotext"); }

TEST(PsFontResource, LatinGreekAndCyrillicComeBackFromTheConvertedPdf) {
  if (!Tools()) GTEST_SKIP() << "Ghostscript or poppler is missing";
  const std::vector<std::string> shown = {"Grüße, déjà vu: naïve façade", "Καλημέρα κόσμε",
                                          "Съешь же ещё этих мягких булок"};
  const FontSubset subset = MakeSubset(DejaVuSans, shown);
  ASSERT_FALSE(subset.program.empty());
  const ReadBack text = RenderAndReadBack("latin-greek-cyrillic", ShowLines(subset, shown));
  for (const std::string& line : shown) {
    EXPECT_NE(text.converted.find(line), std::string::npos) << line << " in " << text.converted;
    EXPECT_NE(text.extracted.find(line), std::string::npos) << line << " in " << text.extracted;
  }
}

TEST(PsFontResource, CffOutlinesComeAsAFontSetOfLanguageLevel3) {
  if (!Tools()) GTEST_SKIP() << "Ghostscript or poppler is missing";
  if (!std::filesystem::exists(NimbusSans)) GTEST_SKIP() << "the URW fonts are not installed";
  const std::vector<std::string> shown = {"Façade of CFF", "Ωμέγα", "Привет"};
  const FontSubset subset = MakeSubset(NimbusSans, shown);
  ASSERT_EQ(PsFontLanguageLevel(subset.program), 3);
  ExpectLinesBack("cff", subset, shown);
  // A program longer than the pieces it is encoded in.
  std::string many;
  for (char32_t c = 0x20; c < 0x2200; ++c) many += ToUtf8(c);
  const FontSubset large = MakeSubset(Chancery, {many});
  ASSERT_GT(large.program.size(), 65536u);
  const ReadBack text = RenderAndReadBack("large-cff", ShowLines(large, {"Chancery"}));
  EXPECT_NE(text.converted.find("Chancery"), std::string::npos) << text.converted;
  // Damaged: cut short, or an index whose offsets do not rise.
  LineBuffer lines;
  lines.Clear(nullptr);
  std::string reason;
  std::vector<uint8_t> damaged(subset.program.begin(), subset.program.begin() + 40);
  EXPECT_FALSE(WritePsFontResource({"TEST+Face", damaged, subset.metrics, subset.glyphs}, lines, reason));
  damaged = subset.program;
  damaged.at(damaged[2] + 3u) = 0xFF;  // the name index's first offset, beyond its second
  EXPECT_FALSE(WritePsFontResource({"TEST+Face", damaged, subset.metrics, subset.glyphs}, lines, reason));
  EXPECT_EQ(lines.Offset(), 0);
}

TEST(PsFontResource, LigaturesAndCharactersBeyondTheBasicPlaneReadBack) {
  if (!Tools()) GTEST_SKIP() << "Ghostscript or poppler is missing";
  FontSubset subset = MakeSubset(DejaVuSans, {"Aﬁ😀"});
  // The ligature's glyph drawn for the two letters it joins.
  subset.glyphs[subset.codeOf.at(U'ﬁ')].name = PsGlyphNames().NameFor("fi", 1);
  const ReadBack text = RenderAndReadBack("ligature", ShowLines(subset, {"Aﬁ😀"}));
  EXPECT_NE(text.converted.find("Afi😀"), std::string::npos) << text.converted;
  EXPECT_NE(text.extracted.find("Afi"), std::string::npos) << text.extracted;
}

TEST(PsFontResource, MoreThan256GlyphsShareOneProgramInSeveralBaseFonts) {
  if (!Tools()) GTEST_SKIP() << "Ghostscript or poppler is missing";
  std::string many;
  for (char32_t c = 0x21; c < 0x7F; ++c) many += ToUtf8(c);
  for (char32_t c = 0xC0; c < 0x180; ++c) many += ToUtf8(c);
  for (char32_t c = 0x410; c < 0x450; ++c) many += ToUtf8(c);
  const std::vector<std::string> shown = {"Ελληνικά", "Русский текст", "Ŀŉſ ĳ ÆØÅ"};
  const FontSubset subset = MakeSubset(DejaVuSans, {many, shown[0], shown[1], shown[2]});
  ASSERT_GT(subset.glyphs.size(), 256u);
  ASSERT_GE(subset.codeOf.at(U'Ε'), 256u);  // drawn from the second base font
  ExpectLinesBack("many-glyphs", subset, shown);
}

TEST(PsFontResource, TwoChineseCharactersMakeASmallPage) {
  if (!Tools()) GTEST_SKIP() << "Ghostscript or poppler is missing";
  if (!std::filesystem::exists(MicroHei)) GTEST_SKIP() << "WenQuanYi Micro Hei is not installed";
  for (const bool keepGlyphNumbers : {false, true}) {
    const FontSubset subset = MakeSubset(MicroHei, {"中文"}, keepGlyphNumbers);
    const std::string document = ShowLines(subset, {"中文"});
    EXPECT_LT(document.size(), 100u * 1024);
    const ReadBack text = RenderAndReadBack("chinese", document);
    EXPECT_NE(text.converted.find("中文"), std::string::npos) << text.converted;
    EXPECT_NE(text.extracted.find("中文"), std::string::npos) << text.extracted;
  }
}

// The big-endian number of `bytes` bytes at an offset of a program.
uint32_t BigEndian(const std::vector<uint8_t>& program, size_t at, size_t bytes) {
  uint32_t value = 0;
  for (size_t index = 0; index < bytes; ++index) value = value << 8 | program.at(at + index);
  return value;
}

TEST(PsFontResource, ProgramStringsStartAtTablesOrGlyphsAndStayShort) {
  std::string text;
  for (char32_t c = 0x20; c < 0x530; ++c) text += ToUtf8(c);
  const FontSubset subset = MakeSubset(DejaVuSans, {text});
  ASSERT_GT(subset.program.size(), 2u * 65535);
  // Where a string may start: a table, or a glyph in the glyph table.
  const std::vector<uint8_t>& program = subset.program;
  std::map<std::string, size_t> tables;
  std::set<size_t> starts = {0};  // the table directory
  for (size_t entry = 12; entry < 12 + 16 * BigEndian(program, 4, 2); entry += 16) {
    const auto tag = program.begin() + static_cast<ptrdiff_t>(entry);
    tables[std::string(tag, tag + 4)] = BigEndian(program, entry + 8, 4);
    starts.insert(BigEndian(program, entry + 8, 4));
  }
  const size_t locationSize = BigEndian(program, tables.at("head") + 50, 2) == 0 ? 2 : 4;
  for (size_t glyph = 0; glyph <= BigEndian(program, tables.at("maxp") + 4, 2); ++glyph) {
    const uint32_t location = BigEndian(program, tables.at("loca") + glyph * locationSize, locationSize);
    starts.insert(tables.at("glyf") + (locationSize == 2 ? 2 * location : location));
  }
  LineBuffer lines;
  lines.Clear(nullptr);
  std::string reason;
  ASSERT_TRUE(WritePsFontResource({"TEST+Face", subset.program, subset.metrics, subset.glyphs}, lines, reason));
  const std::string resource = Collected(lines);
  std::vector<uint8_t> joined, piece;
  size_t strings = 0;
  for (size_t open = resource.find("<~"); open != std::string::npos; open = resource.find("<~", open + 2)) {
    std::string encoded;
    for (size_t at = open + 2; resource.compare(at - 2, 2, "~>") != 0; ++at) {
      if (resource[at] != '\r' && resource[at] != '\n') encoded += resource[at];
    }
    ASSERT_TRUE(testing::DecodeASCII85({reinterpret_cast<const uint8_t*>(encoded.data()), encoded.size()}, piece));
    EXPECT_LT(piece.size(), 65535u);
    EXPECT_EQ(piece.size() % 2, 0u);
    EXPECT_TRUE(starts.contains(joined.size())) << "string " << strings << " starts at " << joined.size();
    joined.insert(joined.end(), piece.begin(), piece.end());
    ++strings;
  }
  EXPECT_GE(strings, 3u);
  joined.resize(subset.program.size());
  EXPECT_EQ(joined, subset.program);
  // Glyphs from the last strings draw and read back.
  if (!Tools()) GTEST_SKIP() << "Ghostscript or poppler is missing";
  const std::string shown = "Ӂӂ Ԁԁ Ґґ ~ Ω";
  EXPECT_NE(RenderAndReadBack("several-strings", ShowLines(subset, {shown})).converted.find(shown), std::string::npos);
}

TEST(PsFontResource, DamagedProgramsAreRefusedWithoutWritingAByte) {
  const FontSubset subset = MakeSubset(DejaVuSans, {"Refused"});
  ASSERT_FALSE(subset.program.empty());
  const auto refused = [&](std::vector<uint8_t> program, std::vector<PsFontGlyph> glyphs) {
    LineBuffer lines;
    lines.Clear(nullptr);
    std::string reason;
    const bool written = WritePsFontResource({"TEST+Face", program, subset.metrics, glyphs}, lines, reason);
    return !written && !reason.empty() && lines.Offset() == 0;
  };
  const auto put32 = [](std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (size_t index = 0; index < 4; ++index) bytes.at(at + index) = static_cast<uint8_t>(value >> (24 - 8 * index));
  };
  // Truncated anywhere: inside the directory, inside a table, in the glyphs.
  const size_t size = subset.program.size();
  for (const size_t kept : {size_t{0}, size_t{11}, size_t{40}, size / 2, size * 3 / 4}) {
    EXPECT_TRUE(refused({subset.program.begin(), subset.program.begin() + static_cast<ptrdiff_t>(kept)}, subset.glyphs))
        << kept;
  }
  // A table whose length runs past the end, or whose offset wraps around.
  std::vector<uint8_t> longTable = subset.program;
  put32(longTable, 12 + 12, 0xFFFFFFF0u);
  EXPECT_TRUE(refused(longTable, subset.glyphs));
  std::vector<uint8_t> wrapped = subset.program;
  put32(wrapped, 12 + 8, 0xFFFFFFF0u);
  EXPECT_TRUE(refused(wrapped, subset.glyphs));
  // CFF data, or a glyph number beyond the program's glyphs, codes out of order, a name with a blank.
  EXPECT_TRUE(refused({1, 0, 4, 4, 0, 1, 0, 0}, subset.glyphs));
  // A CID-keyed CFF program (its top dictionary starts with the registry-ordering-supplement operator),
  // which a document refuses when its face is chosen.
  const std::vector<uint8_t> cidKeyed = {1, 0, 4, 1, 0, 1, 1, 1, 2, 'A', 0, 1, 1, 1, 6, 139, 139, 139, 12, 30, 0, 0, 0, 0};
  CffProgram program;
  std::string reason;
  EXPECT_FALSE(ReadCffProgram(cidKeyed, program, reason));
  EXPECT_NE(reason.find("CID-keyed"), std::string::npos) << reason;
  EXPECT_TRUE(refused(cidKeyed, subset.glyphs));
  std::vector<PsFontGlyph> glyphs = subset.glyphs;
  glyphs[0].glyph = 65535;
  EXPECT_TRUE(refused(subset.program, glyphs));
  glyphs = subset.glyphs;
  std::swap(glyphs[0].code, glyphs[1].code);
  EXPECT_TRUE(refused(subset.program, glyphs));
  glyphs = subset.glyphs;
  glyphs[0].name = "two words";
  EXPECT_TRUE(refused(subset.program, glyphs));
}

TEST(PsGlyphNames, NamesSayTheTextAndStayUnique) {
  PsGlyphNames names;
  EXPECT_EQ(names.NameFor("A", 36), "uni0041");
  EXPECT_EQ(names.NameFor("fi", 900), "uni0066_uni0069");
  EXPECT_EQ(names.NameFor("\xF0\x9F\x98\x80", 7), "u1F600");
  EXPECT_EQ(names.NameFor("A", 37), "uni0041.1");  // the same text drawn by another glyph
  EXPECT_EQ(names.NameFor("A", 38), "uni0041.2");
  EXPECT_EQ(names.NameFor("", 12), "g12");
  std::string longCluster;
  for (int i = 0; i < 40; ++i) longCluster += "a";
  EXPECT_LE(names.NameFor(longCluster, 5).size(), 127u);
  // The names read back as their text, in UTF-16BE.
  EXPECT_EQ(GlyphNameUtf16Hex("uni0066_uni0069.2"), "00660069");
  EXPECT_EQ(GlyphNameUtf16Hex("u1F600"), "D83DDE00");
  EXPECT_EQ(GlyphNameUtf16Hex("uni00410042"), "00410042");
  EXPECT_EQ(GlyphNameUtf16Hex("g12"), "");
  EXPECT_EQ(GlyphNameUtf16Hex("uniD800"), "");
  EXPECT_EQ(GlyphNameUtf16Hex("u110000"), "");
}

}  // namespace
}  // namespace paginor
