#pragma once

// Shaped words by face and text, for lines shaped word by word: a word found again costs a hash of its
// bytes and one comparison, without allocating. The words' texts and glyphs live in two pools indexed
// by a table of open addressing; when a bound is reached the whole cache is emptied, so that its memory
// stays bounded whatever the document.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "typeset/shaped_glyph.h"

namespace paginor::typeset {

// A glyph of a stored word, in the word's face: what ShapedGlyph says but the face and the code, in
// 16 bytes rather than 40, so that many words fit in little memory.
struct StoredGlyph {
  uint16_t Glyph = 0;
  uint8_t TextBegin = 0;  // within the word
  uint8_t TextEnd = 0;
  int32_t Advance = 0;
  int32_t XOffset = 0;
  int32_t YOffset = 0;
};

class ShapedWords {
 public:
  // Words longer than this are not kept (long runs without a blank rarely recur).
  static constexpr size_t LongestWord = 64;
  static constexpr size_t MaximumWords = 32768;
  static constexpr size_t MaximumGlyphs = 262144;  // 4 MiB of glyphs

  // The first eight bytes of a word, little-endian, zero past its end: what a lookup compares first.
  static uint64_t Head(std::string_view word);
  // The same from a word followed by at least eight bytes that may be read, found with one load.
  static uint64_t HeadBeforePadding(std::string_view word);

  // The glyphs stored for `word` in `face`, or nothing; `head` is the word's Head.
  std::optional<std::span<const StoredGlyph>> Find(const OpenTypeFace* face, std::string_view word,
                                                   uint64_t head) const;
  std::optional<std::span<const StoredGlyph>> Find(const OpenTypeFace* face, std::string_view word) const {
    return Find(face, word, Head(word));
  }

  // Stores the glyphs of a word shaped alone in `face` (emptying the cache first when it is full). A
  // word too long, or with glyphs that a StoredGlyph cannot hold, is not kept.
  void Add(const OpenTypeFace* face, std::string_view word, std::span<const ShapedGlyph> glyphs);

  size_t Count() const { return Words; }

 private:
  struct Slot {
    const OpenTypeFace* Face = nullptr;
    uint64_t Head = 0;
    uint32_t TextOffset = 0;  // of the bytes past the head
    uint32_t GlyphOffset = 0;
    uint16_t TextLength = 0;
    uint16_t GlyphCount = 0;
  };

  static uint32_t Hash(const OpenTypeFace* face, std::string_view word, uint64_t head);
  // A slot's tag: Free, or the top bits of its word's hash with the high bit set.
  static constexpr uint8_t Free = 0;
  static uint8_t TagOf(uint32_t hash) { return static_cast<uint8_t>(0x80 | (hash >> 25)); }
  void Clear();

  // The words found lately, by the low bits of their hash: the words that recur on every line stay
  // here, in a few kilobytes that stay in the processor's nearest cache, where the large table does not.
  mutable std::array<Slot, 256> Recent{};
  std::vector<Slot> Slots;  // none, or twice MaximumWords (a power of two, so that probes stay short)
  // The tag of each slot, a byte for 32, so that a word not stored (a new number) is told from the
  // tags alone, which stay in the processor's cache, without reading a slot from memory.
  std::vector<uint8_t> Tags;
  std::string Texts;  // the bytes of the words past their heads
  std::vector<StoredGlyph> Glyphs;
  size_t Words = 0;
};

}  // namespace paginor::typeset
