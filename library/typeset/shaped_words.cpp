#include "typeset/shaped_words.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace paginor::typeset {
namespace {

constexpr size_t SlotCount = ShapedWords::MaximumWords * 2;
static_assert((SlotCount & (SlotCount - 1)) == 0, "the slot index is a mask of the hash");

}  // namespace

uint64_t ShapedWords::Head(std::string_view word) {
  uint64_t head = 0;
  for (size_t n = 0; n < word.size() && n < 8; ++n) head |= uint64_t{static_cast<uint8_t>(word[n])} << (8 * n);
  return head;
}

uint64_t ShapedWords::HeadBeforePadding(std::string_view word) {
  if constexpr (std::endian::native != std::endian::little) return Head(word);
  uint64_t head = 0;
  std::memcpy(&head, word.data(), 8);
  return word.size() >= 8 ? head : head & ((uint64_t{1} << (8 * word.size())) - 1);
}

uint32_t ShapedWords::Hash(const OpenTypeFace* face, std::string_view word, uint64_t head) {
  // The face's address, the head and the rest eight bytes at a time, each step a multiplication and
  // a shift that spreads every bit over the upper half, which is what is kept.
  constexpr uint64_t Multiplier = 0x9E3779B97F4A7C15ULL;
  uint64_t hash = (reinterpret_cast<uintptr_t>(face) ^ word.size()) * Multiplier;
  hash = (hash ^ (hash >> 29) ^ head) * Multiplier;
  for (size_t at = 8; at < word.size(); at += 8) hash = (hash ^ (hash >> 29) ^ Head(word.substr(at))) * Multiplier;
  return static_cast<uint32_t>(hash >> 32);
}

std::optional<std::span<const StoredGlyph>> ShapedWords::Find(const OpenTypeFace* face, std::string_view word,
                                                              uint64_t head) const {
  if (word.size() > LongestWord || Words == 0) return std::nullopt;
  const auto matches = [&](const Slot& slot) {
    return slot.Head == head && slot.Face == face && slot.TextLength == word.size() &&
           (word.size() <= 8 || Texts.compare(slot.TextOffset, word.size() - 8, word.substr(8)) == 0);
  };
  const auto glyphsOf = [&](const Slot& slot) {
    return std::span<const StoredGlyph>(Glyphs.data() + slot.GlyphOffset, slot.GlyphCount);
  };
  const uint32_t hash = Hash(face, word, head);
  Slot& recent = Recent[hash % Recent.size()];
  if (recent.Face != nullptr && matches(recent)) return glyphsOf(recent);
  const uint8_t tag = TagOf(hash);
  for (size_t index = hash & (SlotCount - 1);; index = (index + 1) & (SlotCount - 1)) {
    if (Tags[index] == Free) return std::nullopt;
    if (Tags[index] == tag && matches(Slots[index])) {
      recent = Slots[index];
      return glyphsOf(recent);
    }
  }
}

void ShapedWords::Add(const OpenTypeFace* face, std::string_view word, std::span<const ShapedGlyph> glyphs) {
  if (word.size() > LongestWord || glyphs.size() > LongestWord * 4) return;
  for (const ShapedGlyph& glyph : glyphs) {
    if (glyph.Glyph > UINT16_MAX || glyph.TextEnd > word.size()) return;
  }
  if (Words >= MaximumWords || Glyphs.size() + glyphs.size() > MaximumGlyphs) Clear();
  if (Slots.empty()) {  // on first use: most documents draw no such text
    Slots.resize(SlotCount);
    Tags.assign(SlotCount, Free);
  }
  const uint64_t head = Head(word);
  const uint32_t hash = Hash(face, word, head);
  size_t index = hash & (SlotCount - 1);
  while (Tags[index] != Free) index = (index + 1) & (SlotCount - 1);
  Tags[index] = TagOf(hash);
  Slots[index] = Slot{face,
                      head,
                      static_cast<uint32_t>(Texts.size()),
                      static_cast<uint32_t>(Glyphs.size()),
                      static_cast<uint16_t>(word.size()),
                      static_cast<uint16_t>(glyphs.size())};
  if (word.size() > 8) Texts.append(word.substr(8));
  for (const ShapedGlyph& glyph : glyphs) {
    Glyphs.push_back(StoredGlyph{static_cast<uint16_t>(glyph.Glyph), static_cast<uint8_t>(glyph.TextBegin),
                                 static_cast<uint8_t>(glyph.TextEnd), glyph.Advance, glyph.XOffset, glyph.YOffset});
  }
  ++Words;
}

void ShapedWords::Clear() {
  Recent.fill(Slot{});
  std::fill(Tags.begin(), Tags.end(), Free);
  Texts.clear();
  Glyphs.clear();
  Words = 0;
}

}  // namespace paginor::typeset
