#include "services/font_widths.h"

#include <cstddef>

#include "paginor/enumerations.h"
#include "services/enumeration_codes.h"

namespace paginor {
namespace {

constexpr WidthTable MakeCourierTable() {
  WidthTable table{};
  table.fill(600);
  return table;
}

constexpr WidthTable CourierWidths = MakeCourierTable();

// Where each font's tables start in FontWidthTables.
constexpr size_t HelveticaTables = 0;
constexpr size_t TimesTables = 4;
constexpr size_t SymbolTable = 8;
constexpr size_t ZapfDingbatsTable = 9;

}  // namespace

const WidthTable* SelectWidthTable(int32_t fontnumber, int32_t fontstyle) {
  const bool knownStyle = IsCodeBetween(fontstyle, FontStyleConstants::Regular, FontStyleConstants::BoldItalic);
  // The tables of Helvetica and Times list the four styles in the order of their numbers.
  const auto styleIndex = static_cast<size_t>(fontstyle - Code(FontStyleConstants::Regular));
  switch (static_cast<FontNumberConstants>(fontnumber)) {
    case FontNumberConstants::Courier:  // every style is 600 wide everywhere
      return &CourierWidths;
    case FontNumberConstants::Helvetica:
      return knownStyle ? &FontWidthTables[HelveticaTables + styleIndex] : nullptr;
    case FontNumberConstants::Times:
      return knownStyle ? &FontWidthTables[TimesTables + styleIndex] : nullptr;
    case FontNumberConstants::Symbol:
      return &FontWidthTables[SymbolTable];
    case FontNumberConstants::ZapfDingbats:
      return &FontWidthTables[ZapfDingbatsTable];
  }
  return nullptr;
}

}  // namespace paginor
