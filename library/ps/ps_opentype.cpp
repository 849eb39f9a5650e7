// OpenType and TrueType faces in PostScript: lines of shaped glyphs drawn through the base fonts of
// each face's resource, footers that name the page count, and at the document's end the header lines
// and the font resources, written into the late fields of the output.
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/footer_text.h"
#include "ps/cff_program.h"
#include "ps/ps_font_resource.h"
#include "ps/ps_glyph_names.h"
#include "ps/ps_writer.h"
#include "services/alignment.h"
#include "services/failure.h"
#include "typeset/document_fonts.h"
#include "typeset/pdf_numbers.h"

namespace paginor {
namespace {

// The outline stroke of a synthetic bold, as a share of the font size (as in PDF), and the slant of a
// synthetic italic (12 degrees).
constexpr double SyntheticBoldStroke = 0.03;
constexpr double SyntheticSlant = 0.213;
// The characters after which a line of glyph operators is ended, well within DSC's 255.
constexpr size_t LongestGlyphLine = 200;
// The longest PostScript name of a face kept in its resource's name.
constexpr size_t LongestFaceName = 100;

// Passes the blocks of a LineBuffer on to a late field's put, noting a refusal.
class PutDestination final : public BlockDestination {
 public:
  explicit PutDestination(const ByteSink& put) : Put(put) {}
  void Take(std::string_view block) override { Refused = Refused || !Put(block); }
  bool Refused = false;

 private:
  const ByteSink& Put;
};

// A face's resource name, fixed when it is first drawn: six capital letters made from its file and its
// number in the document (so that the resources of different documents sent in one job keep apart),
// '+', and its PostScript name.
std::string ResourceName(const typeset::OpenTypeFace& face, size_t number) {
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (const char c : face.Location().Path) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ULL;
  for (const uint64_t value : {uint64_t{face.Location().Index}, uint64_t{number}}) {
    hash = (hash ^ value) * 1099511628211ULL;
  }
  std::string name(6, 'A');
  for (char& letter : name) {
    letter = static_cast<char>('A' + hash % 26);
    hash /= 26;
  }
  return name.append("+").append(face.PostScriptName().substr(0, LongestFaceName));
}

// A number of points with two decimals, a hundredth of a point being far below what any device shows.
void AppendPoints(std::string& out, double points) { typeset::AppendDecimal(out, points, 2); }

}  // namespace

std::string PsWriter::CannotEmbed(const typeset::OpenTypeFace& face) const {
  if (face.Outlines() != typeset::OutlineFormat::CompactFontFormat) return {};
  // CFF outlines are embedded as a font set of one name-keyed font; CID-keyed ones are refused.
  hb_blob_t* table = hb_face_reference_table(face.Face(), HB_TAG('C', 'F', 'F', ' '));
  unsigned int length = 0;
  const char* data = hb_blob_get_data(table, &length);
  CffProgram program;
  std::string reason;
  const bool read =
      ReadCffProgram({reinterpret_cast<const uint8_t*>(data), data == nullptr ? 0 : length}, program, reason);
  hb_blob_destroy(table);
  if (read) return {};
  return "has CFF outlines that PostScript output cannot embed (" + reason + ")";
}

PsWriter::EmbeddedFace* PsWriter::EmbeddedOf(const typeset::OpenTypeFace& face) {
  for (EmbeddedFace& embedded : Embedded) {
    if (embedded.face == &face) return &embedded;
  }
  for (const typeset::OpenTypeFace* refused : RefusedFaces) {
    if (refused == &face) return nullptr;
  }
  if (!CannotEmbed(face).empty()) {
    RefusedFaces.push_back(&face);
    return nullptr;
  }
  // The document will have late texts: from now on it grows in the temporary file (see OutputFile).
  if (Embedded.empty()) Output.StageNow();
  Embedded.push_back({&face, ResourceName(face, Embedded.size()), {}, {}});
  return &Embedded.back();
}

uint32_t PsWriter::CodeOf(EmbeddedFace& embedded, uint32_t usageCode) {
  if (usageCode >= embedded.codeOf.size()) embedded.codeOf.resize(size_t{usageCode} + 1, 0);
  uint32_t& code = embedded.codeOf[usageCode];
  if (code == 0) {
    // Usage codes are two bytes: there are never more codes than two bytes hold.
    embedded.usageCodes.push_back(usageCode);
    code = static_cast<uint32_t>(embedded.usageCodes.size());
  }
  return code - 1;
}

std::span<const typeset::ShapedGlyph> PsWriter::EmbeddableGlyphs(std::string_view text,
                                                                  std::span<const typeset::ShapedGlyph> glyphs,
                                                                  const typeset::ChosenFace& chosen) {
  bool all = true;
  const typeset::OpenTypeFace* checked = nullptr;
  for (const typeset::ShapedGlyph& glyph : glyphs) {
    if (glyph.Face == checked) continue;
    checked = glyph.Face;
    all = all && EmbeddedOf(*checked) != nullptr;
  }
  if (all) return glyphs;
  // A glyph of a fallback face that cannot be embedded is drawn as the missing-glyph box of the line's
  // own face, in its place.
  Substituted.assign(glyphs.begin(), glyphs.end());
  for (typeset::ShapedGlyph& glyph : Substituted) {
    if (EmbeddedOf(*glyph.Face) != nullptr) continue;
    const double scale = static_cast<double>(chosen.Face->Metrics().UnitsPerEm) / glyph.Face->Metrics().UnitsPerEm;
    glyph.Advance = static_cast<int32_t>(std::nearbyint(glyph.Advance * scale));
    glyph.Face = chosen.Face;
    glyph.Glyph = 0;
    glyph.XOffset = glyph.YOffset = 0;
  }
  Fonts.Typeset().RecordDrawn(text, Substituted);
  return Substituted;
}

void PsWriter::MakeGlyphLine(std::span<const typeset::ShapedGlyph> glyphs, FontHandle font, uint8_t size,
                             Rgb colour, double x, double y) {
  const typeset::ChosenFace& chosen = Fonts.Face(font).openType;
  GlyphText.assign("newpath\r\n").append(Colours.Of(colour)).append(" setrgbcolor\r\n");
  // A synthetic bold draws the line twice, apart by the stroke that thickens it in PDF.
  const double bold = chosen.SyntheticBold ? size * SyntheticBoldStroke : 0;
  for (const double start : {x - bold / 2, x + bold / 2}) {
    AppendPoints(GlyphText, start);
    GlyphText += ' ';
    AppendPoints(GlyphText, y);
    GlyphText += " moveto\r\n";
    PutGlyphs(glyphs, size, chosen.SyntheticItalic);
    if (bold == 0) break;
  }
}

void PsWriter::PutGlyphs(std::span<const typeset::ShapedGlyph> glyphs, uint8_t size, bool slanted) {
  // Each glyph is drawn from where shaping puts it: the current point moves by the font's own advance
  // of the glyph drawn, and a "rmoveto" corrects it where shaping differs (kerning, marks).
  double drawnX = 0, drawnY = 0, shaped = 0;
  const EmbeddedFace* current = nullptr;
  uint32_t currentByte = UINT32_MAX;
  bool inString = false;
  size_t lineStart = GlyphText.size();
  const auto endString = [&] {
    if (inString) GlyphText += "> show ";
    inString = false;
  };
  const auto wrap = [&] {
    if (GlyphText.size() - lineStart < LongestGlyphLine) return;
    GlyphText += "\r\n";
    lineStart = GlyphText.size();
  };
  const typeset::OpenTypeFace* face = nullptr;
  EmbeddedFace* embedded = nullptr;
  double scale = 0, widthScale = 0;
  constexpr std::string_view hexDigits = "0123456789ABCDEF";
  const typeset::ShapedGlyph* next = glyphs.data();
  const typeset::ShapedGlyph* const last = next + glyphs.size();
  while (next != last) {
    // The usual glyph: in the open string of its face and code byte, where the current point already
    // is, its code given before, its width known and the line not yet long. It takes this loop, which
    // calls nothing; any other glyph takes the full way below, which does the same for this one.
    if (inString && embedded == current && drawnY == 0) {
      // A glyph goes on while the line is shorter than its bound, two characters each. The positions
      // are copied into locals, which nothing else refers to, so that they stay in registers.
      const size_t room = LongestGlyphLine - std::min(LongestGlyphLine, GlyphText.size() - lineStart);
      char run[LongestGlyphLine + 1];
      char* at = run;
      const char* const end = run + 2 * std::min((room + 1) / 2, static_cast<size_t>(last - next));
      double x = drawnX, position = shaped;
      const std::vector<uint32_t>& codes = embedded->codeOf;
      for (; at != end && next->Face == face && next->XOffset == 0 && next->YOffset == 0; ++next) {
        const uint32_t usageCode = next->Code;
        const uint32_t code = usageCode < codes.size() ? codes[usageCode] - 1 : UINT32_MAX;
        const double width = face->KnownPdfWidth(next->Glyph);
        const double apartX = position - x;
        if (code >> 8 != currentByte || width < 0 || apartX >= 0.005 || apartX <= -0.005) break;
        at[0] = hexDigits[(code >> 4) & 0xF];
        at[1] = hexDigits[code & 0xF];
        at += 2;
        x += width * widthScale;
        position += next->Advance * scale;
      }
      drawnX = x;
      shaped = position;
      GlyphText.append(run, at);
      if (next == last) break;
    }
    const typeset::ShapedGlyph& glyph = *next++;
    if (glyph.Face != face) {
      face = glyph.Face;
      embedded = EmbeddedOf(*face);
      scale = static_cast<double>(size) / face->Metrics().UnitsPerEm;
      widthScale = static_cast<double>(size) / 1000;
    }
    const uint32_t code = CodeOf(*embedded, glyph.Code);
    // Differences below half a hundredth of a point are left: the common case, without rounding.
    const double apartX = shaped + glyph.XOffset * scale - drawnX, apartY = glyph.YOffset * scale - drawnY;
    if (apartX >= 0.005 || apartX <= -0.005 || apartY >= 0.005 || apartY <= -0.005) {
      const double dx = std::nearbyint(apartX * 100) / 100, dy = std::nearbyint(apartY * 100) / 100;
      endString();
      AppendPoints(GlyphText, dx);
      GlyphText += ' ';
      AppendPoints(GlyphText, dy);
      GlyphText += " rmoveto ";
      drawnX += dx;
      drawnY += dy;
    }
    if (embedded != current || code >> 8 != currentByte) {
      endString();
      wrap();
      current = embedded;
      currentByte = code >> 8;
      GlyphText.append("/").append(embedded->name).append(".");
      typeset::AppendNumber(GlyphText, currentByte);
      GlyphText += " findfont ";
      if (slanted) {
        GlyphText += '[';
        typeset::AppendNumber(GlyphText, size);
        GlyphText += " 0 ";
        typeset::AppendDecimal(GlyphText, size * SyntheticSlant, 3);
        GlyphText += ' ';
        typeset::AppendNumber(GlyphText, size);
        GlyphText += " 0 0] makefont setfont ";
      } else {
        typeset::AppendNumber(GlyphText, size);
        GlyphText += " scalefont setfont ";
      }
    }
    if (!inString) {
      wrap();
      GlyphText += '<';
      inString = true;
    } else if (GlyphText.size() - lineStart >= LongestGlyphLine) {
      GlyphText += "\r\n";  // blanks and line ends inside a hexadecimal string are skipped
      lineStart = GlyphText.size();
    }
    GlyphText += hexDigits[(code >> 4) & 0xF];
    GlyphText += hexDigits[code & 0xF];
    // The font's own advance, as kept for PDF's widths (to a millionth of the em).
    drawnX += face->PdfWidth(glyph.Glyph) * widthScale;
    shaped += glyph.Advance * scale;
  }
  endString();
  GlyphText += "\r\n";
}

void PsWriter::DrawGlyphText(const TextRun& run) {
  TurnOutsidePage();
  const std::span<const typeset::ShapedGlyph> glyphs =
      EmbeddableGlyphs(run.codes, run.glyphs, Fonts.Face(run.font).openType);
  MakeGlyphLine(glyphs, run.font, run.size, run.colour, run.origin.x, run.origin.y);
  Lines.Put(GlyphText);
  // The text's fonts replaced whatever font a compact page had set.
  PageFont = FontCatalogue::Unset;
}

void PsWriter::DrawOpenTypeCountedFooter(const CountedFooter& counted) {
  TurnOutsidePage();
  if (FooterTexts.empty() || FooterTexts.back() != counted.codes) FooterTexts.emplace_back(counted.codes);
  CountedFooters.push_back({counted.page, static_cast<uint32_t>(FooterTexts.size() - 1), counted.left, counted.width,
                            counted.baseline, counted.font, counted.size, counted.colour});
  Output.PutLateField();
}

bool PsWriter::MakeCountedFooter(const PendingFooter& footer) {
  const std::string text = FilledFooter(FooterTexts[footer.text], footer.page, Pages);
  const typeset::ChosenFace& chosen = Fonts.Face(footer.font).openType;
  const std::vector<typeset::ShapedGlyph> shaped = Fonts.Typeset().Shape(text, chosen);
  const double width = std::nearbyint(typeset::ShapedWidth(shaped, footer.size));
  // A footer too wide for its page is left out, as on every page.
  if (width > footer.width) return false;
  FooterGlyphs = shaped;
  Fonts.Typeset().RecordDrawn(text, FooterGlyphs);
  const int64_t x = footer.left + AlignmentOffset(footer.width, static_cast<int16_t>(width), AlignmentConstants::Center);
  MakeGlyphLine(EmbeddableGlyphs(text, FooterGlyphs, chosen), footer.font, footer.size, footer.colour,
                static_cast<double>(x), footer.baseline);
  return true;
}

void PsWriter::RecordCountedFooters() {
  // Their glyphs join the subsets before the resources are written; the lines themselves are made
  // again when their late fields are filled.
  for (const PendingFooter& footer : CountedFooters) MakeCountedFooter(footer);
}

bool PsWriter::WriteLateText(size_t index, const ByteSink& put, std::string& reason) {
  if (index == 1) return WriteFontResources(put, reason);
  if (index == 0) {
    // The header: the language level the resources need, and the resources themselves.
    if (Embedded.empty()) return true;
    bool level3 = false;
    for (const EmbeddedFace& embedded : Embedded) {
      level3 = level3 || embedded.face->Outlines() == typeset::OutlineFormat::CompactFontFormat;
    }
    std::string header = level3 ? "%%LanguageLevel: 3\r\n" : "%%LanguageLevel: 2\r\n";
    header += "%%DocumentSuppliedResources:";
    for (const EmbeddedFace& embedded : Embedded) {
      header.append(&embedded == &Embedded.front() ? " font " : "%%+ font ").append(embedded.name).append("\r\n");
    }
    return put(header);
  }
  return !MakeCountedFooter(CountedFooters[index - 2]) || put(GlyphText);
}

bool PsWriter::WriteFontResources(const ByteSink& put, std::string& reason) {
  PutDestination destination(put);
  LineBuffer lines;
  lines.Clear(&destination);
  for (const EmbeddedFace& embedded : Embedded) {
    const typeset::OpenTypeFace& face = *embedded.face;
    const auto& codes = Fonts.Typeset().Usage(face).Codes();
    std::vector<uint32_t> glyphs;
    glyphs.reserve(embedded.usageCodes.size());
    for (const uint32_t usageCode : embedded.usageCodes) {
      const auto coded = codes.find(usageCode);
      glyphs.push_back(coded == codes.end() ? 0 : coded->second.Glyph);
    }
    const typeset::RenumberedSubset subset = typeset::SubsetRenumbered(face, glyphs);
    if (subset.Program.empty()) {
      reason = "the subset of the font " + face.PostScriptName() + " could not be made";
      return false;
    }
    const bool cff = face.Outlines() == typeset::OutlineFormat::CompactFontFormat;
    PsGlyphNames names;
    std::vector<PsFontGlyph> entries;
    entries.reserve(glyphs.size());
    for (uint32_t code = 0; code < glyphs.size(); ++code) {
      const auto coded = codes.find(embedded.usageCodes[code]);
      const std::string_view text = coded == codes.end() ? std::string_view() : coded->second.Text;
      entries.push_back({code, subset.NewGlyph[code], names.NameFor(text, subset.NewGlyph[code]),
                         cff ? subset.ProgramNames[code] : std::string()});
    }
    const typeset::FaceMetrics& metrics = face.Metrics();
    const PsEmbeddedFont font{embedded.name, subset.Program,
                              {metrics.UnitsPerEm, metrics.XMin, metrics.YMin, metrics.XMax, metrics.YMax},
                              entries};
    if (!WritePsFontResource(font, lines, reason)) {
      reason = "the font " + face.PostScriptName() + " cannot be embedded: " + reason;
      return false;
    }
    lines.HandOverAll();
    if (destination.Refused) return false;
  }
  return true;
}

}  // namespace paginor
