#pragma once

// One embedded face as a PostScript document resource. Its glyphs have two-byte codes; the codes with
// the same first byte k make the base font NAME.k, of up to 256 glyphs, and all base fonts share the
// font program, written once: TrueType outlines as the ASCII85 strings of Type 42 fonts, cut at table
// and glyph boundaries; CFF outlines as a font set (language level 3) from which each base font takes
// the outlines of its glyphs by their names in the program. The glyph names, and a map from them to
// their text, say which text each glyph stands for. The composite font NAME (FontType 0, FMapType 2)
// draws every code of the face from one string of two-byte codes; text is shown through the base fonts
// (PutPsGlyphRun), whose glyph names Ghostscript's text extraction reads, where through a composite
// font it reads only the codes. The resource needs the language level PsFontLanguageLevel says. Its
// bytes lie between "%%BeginResource: font NAME" and "%%EndResource"; the caller lists "font NAME" in
// "%%DocumentSuppliedResources".
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "output/line_buffer.h"

namespace paginor {

// A glyph of an embedded face as text runs draw it: its code (0 to 65535; in a run, high byte first),
// its glyph number in the font program, and its name (see PsGlyphNames). A CFF program draws its glyphs
// by the names its character set gives them: programName is that name (unused for TrueType).
struct PsFontGlyph {
  uint32_t code = 0;
  uint32_t glyph = 0;
  std::string name;
  std::string programName;
};

// The face's metrics, in its own units: the em and the bounding box of all its glyphs (a Type 42 font
// states them; a CFF program carries its own).
struct PsFontMetrics {
  int32_t unitsPerEm = 1000;
  int32_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

// What the resource is made of. The program is the font program as the subsetter left it; the glyphs
// come in ascending order of their codes, each code once.
struct PsEmbeddedFont {
  std::string_view name;  // the composite font's name and the resource's (PostScript name characters)
  std::span<const uint8_t> program;
  PsFontMetrics metrics;
  std::span<const PsFontGlyph> glyphs;
};

class CffProgram;

// Reads a CFF program as a resource embeds it (see CffProgram::Read), its font's name one that
// PostScript reads; false, with the reason, for one it cannot embed.
bool ReadCffProgram(std::span<const uint8_t> program, CffProgram& read, std::string& reason);

// The PostScript language level the resource of a program needs: 2 for TrueType, 3 for CFF.
int PsFontLanguageLevel(std::span<const uint8_t> program);

// Appends the resource for font to lines. The program and the glyphs are checked first: a program that
// is neither TrueType nor CFF of one name-keyed font, is truncated or damaged, a glyph number beyond the
// program's glyphs, codes out of order, or a name PostScript cannot read make it return false with the
// reason, appending nothing.
bool WritePsFontResource(const PsEmbeddedFont& font, LineBuffer& lines, std::string& reason);

// Appends what shows two-byte codes (high byte first; an odd last byte is ignored) of the face NAME
// from the current point at size points: each stretch of codes with the same first byte in its base
// font, selected and scaled, as a string of their second bytes.
void PutPsGlyphRun(std::string_view fontName, std::string_view codes, int64_t size, LineBuffer& lines);

}  // namespace paginor
