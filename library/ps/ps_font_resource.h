#pragma once

// One embedded TrueType face as a PostScript document resource. Its glyphs have two-byte codes; the
// codes with the same first byte k make the base font NAME.k, a Type 42 font of up to 256 glyphs, and
// all base fonts share the font program, written once as ASCII85 strings cut at table and glyph
// boundaries. The glyph names (and a map from them to their text) say which text each glyph stands for.
// The composite font NAME (FontType 0, FMapType 2) draws every code of the face from one string of
// two-byte codes; text is shown through the base fonts (PutPsGlyphRun), whose glyph names Ghostscript's
// text extraction reads, where through a composite font it reads only the codes. The resource needs
// language level 2. Its bytes lie between "%%BeginResource: font NAME" and "%%EndResource"; the caller
// lists "font NAME" in "%%DocumentSuppliedResources".
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "output/line_buffer.h"

namespace paginor {

// A glyph of an embedded face as text runs draw it: its code (0 to 65535; in a run, high byte first),
// its glyph number in the font program, and its name (see PsGlyphNames).
struct PsFontGlyph {
  uint32_t code = 0;
  uint32_t glyph = 0;
  std::string name;
};

// The face's metrics, in its own units: the em and the bounding box of all its glyphs.
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

// Appends the resource for font to lines. The program and the glyphs are checked first: a program that
// is not TrueType, is truncated or damaged, a glyph number beyond the program's glyphs, codes out of
// order, or a name PostScript cannot read make it return false with the reason, appending nothing.
bool WritePsFontResource(const PsEmbeddedFont& font, LineBuffer& lines, std::string& reason);

// Appends what shows two-byte codes (high byte first; an odd last byte is ignored) of the face NAME
// from the current point at size points: each stretch of codes with the same first byte in its base
// font, selected and scaled, as a string of their second bytes.
void PutPsGlyphRun(std::string_view fontName, std::string_view codes, int64_t size, LineBuffer& lines);

}  // namespace paginor
