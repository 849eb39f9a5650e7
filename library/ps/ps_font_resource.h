#pragma once

// One embedded TrueType face as a PostScript document resource: a composite font (FontType 0, FMapType
// 2) whose text codes are two bytes, the first choosing one of its base fonts, the second a glyph in
// it. Each base font is a Type 42 font over the same font program, which is written once, as ASCII85
// strings cut at table and glyph boundaries; the glyph names say which text each glyph stands for. The
// resource needs language level 2. Its bytes are written between "%%BeginResource: font NAME" and
// "%%EndResource"; the caller lists "font NAME" in "%%DocumentSuppliedResources".
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

}  // namespace paginor
