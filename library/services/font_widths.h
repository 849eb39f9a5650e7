#pragma once

#include <array>
#include <cstdint>

namespace paginor {

// Advance widths of the 256 single-byte codes of one font, in thousandths of the font size.
using WidthTable = std::array<int16_t, 256>;

// The ten width tables in their fixed order: Helvetica, Helvetica-Bold, Helvetica-Oblique,
// Helvetica-BoldOblique, Times-Roman, Times-Bold, Times-Italic, Times-BoldItalic, Symbol, ZapfDingbats.
extern const std::array<WidthTable, 10> FontWidthTables;

// The table a font number and style measure with: 600 for every code for Courier (any style); the
// style's table for Helvetica and Times; Symbol and ZapfDingbats whatever the style. nullptr when the
// number or style selects no font, so that every character counts 0.
const WidthTable* SelectWidthTable(int32_t fontnumber, int32_t fontstyle);

}  // namespace paginor
