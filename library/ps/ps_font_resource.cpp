// The embedded face as PostScript: the font program (the strings of the Type 42 fonts, or a CFF font
// set), a procedure that makes one base font from its codes, names and glyphs, the base fonts, and the
// composite font over them.
#include "ps/ps_font_resource.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <vector>

#include "encoders/ascii85.h"
#include "ps/cff_program.h"
#include "ps/ps_glyph_names.h"
#include "ps/sfnt_tables.h"

namespace paginor {
namespace {

// A string of a Type 42 font holds fewer than 65535 bytes, an even number of them.
constexpr uint32_t LongestString = 65534;
// ASCII85 characters per line, which keeps every line within the 255 characters of a DSC line.
constexpr size_t EncodedLine = 240;
// The longest name a base font's suffix (".255") leaves the composite font.
constexpr size_t LongestFontName = 123;

// A name PostScript reads as one literal name: printable ASCII without delimiters, 1 to longest
// characters.
bool IsPostScriptName(std::string_view name, size_t longest) {
  constexpr std::string_view delimiters = "()<>[]{}/%";
  return !name.empty() && name.size() <= longest && std::all_of(name.begin(), name.end(), [&](char c) {
    return c > ' ' && c < 127 && delimiters.find(c) == std::string_view::npos;
  });
}

bool CheckGlyphs(const PsEmbeddedFont& font, uint32_t glyphCount, bool cff, std::string& reason) {
  std::unordered_map<std::string_view, uint32_t> glyphOfName;
  for (size_t index = 0; index < font.glyphs.size(); ++index) {
    const PsFontGlyph& entry = font.glyphs[index];
    if (entry.code > 0xFFFF || (index > 0 && entry.code <= font.glyphs[index - 1].code)) {
      reason = "the glyph codes are not ascending two-byte codes";
      return false;
    }
    if (entry.glyph >= glyphCount) {
      reason = "glyph " + std::to_string(entry.glyph) + " is not in the font program";
      return false;
    }
    if (cff && !IsPostScriptName(entry.programName, 127)) {
      reason = "the program's glyph name \"" + entry.programName + "\" is not a usable PostScript name";
      return false;
    }
    if (!IsPostScriptName(entry.name, 127) || entry.name == ".notdef") {
      reason = "the glyph name \"" + entry.name + "\" is not a usable PostScript name";
      return false;
    }
    // One name draws one glyph, whatever codes it has.
    const auto [named, added] = glyphOfName.try_emplace(entry.name, entry.glyph);
    if (!added && named->second != entry.glyph) {
      reason = "the glyph name \"" + entry.name + "\" names two glyphs";
      return false;
    }
  }
  return true;
}

LineBuffer& PutBaseFontName(std::string_view name, uint32_t firstByte, LineBuffer& lines) {
  return lines.Put('/').Put(name).Put('.').Put(int64_t{firstByte});
}

LineBuffer& PutUnits(LineBuffer& lines, int32_t units, int32_t unitsPerEm) {
  char digits[32];
  const double value = static_cast<double>(units) / unitsPerEm;
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return lines.Put(std::string_view(digits, static_cast<size_t>(end - digits)));
}

// Data as ASCII85 text on lines of their own, encoded a piece at a time: pieces of whole groups of four
// bytes encode alone, so the text needs no copy of the data. The end mark "~>" follows the last piece
// when ended. No line starts with "%", which a DSC reader could take for a comment.
void PutASCII85(std::span<const uint8_t> data, bool ended, std::vector<uint8_t>& encoded, LineBuffer& lines) {
  constexpr size_t Piece = size_t{1} << 16;
  for (size_t first = 0; first < data.size(); first += Piece) {
    const bool last = data.size() - first <= Piece;
    ASCII85().Encode(data.subspan(first, std::min(Piece, data.size() - first)), encoded);
    if (!last || !ended) encoded.resize(encoded.size() - 2);
    const std::string_view text(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    for (size_t start = 0; start < text.size();) {
      size_t end = std::min(text.size(), start + EncodedLine);
      while (end < text.size() && text[end] == '%') ++end;
      lines.Put(text.substr(start, end - start)).EndLine();
      start = end;
    }
  }
}

// A piece of the program as one ASCII85 string. A piece of an odd length gets a zero byte to make it
// even, as every string of a Type 42 font must be.
void PutProgramString(std::span<const uint8_t> piece, std::vector<uint8_t>& encoded, std::vector<uint8_t>& padded,
                      LineBuffer& lines) {
  if (piece.size() % 2 != 0) {
    padded.assign(piece.begin(), piece.end());
    padded.push_back(0);
    piece = padded;
  }
  lines.Put("<~");
  PutASCII85(piece, true, encoded, lines);
}

// A CFF program as a font set read by StartData, which reads the program's bytes from the file it is
// called from: here a file of ASCII85 text decoded as it is executed. The font it defines under its
// own name becomes F, and leaves the font directory, where it could replace a resident font of that name.
void PutCffFontSet(const PsEmbeddedFont& font, const std::string& programName, LineBuffer& lines) {
  lines.AddLine("/FontSetInit /ProcSet findresource begin");
  lines.AddLine("currentfile /ASCII85Decode filter cvx exec");
  std::string call = "/";
  call.append(font.name).append(".cff ").append(std::to_string(font.program.size())).append(" StartData ");
  // Blanks first make the text before the program whole groups of four, encoded apart from it.
  std::string start((4 - call.size() % 4) % 4, ' ');
  start.append(call);
  std::vector<uint8_t> encoded;
  PutASCII85({reinterpret_cast<const uint8_t*>(start.data()), start.size()}, false, encoded, lines);
  PutASCII85(font.program, true, encoded, lines);
  lines.Put("/F /").Put(programName).Put(" findfont def").EndLine();
  lines.Put('/').Put(programName).Put(" undefinefont").EndLine();
}

// The program cut into strings: at the last table or glyph start that keeps a string within its
// longest; a table longer than that (never a glyph) is cut at an even place inside it.
void PutProgramStrings(std::span<const uint8_t> program, const std::vector<uint32_t>& cuts, LineBuffer& lines) {
  std::vector<uint8_t> encoded, padded;
  const size_t size = program.size();
  for (size_t start = 0; start < size;) {
    size_t end = size;
    if (size - start > LongestString) {
      const size_t limit = start + LongestString;
      const auto after = std::upper_bound(cuts.begin(), cuts.end(), limit);
      end = after != cuts.begin() && *(after - 1) > start ? *(after - 1) : limit;
    }
    PutProgramString(program.subspan(start, end - start), encoded, padded, lines);
    start = end;
  }
}

// The procedure B makes a base font from its name and an array of code, glyph name, glyph and text
// quadruples: its Encoding names the codes' glyphs, its CharStrings draw them (the glyph's number in
// the program S of a Type 42 font; for a CFF font, the outline of the glyph's name in the CFF font F),
// and its GlyphNames2Unicode gives the text of each name (UTF-16BE), which Ghostscript's text extraction
// and its conversion to PDF read where the name alone does not say it (ligatures, characters beyond the
// Basic Multilingual Plane).
void PutBaseFontProcedure(const PsFontMetrics& metrics, bool cff, LineBuffer& lines) {
  lines.AddLine("/B {");
  lines.AddLine("/T exch def");
  lines.Put("/C T length 4 idiv 1 add dict def C /.notdef ").Put(cff ? "F /CharStrings get /.notdef get" : "0");
  lines.Put(" put").EndLine();
  lines.AddLine("/U T length 4 idiv dict def");
  lines.AddLine("/E 256 array def 0 1 255 { E exch /.notdef put } for");
  lines.AddLine("0 4 T length 1 sub { /I exch def /N T I 1 add get def /G T I 2 add get def E T I get N put");
  if (cff) {
    lines.AddLine("F /CharStrings get G known { C N F /CharStrings get G get put } if");
  } else {
    lines.AddLine("C N G put");
  }
  lines.AddLine("T I 3 add get length 0 gt { U N T I 3 add get put } if } for");
  if (cff) {
    // A copy of F with its own encoding, outlines and names.
    lines.AddLine("F dup length 4 add dict copy begin currentdict /FID undef /FontName exch def");
  } else {
    lines.AddLine("13 dict begin");
    lines.AddLine("/FontName exch def /FontType 42 def /PaintType 0 def /FontMatrix [1 0 0 1 0 0] def");
    lines.Put("/FontBBox [");
    PutUnits(lines, metrics.xMin, metrics.unitsPerEm).Put(' ');
    PutUnits(lines, metrics.yMin, metrics.unitsPerEm).Put(' ');
    PutUnits(lines, metrics.xMax, metrics.unitsPerEm).Put(' ');
    PutUnits(lines, metrics.yMax, metrics.unitsPerEm).Put("] def /sfnts S def").EndLine();
  }
  lines.AddLine("/Encoding E def /CharStrings C def /FontInfo 1 dict dup /GlyphNames2Unicode U put def");
  lines.AddLine("FontName currentdict end definefont");
  lines.AddLine("} bind def");
}

// The composite font: one base font for each first byte of the codes, and the map from first bytes to
// base fonts (first bytes without glyphs choose the first base font, whose code 0 draws .notdef).
void PutCompositeFont(const PsEmbeddedFont& font, bool cff, LineBuffer& lines) {
  std::vector<uint32_t> baseOfFirstByte;
  for (const PsFontGlyph& entry : font.glyphs) {
    const uint32_t first = entry.code >> 8;
    if (first >= baseOfFirstByte.size()) baseOfFirstByte.resize(first + 1, UINT32_MAX);
    baseOfFirstByte[first] = 0;
  }
  if (baseOfFirstByte.empty()) baseOfFirstByte.push_back(0);
  lines.Put('/').Put(font.name).Put(" << /FontType 0 /FMapType 2 /FontMatrix [1 0 0 1 0 0] /FontName /");
  lines.Put(font.name).Put(" /WMode 0").EndLine();
  lines.AddLine("/FDepVector [");
  uint32_t bases = 0;
  size_t index = 0;
  for (uint32_t first = 0; first < baseOfFirstByte.size(); ++first) {
    if (baseOfFirstByte[first] == UINT32_MAX) {
      baseOfFirstByte[first] = 0;
      continue;
    }
    baseOfFirstByte[first] = bases++;
    // Quadruples follow on lines of at most about EncodedLine characters, whatever the names' lengths.
    int64_t lineStart = lines.Offset();
    PutBaseFontName(font.name, first, lines).Put(" [");
    const auto room = [&](size_t size) {
      if (lines.Offset() - lineStart + static_cast<int64_t>(size) > static_cast<int64_t>(EncodedLine)) {
        lines.EndLine();
        lineStart = lines.Offset();
      }
    };
    for (; index < font.glyphs.size() && font.glyphs[index].code >> 8 == first; ++index) {
      const PsFontGlyph& entry = font.glyphs[index];
      const std::string text = GlyphNameUtf16Hex(entry.name);
      room(5 + entry.name.size());
      lines.Put(int64_t{entry.code & 0xFF}).Put(" /").Put(entry.name).Put(' ');
      if (cff) {
        room(2 + entry.programName.size());
        lines.Put('/').Put(entry.programName).Put(' ');
      } else {
        lines.Put(int64_t{entry.glyph}).Put(' ');
      }
      room(3 + text.size());
      lines.Put('<').Put(text).Put("> ");
    }
    lines.Put("] B").EndLine();
  }
  lines.AddLine("]");
  lines.Put("/Encoding [");
  for (size_t first = 0; first < baseOfFirstByte.size(); ++first) {
    if (first % 32 == 31) lines.EndLine();
    lines.Put(int64_t{baseOfFirstByte[first]}).Put(' ');
  }
  lines.Put("]").EndLine();
  lines.AddLine(">> definefont pop");
}

}  // namespace

bool ReadCffProgram(std::span<const uint8_t> program, CffProgram& read, std::string& reason) {
  if (!read.Read(program, reason)) return false;
  if (IsPostScriptName(read.FontName(), 127)) return true;
  reason = "the CFF font program's name is not a usable PostScript name";
  return false;
}

int PsFontLanguageLevel(std::span<const uint8_t> program) { return IsCffProgram(program) ? 3 : 2; }

void PutPsGlyphRun(std::string_view fontName, std::string_view codes, int64_t size, LineBuffer& lines) {
  constexpr std::string_view hexDigits = "0123456789ABCDEF";
  for (size_t start = 0; start + 1 < codes.size();) {
    const auto first = static_cast<uint8_t>(codes[start]);
    PutBaseFontName(fontName, first, lines).Put(" findfont ").Put(size).Put(" scalefont setfont <");
    for (; start + 1 < codes.size() && static_cast<uint8_t>(codes[start]) == first; start += 2) {
      const auto low = static_cast<uint8_t>(codes[start + 1]);
      lines.Put(hexDigits[low >> 4]).Put(hexDigits[low & 0xF]);
    }
    lines.Put("> show").EndLine();
  }
}

bool WritePsFontResource(const PsEmbeddedFont& font, LineBuffer& lines, std::string& reason) {
  if (!IsPostScriptName(font.name, LongestFontName)) {
    reason = "the font name \"" + std::string(font.name) + "\" is not a usable PostScript name";
    return false;
  }
  if (font.metrics.unitsPerEm < 16 || font.metrics.unitsPerEm > 16384) {
    reason = "the font's units per em are out of range";
    return false;
  }
  const bool cff = IsCffProgram(font.program);
  SfntTables tables;
  CffProgram compact;
  if (cff ? !ReadCffProgram(font.program, compact, reason) : !tables.Read(font.program, reason)) return false;
  if (!CheckGlyphs(font, cff ? compact.GlyphCount() : tables.GlyphCount(), cff, reason)) return false;

  lines.Put("%%BeginResource: font ").Put(font.name).EndLine();
  // The resource's own definitions live in a dictionary of their own, left at its end.
  lines.AddLine("10 dict begin");
  if (cff) {
    PutCffFontSet(font, compact.FontName(), lines);
  } else {
    lines.AddLine("/S [");
    PutProgramStrings(font.program, tables.Boundaries(), lines);
    lines.AddLine("] def");
  }
  PutBaseFontProcedure(font.metrics, cff, lines);
  PutCompositeFont(font, cff, lines);
  lines.AddLine("end");
  lines.AddLine("%%EndResource");
  return true;
}

}  // namespace paginor
