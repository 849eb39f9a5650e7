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

  // The first eight bytes of a word, little-endian, zero past its end: what a lookup compares first.
  static uint64_t Head(std::string_view word);
  // The same from a word followed by at least eight bytes that may be read, found with one load.
  static uint64_t HeadBeforePadding(std::string_view word);

  // The glyphs stored for `word` in `face`, or nothing; `head` is the word's Head.
  std::optional<std::span<const ShapedGlyph>> Find(const OpenTypeFace* face, std::string_view word,
                                                   uint64_t head) const;
  std::optional<std::span<const ShapedGlyph>> Find(const OpenTypeFace* face, std::string_view word) const {
    return Find(face, word, Head(word));
  }

  // Stores the glyphs of a word (emptying the cache first when it is full) and gives them back as stored;
  // a word too long to keep gets `glyphs` back as they are. The span lasts until the next Add.
  std::span<const ShapedGlyph> Add(const OpenTypeFace* face, std::string_view word,
                                   std::span<const ShapedGlyph> glyphs);

  size_t Count() const { return Words; }

 private:
  struct Slot {
    const OpenTypeFace* Face = nullptr;  // none: the slot is free
    uint64_t Head = 0;
    uint32_t TextOffset = 0;  // of the bytes past the head
    uint32_t GlyphOffset = 0;
    uint16_t TextLength = 0;
    uint16_t GlyphCount = 0;
  };

  static uint32_t Hash(const OpenTypeFace* face, std::string_view word, uint64_t head);
  void Clear();

  std::vector<Slot> Slots;  // none, or twice MaximumWords (a power of two, so that probes stay short)
  std::string Texts;  // the bytes of the words past their heads
  std::vector<ShapedGlyph> Glyphs;
  size_t Words = 0;
};

}  // namespace paginor::typeset
