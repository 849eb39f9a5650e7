#pragma once

// The glyphs a document draws in one face, with the text each stands for, and the font program cut
// down to them.
#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "typeset/font_face.h"

namespace paginor::typeset {

// Glyphs used in one face, recorded as text is drawn, by the code each is drawn with. A glyph's code
// is its glyph number, with the text it stood for the first time (a ligature's several characters, an
// empty text for a glyph that only completes a cluster). Where the same glyph stands for another text
// later (a letter alone, then as part of a cluster), it gets a code of its own beyond the face's glyph
// numbers, so that each code reads back as the text it was drawn for, when the face allows such codes
// (spare codes from firstSpare on; 0 for none, and then the first text stays).
class GlyphUsage {
 public:
  struct Coded {
    uint32_t Glyph = 0;
    std::string Text;
  };

  GlyphUsage() = default;
  GlyphUsage(GlyphUsage&&) = default;  // the texts stay where they are
  GlyphUsage(const GlyphUsage&) = delete;
  GlyphUsage& operator=(const GlyphUsage&) = delete;

  // The code to draw a glyph with for a text.
  uint32_t Record(uint32_t glyph, std::string_view text, uint32_t firstSpare) {
    // Most glyphs drawn were drawn before with the same text: an ASCII character's glyph by the
    // character, others by glyph number, without a search.
    if (text.size() == 1 && static_cast<uint8_t>(text[0]) < AsciiGlyphs.size() &&
        AsciiGlyphs[static_cast<uint8_t>(text[0])] == glyph + 1) {
      return glyph;
    }
    const std::string* first = glyph < FirstTexts.size() ? FirstTexts[glyph] : nullptr;
    if (first != nullptr && (firstSpare == 0 || SameText(*first, text))) return glyph;
    return RecordNew(glyph, text, firstSpare);
  }
  // The glyphs by code.
  const std::map<uint32_t, Coded>& Codes() const { return Used; }
  bool Empty() const { return Used.empty(); }
  // True when some code is not its glyph's number.
  bool HasSpareCodes() const { return !Spare.empty(); }

 private:
  // Texts are mostly one or two characters, too short for a call to compare them.
  static bool SameText(const std::string& first, std::string_view text) {
    if (first.size() != text.size()) return false;
    for (size_t n = 0; n < text.size(); ++n) {
      if (first[n] != text[n]) return false;
    }
    return true;
  }
  // Record for a glyph not yet drawn, or drawn for another text.
  uint32_t RecordNew(uint32_t glyph, std::string_view text, uint32_t firstSpare);

  std::map<uint32_t, Coded> Used;
  std::vector<const std::string*> FirstTexts;  // by glyph number: the text of its own code, if drawn
  std::array<uint32_t, 128> AsciiGlyphs{};      // by ASCII character: the glyph plus one whose own text it is
  std::map<std::pair<uint32_t, std::string>, uint32_t, std::less<>> Spare;
  uint32_t NextSpare = 0;
};

// Six capital letters derived from the glyph set, which name a subset apart from other subsets of the
// same font (the prefix of its name, followed by '+').
std::string SubsetTag(const GlyphUsage& usage);

// The font program of `face` cut down to the used glyphs (and the missing-glyph box), glyph numbers
// kept as they are so that codes already written stay valid: a whole TrueType font for TrueType
// outlines, the bare CFF data for CFF outlines. Empty when the subsetter refuses the face.
std::vector<uint8_t> SubsetFontProgram(const OpenTypeFace& face, const GlyphUsage& usage);

// The font program of `face` cut down to some glyphs and renumbered densely (the missing-glyph box 0
// first, the others in the face's order), for formats that draw codes of their own: a whole TrueType
// font, or the bare CFF data. NewGlyph gives each glyph asked for its number in the program and, for CFF
// outlines, ProgramNames the name the program's character set gives it. An empty program when the
// subsetter refuses the face.
struct RenumberedSubset {
  std::vector<uint8_t> Program;
  std::vector<uint32_t> NewGlyph;
  std::vector<std::string> ProgramNames;
};
RenumberedSubset SubsetRenumbered(const OpenTypeFace& face, std::span<const uint32_t> glyphs);

}  // namespace paginor::typeset
