#include "typeset/shaped_words.h"

#include <algorithm>
#include <cstring>

namespace paginor::typeset {
namespace {

constexpr size_t SlotCount = ShapedWords::MaximumWords * 2;
static_assert((SlotCount & (SlotCount - 1)) == 0, "the slot index is a mask of the hash");

}  // namespace

uint32_t ShapedWords::Hash(const OpenTypeFace* face, std::string_view word) {
  // FNV-1a over the face's address and the word's bytes, folded to 32 bits.
  uint64_t hash = 14695981039346656037ULL ^ reinterpret_cast<uintptr_t>(face);
  for (const char c : word) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ULL;
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

std::optional<std::span<const ShapedGlyph>> ShapedWords::Find(const OpenTypeFace* face, std::string_view word) const {
  if (word.size() > LongestWord || Words == 0) return std::nullopt;
  const uint32_t hash = Hash(face, word);
  for (size_t index = hash & (SlotCount - 1);; index = (index + 1) & (SlotCount - 1)) {
    const Slot& slot = Slots[index];
    if (slot.Face == nullptr) return std::nullopt;
    if (slot.Hash == hash && slot.Face == face && slot.TextLength == word.size() &&
        std::memcmp(Texts.data() + slot.TextOffset, word.data(), word.size()) == 0) {
      return std::span<const ShapedGlyph>(Glyphs.data() + slot.GlyphOffset, slot.GlyphCount);
    }
  }
}

std::span<const ShapedGlyph> ShapedWords::Add(const OpenTypeFace* face, std::string_view word,
                                              std::span<const ShapedGlyph> glyphs) {
  if (word.size() > LongestWord || glyphs.size() > LongestWord * 4) return glyphs;
  if (Words >= MaximumWords || Glyphs.size() + glyphs.size() > MaximumGlyphs) Clear();
  if (Slots.empty()) Slots.resize(SlotCount);  // on first use: most documents draw no such text
  const uint32_t hash = Hash(face, word);
  size_t index = hash & (SlotCount - 1);
  while (Slots[index].Face != nullptr) index = (index + 1) & (SlotCount - 1);
  Slots[index] = Slot{face,
                      hash,
                      static_cast<uint32_t>(Texts.size()),
                      static_cast<uint32_t>(Glyphs.size()),
                      static_cast<uint16_t>(word.size()),
                      static_cast<uint16_t>(glyphs.size())};
  Texts.append(word);
  Glyphs.insert(Glyphs.end(), glyphs.begin(), glyphs.end());
  ++Words;
  return {Glyphs.data() + Slots[index].GlyphOffset, glyphs.size()};
}

void ShapedWords::Clear() {
  std::fill(Slots.begin(), Slots.end(), Slot{});
  Texts.clear();
  Glyphs.clear();
  Words = 0;
}

}  // namespace paginor::typeset
