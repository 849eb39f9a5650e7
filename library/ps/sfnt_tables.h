#pragma once

// The table directory of a TrueType font program, read with every offset and length checked against
// the program's bytes, and the places where the program may be cut into the strings of a Type 42
// font: the start of a table, or the start of a glyph inside the glyph table.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace paginor {

class SfntTables {
 public:
  // Reads the directory and the tables the cutting and the glyph numbers depend on (head, maxp, loca,
  // glyf). False, with the reason, for a program that is truncated, damaged or not TrueType.
  bool Read(std::span<const uint8_t> program, std::string& reason);

  // The number of glyphs in the program (maxp).
  uint32_t GlyphCount() const { return Glyphs; }
  // The even offsets, in ascending order without repeats, at which a string of the program may start:
  // every table's start and every glyph's start in the glyph table (0, the directory, comes first).
  const std::vector<uint32_t>& Boundaries() const { return Cuts; }

 private:
  uint32_t Glyphs = 0;
  std::vector<uint32_t> Cuts;
};

// True when the program is a TrueType font (sfnt version 1.0 or "true"), as opposed to CFF data.
bool IsTrueTypeProgram(std::span<const uint8_t> program);

}  // namespace paginor
