#pragma once

// The OpenType and TrueType fonts of one document: the faces chosen by family and style, the shaping of
// texts in them (measuring and drawing shape alike, so they agree), and the glyphs drawn in each face,
// which become the subsets embedded when the document ends.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "typeset/font_subset.h"
#include "typeset/shaping.h"

namespace paginor::typeset {

class DocumentFonts {
 public:
  // The face of a family name or font file path in a style; nothing when it is not found or is not a
  // usable face.
  std::optional<ChosenFace> Choose(const std::string& family, FontStyleConstants style);

  // Shapes one line of text in a chosen face (fallback faces for the characters it lacks). The glyphs
  // stay valid until the next call; the same text in the same face again (measured, then drawn) is not
  // shaped twice.
  const std::vector<ShapedGlyph>& Shape(std::string_view text, const ChosenFace& chosen);

  // The width of a line in points at a size: the width its drawing advances.
  double Width(std::string_view text, const ChosenFace& chosen, double size);

  // Records glyphs drawn from `text` (as shaped from it), for the subsets and their Unicode maps, and
  // gives each the code it is drawn with.
  void RecordDrawn(std::string_view text, std::span<ShapedGlyph> glyphs);

  // The faces drawn so far, in the order of their first glyph, with the glyphs drawn in each.
  const std::vector<const OpenTypeFace*>& DrawnFaces() const { return Drawn; }
  // The glyphs drawn in a face (none for a face not drawn).
  const GlyphUsage& Usage(const OpenTypeFace& face) const;
  // Forgets the glyphs drawn, for a new document; the faces stay open.
  void ForgetDrawn();

 private:
  FaceSet Faces;
  Shaper TextShaper;
  std::vector<ShapedGlyph> Glyphs;
  std::string ShapedText;  // what Glyphs were shaped from
  ChosenFace ShapedFace;
  std::vector<const OpenTypeFace*> Drawn;
  std::map<const OpenTypeFace*, GlyphUsage> Used;
};

}  // namespace paginor::typeset
