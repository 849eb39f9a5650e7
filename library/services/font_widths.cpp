#include "services/font_widths.h"

#include <cstddef>

namespace paginor {
namespace {

constexpr WidthTable MakeCourierTable() {
  WidthTable table{};
  table.fill(600);
  return table;
}

constexpr WidthTable CourierWidths = MakeCourierTable();

}  // namespace

const WidthTable* SelectWidthTable(int32_t fontnumber, int32_t fontstyle) {
  const bool knownStyle = fontstyle >= 1 && fontstyle <= 4;
  switch (fontnumber) {
    case 1:  // Courier: every style is 600 wide everywhere
      return &CourierWidths;
    case 2:  // Helvetica: Regular, Bold, Oblique, BoldOblique
      return knownStyle ? &FontWidthTables[static_cast<size_t>(fontstyle - 1)] : nullptr;
    case 3:  // Times: Roman, Bold, Italic, BoldItalic
      return knownStyle ? &FontWidthTables[static_cast<size_t>(fontstyle + 3)] : nullptr;
    case 4:  // Symbol
      return &FontWidthTables[8];
    case 5:  // ZapfDingbats
      return &FontWidthTables[9];
    default:
      return nullptr;
  }
}

}  // namespace paginor
