#pragma once

// Shaped words by face and text, for lines shaped word by word: a word found again costs a hash of its
// bytes and one comparison, without allocating. The words' texts and glyphs live in two pools indexed
// by a table of open addressing; when a bound is reached the whole cache is emptied, so that its memory
// stays bounded whatever the document.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "typeset/shaped_glyph.h"

namespace paginor::typeset {

class ShapedWords {
 public:
  // Words longer than this are not kept (long runs without a blank rarely recur).
  static constexpr size_t LongestWord = 64;
  static constexpr size_t MaximumWords = 8192;
  static constexpr size_t MaximumGlyphs = 65536;  // 2 MiB of glyphs

  // The glyphs stored for `word` in `face`, or nothing.
  std::optional<std::span<const ShapedGlyph>> Find(const OpenTypeFace* face, std::string_view word) const;

  // Stores the glyphs of a word (emptying the cache first when it is full) and gives them back as stored;
  // a word too long to keep gets `glyphs` back as they are. The span lasts until the next Add.
  std::span<const ShapedGlyph> Add(const OpenTypeFace* face, std::string_view word,
                                   std::span<const ShapedGlyph> glyphs);

  size_t Count() const { return Words; }

 private:
  struct Slot {
    const OpenTypeFace* Face = nullptr;  // none: the slot is free
    uint32_t Hash = 0;
    uint32_t TextOffset = 0;
    uint32_t GlyphOffset = 0;
    uint16_t TextLength = 0;
    uint16_t GlyphCount = 0;
  };

  static uint32_t Hash(const OpenTypeFace* face, std::string_view word);
  // Words are short: compared in place rather than by a call.
  static bool SameText(const char* stored, std::string_view word);
  void Clear();

  std::vector<Slot> Slots;  // none, or twice MaximumWords (a power of two, so that probes stay short)
  std::string Texts;
  std::vector<ShapedGlyph> Glyphs;
  size_t Words = 0;
};

}  // namespace paginor::typeset
