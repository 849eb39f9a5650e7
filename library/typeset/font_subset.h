#pragma once

// The glyphs a document draws in one face, with the text each stands for, and the font program cut
// down to them.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "typeset/font_face.h"

namespace paginor::typeset {

// Glyphs used in one face, recorded as text is drawn. Each glyph keeps the first text it stood for
// (a ligature's several characters, an empty text for a glyph that only completes a cluster).
class GlyphUsage {
 public:
  void Record(uint32_t glyph, std::string_view text);
  const std::map<uint32_t, std::string>& Glyphs() const { return Used; }
  bool Empty() const { return Used.empty(); }

 private:
  std::map<uint32_t, std::string> Used;
};

// Six capital letters derived from the glyph set, which name a subset apart from other subsets of the
// same font (the prefix of its name, followed by '+').
std::string SubsetTag(const GlyphUsage& usage);

// The font program of `face` cut down to the used glyphs (and the missing-glyph box), glyph numbers
// kept as they are so that codes already written stay valid: a whole TrueType font for TrueType
// outlines, the bare CFF data for CFF outlines. Empty when the subsetter refuses the face.
std::vector<uint8_t> SubsetFontProgram(const OpenTypeFace& face, const GlyphUsage& usage);

}  // namespace paginor::typeset
