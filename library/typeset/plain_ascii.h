#pragma once

// The printable ASCII characters whose glyphs shaping leaves as they are in a face: a word made of them,
// with no kerned pair side by side, comes out of shaping as each character's glyph with the face's own
// advance, no offsets, one glyph per character. Found once per face from its layout tables: a character
// is plain when no substitution of the features shaping applies to Latin text may start at its glyph,
// no positioning may either unless it is a pair adjustment (whose pairs are read one by one), its glyph
// is a base glyph (or has no class, and then the word's other glyphs neither), and the face has no table of the older kinds that shaping would apply besides.
#include <hb.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace paginor::typeset {

class PlainAscii {
 public:
  // Analyses a face shaped with `font` (scaled to its units per em); nothing is plain in a face whose
  // tables cannot all be read.
  explicit PlainAscii(hb_font_t* font);

  // True when `word` (printable ASCII) is shaped as its characters' glyphs and advances.
  bool Holds(std::string_view word) const {
    uint8_t previous = 0;
    bool based = false, unclassified = false;  // a lookup may pass over the one kind and not the other
    for (const char c : word) {
      const auto code = static_cast<uint8_t>(c);
      if (!IsSet(Plain, code) || IsSet(Kerned[previous], code)) return false;
      (IsSet(Unclassified, code) ? unclassified : based) = true;
      previous = code;
    }
    return !(based && unclassified);
  }
  uint32_t Glyph(char c) const { return Glyphs[static_cast<uint8_t>(c) & 0x7F]; }
  int32_t Advance(char c) const { return Advances[static_cast<uint8_t>(c) & 0x7F]; }

 private:
  using Bits = std::array<uint64_t, 2>;  // one bit per ASCII code
  static bool IsSet(const Bits& bits, uint8_t code) { return code < 128 && ((bits[code >> 6] >> (code & 63)) & 1) != 0; }
  static void Set(Bits& bits, uint8_t code) { bits[code >> 6] |= uint64_t{1} << (code & 63); }
  static void Unset(Bits& bits, uint8_t code) { bits[code >> 6] &= ~(uint64_t{1} << (code & 63)); }
  bool Analyse(hb_font_t* font);

  Bits Plain{};
  Bits Unclassified{};  // plain glyphs that the face's glyph classes leave without a class
  std::array<Bits, 128> Kerned{};  // by the code before: the codes a pair adjustment may move after it
  std::array<uint32_t, 128> Glyphs{};
  std::array<int32_t, 128> Advances{};
};

}  // namespace paginor::typeset
