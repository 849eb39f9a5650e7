#pragma once

// A glyph of a shaped line and a face chosen for text: the values the layout hands the formats for text
// in OpenType and TrueType fonts, kept apart from the shaping machinery.
#include <cstdint>

#include "paginor/enumerations.h"

namespace paginor::typeset {

class OpenTypeFace;

// One glyph of a shaped line. Advance and offsets are in the units of its face.
struct ShapedGlyph {
  const OpenTypeFace* Face = nullptr;
  uint32_t Glyph = 0;
  int32_t Advance = 0;
  int32_t XOffset = 0;
  int32_t YOffset = 0;
  // The bytes of the shaped text this glyph stands for: a ligature's several characters, a character
  // of a cluster of several glyphs, or an empty range for a glyph that only completes its cluster (see
  // Shaper::Shape).
  uint32_t TextBegin = 0;
  uint32_t TextEnd = 0;
  // The code it is drawn with, given when it is recorded as drawn (see GlyphUsage): its glyph number,
  // or another code where the glyph stood for another text before.
  uint32_t Code = 0;
};

// A face chosen for a family and style, with what drawing adds where the family has no face of that
// style: a synthetic slant, a synthetic emboldening.
struct ChosenFace {
  const OpenTypeFace* Face = nullptr;
  FontStyleConstants Style = FontStyleConstants::Regular;
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
};

}  // namespace paginor::typeset
