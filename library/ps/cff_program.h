#pragma once

// The structure of a bare CFF font program (the data of an OpenType font's CFF table), read with every
// offset checked against its bytes: its font's name, its number of glyphs, and whether it is keyed by
// glyph names or by CIDs.
#include <cstdint>
#include <span>
#include <string>

namespace paginor {

class CffProgram {
 public:
  // Reads the header, the name, top dictionary, string and global subroutine indexes, and the glyph
  // index the top dictionary points to. False, with the reason, for data that is truncated or damaged,
  // holds more than one font, or is CID-keyed.
  bool Read(std::span<const uint8_t> program, std::string& reason);

  const std::string& FontName() const { return Name; }
  uint32_t GlyphCount() const { return Glyphs; }

 private:
  std::string Name;
  uint32_t Glyphs = 0;
};

// True when the program starts like CFF data of major version 1.
bool IsCffProgram(std::span<const uint8_t> program);

}  // namespace paginor
