#include "typeset/document_fonts.h"

namespace paginor::typeset {

std::optional<ChosenFace> DocumentFonts::Choose(const std::string& family, FontStyleConstants style) {
  const auto location = LocateFace(family, style);
  const OpenTypeFace* face = location ? Faces.Open(*location) : nullptr;
  if (face == nullptr) return std::nullopt;
  const bool bold = style == FontStyleConstants::Bold || style == FontStyleConstants::BoldItalic;
  const bool italic = style == FontStyleConstants::Italic || style == FontStyleConstants::BoldItalic;
  return ChosenFace{face, style, bold && !face->Metrics().Bold, italic && !face->Metrics().Italic};
}

const std::vector<ShapedGlyph>& DocumentFonts::Shape(std::string_view text, const ChosenFace& chosen) {
  if (ShapedFace.Face == chosen.Face && ShapedFace.Style == chosen.Style && ShapedText == text) return Glyphs;
  ShapedFace = ChosenFace{};  // no cache while shaping, should it fail part way
  TextShaper.Shape(text, *chosen.Face, chosen.Style, Faces, Glyphs);
  ShapedText = text;
  ShapedFace = chosen;
  return Glyphs;
}

double DocumentFonts::Width(std::string_view text, const ChosenFace& chosen, double size) {
  return ShapedWidth(Shape(text, chosen), size);
}

void DocumentFonts::RecordDrawn(std::string_view text, std::span<ShapedGlyph> glyphs) {
  for (ShapedGlyph& glyph : glyphs) {
    auto [usage, added] = Used.try_emplace(glyph.Face);
    if (added) Drawn.push_back(glyph.Face);
    // Codes of their own for a glyph's other texts exist in TrueType faces (a map from codes to
    // glyphs); in CFF faces the code is the glyph number.
    const uint32_t firstSpare =
        glyph.Face->Outlines() == OutlineFormat::TrueType ? glyph.Face->GlyphCount() : 0;
    glyph.Code = usage->second.Record(glyph.Glyph, text.substr(glyph.TextBegin, glyph.TextEnd - glyph.TextBegin),
                                      firstSpare);
  }
}

const GlyphUsage& DocumentFonts::Usage(const OpenTypeFace& face) const {
  static const GlyphUsage none;
  const auto found = Used.find(&face);
  return found == Used.end() ? none : found->second;
}

void DocumentFonts::ForgetDrawn() {
  Drawn.clear();
  Used.clear();
}

}  // namespace paginor::typeset
