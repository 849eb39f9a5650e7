#include "typeset/shaped_words.h"

#include <algorithm>
#include <cstring>

namespace paginor::typeset {
namespace {

constexpr size_t SlotCount = ShapedWords::MaximumWords * 2;
static_assert((SlotCount & (SlotCount - 1)) == 0, "the slot index is a mask of the hash");

}  // namespace

uint32_t ShapedWords::Hash(const OpenTypeFace* face, std::string_view word) {
  // The face's address and the word's bytes, eight at a time, each step a multiplication and a shift
  // that spreads every bit over the upper half, which is what is kept.
  constexpr uint64_t Multiplier = 0x9E3779B97F4A7C15ULL;
  uint64_t hash = (reinterpret_cast<uintptr_t>(face) ^ word.size()) * Multiplier;
  size_t at = 0;
  for (; at + 8 <= word.size(); at += 8) {
    uint64_t block = 0;
    std::memcpy(&block, word.data() + at, 8);
    hash = (hash ^ (hash >> 29) ^ block) * Multiplier;
  }
  uint64_t rest = 0;
  for (size_t shift = 0; at < word.size(); ++at, shift += 8) rest |= uint64_t{static_cast<uint8_t>(word[at])} << shift;
  hash = (hash ^ (hash >> 29) ^ rest) * Multiplier;
  return static_cast<uint32_t>(hash >> 32);
}

bool ShapedWords::SameText(const char* stored, std::string_view word) {
  for (size_t n = 0; n < word.size(); ++n) {
    if (stored[n] != word[n]) return false;
  }
  return true;
}

std::optional<std::span<const ShapedGlyph>> ShapedWords::Find(const OpenTypeFace* face, std::string_view word) const {
  if (word.size() > LongestWord || Words == 0) return std::nullopt;
  const uint32_t hash = Hash(face, word);
  for (size_t index = hash & (SlotCount - 1);; index = (index + 1) & (SlotCount - 1)) {
    const Slot& slot = Slots[index];
    if (slot.Face == nullptr) return std::nullopt;
    if (slot.Hash == hash && slot.Face == face && slot.TextLength == word.size() &&
        SameText(Texts.data() + slot.TextOffset, word)) {
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
