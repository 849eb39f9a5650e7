#include "fonts/font_catalogue.h"

#include "typeset/document_fonts.h"

namespace paginor {
namespace {

constexpr WidthTable MakeCourierTable() {
  WidthTable table{};
  table.fill(600);
  return table;
}

// Courier is 600 wide for every code in every style.
constexpr WidthTable CourierWidths = MakeCourierTable();

// Where the styles of Helvetica and Times, and Symbol and ZapfDingbats, start in FontWidthTables.
constexpr size_t HelveticaTables = 0;
constexpr size_t TimesTables = 4;
constexpr size_t SymbolTable = 8;
constexpr size_t ZapfDingbatsTable = 9;

constexpr size_t StylesPerFamily = 4;

const FontFace UnsetFace{};

}  // namespace

FontCatalogue::FontCatalogue() : TypesetFonts(std::make_unique<typeset::DocumentFonts>()) {
  Faces.reserve(StandardCount);
  const char* const courier[] = {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"};
  const char* const helvetica[] = {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"};
  const char* const times[] = {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"};
  for (size_t style = 0; style < StylesPerFamily; ++style) {
    Faces.push_back({courier[style], &CourierWidths, true, 1, {}});
  }
  for (size_t style = 0; style < StylesPerFamily; ++style) {
    Faces.push_back({helvetica[style], &FontWidthTables[HelveticaTables + style], true, 1, {}});
  }
  for (size_t style = 0; style < StylesPerFamily; ++style) {
    Faces.push_back({times[style], &FontWidthTables[TimesTables + style], true, 1, {}});
  }
  Faces.push_back({"Symbol", &FontWidthTables[SymbolTable], false, 1, {}});
  Faces.push_back({"ZapfDingbats", &FontWidthTables[ZapfDingbatsTable], false, 1, {}});
}

FontHandle FontCatalogue::Standard(FontNumberConstants family, FontStyleConstants style) const {
  constexpr uint16_t SymbolFace = 3 * StylesPerFamily;
  uint16_t first = 0;
  switch (family) {
    case FontNumberConstants::Courier: first = 0; break;
    case FontNumberConstants::Helvetica: first = StylesPerFamily; break;
    case FontNumberConstants::Times: first = 2 * StylesPerFamily; break;
    case FontNumberConstants::Symbol: return {SymbolFace};
    case FontNumberConstants::ZapfDingbats: return {SymbolFace + 1};
    default: return Unset;
  }
  switch (style) {
    case FontStyleConstants::Regular: return {first};
    case FontStyleConstants::Bold: return {static_cast<uint16_t>(first + 1)};
    case FontStyleConstants::Italic: return {static_cast<uint16_t>(first + 2)};
    case FontStyleConstants::BoldItalic: return {static_cast<uint16_t>(first + 3)};
  }
  return Unset;
}

const FontFace& FontCatalogue::Face(FontHandle font) const {
  return font.index < Faces.size() ? Faces[font.index] : UnsetFace;
}

FontCatalogue::~FontCatalogue() = default;

FontHandle FontCatalogue::OpenType(const std::string& family, FontStyleConstants style) {
  const auto chosen = TypesetFonts->Choose(family, style);
  if (!chosen) return Unset;
  for (size_t index = StandardCount; index < Faces.size(); ++index) {
    const typeset::ChosenFace& entry = Faces[index].openType;
    if (entry.Face == chosen->Face && entry.Style == chosen->Style) return {static_cast<uint16_t>(index)};
  }
  if (Faces.size() >= Unset.index) return Unset;  // handles stop short of Unset
  Faces.push_back({chosen->Face->PostScriptName(), nullptr, false, 2, *chosen});
  return {static_cast<uint16_t>(Faces.size() - 1)};
}

}  // namespace paginor
