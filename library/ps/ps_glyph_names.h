#pragma once

// Glyph names that say which text a glyph stands for, so that a reader extracting text from the
// PostScript file, or from a PDF converted from it, gets the text back: "uniXXXX" for a character of
// the Basic Multilingual Plane, "uXXXXX" for one beyond it, the names of a ligature's characters joined
// by "_", and ".1", ".2" ... after a name already given to another glyph of the same font.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace paginor {

class PsGlyphNames {
 public:
  // The name of a glyph drawn for text (the UTF-8 text of its cluster), unique among the names this
  // object gave. A glyph that stands for no text (it only completes its cluster) is named after its
  // glyph number ("g" and the number). A name stays within PostScript's 127 characters: the characters
  // of a long cluster that do not fit are left out of it.
  std::string NameFor(std::string_view text, uint32_t glyph);

 private:
  std::unordered_map<std::string, uint32_t> Given;  // each name given, with how often it was asked
};

// The text a glyph name stands for, as the hexadecimal digits of its UTF-16BE code units: the reverse
// of PsGlyphNames for its names, and any name made the same way ("uni" with one or more groups of four
// digits, "u" with four to six). What follows the first period is not part of the text; parts that are
// not such names, and names like "g12", stand for no text (empty).
std::string GlyphNameUtf16Hex(std::string_view name);

}  // namespace paginor
