#include "typeset/font_subset.h"

#include <hb-subset.h>

#include <algorithm>

namespace paginor::typeset {

uint32_t GlyphUsage::Record(uint32_t glyph, std::string_view text, uint32_t firstSpare) {
  // Most glyphs drawn were drawn before with the same text: found by glyph number, without a search.
  if (glyph >= FirstTexts.size()) FirstTexts.resize(size_t{glyph} + 1, nullptr);
  const std::string* first = FirstTexts[glyph];
  if (first == nullptr) {
    FirstTexts[glyph] = &Used.emplace(glyph, Coded{glyph, std::string(text)}).first->second.Text;
    return glyph;
  }
  if (*first == text || firstSpare == 0) return glyph;
  const auto key = std::make_pair(glyph, std::string(text));
  const auto spare = Spare.find(key);
  if (spare != Spare.end()) return spare->second;
  const uint32_t code = std::max(NextSpare, firstSpare);
  if (code > 0xFFFF) return glyph;  // codes are two bytes: the first text stays
  Used.emplace(code, Coded{glyph, std::string(text)});
  Spare.emplace(key, code);
  NextSpare = code + 1;
  return code;
}

std::string SubsetTag(const GlyphUsage& usage) {
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a over the glyph numbers
  for (const auto& [code, coded] : usage.Codes()) {
    for (const uint32_t value : {code, coded.Glyph}) {
      for (int shift = 0; shift < 32; shift += 8) hash = (hash ^ ((value >> shift) & 0xFF)) * 1099511628211ULL;
    }
  }
  std::string tag(6, 'A');
  for (char& letter : tag) {
    letter = static_cast<char>('A' + hash % 26);
    hash /= 26;
  }
  return tag;
}

std::vector<uint8_t> SubsetFontProgram(const OpenTypeFace& face, const GlyphUsage& usage) {
  hb_subset_input_t* input = hb_subset_input_create_or_fail();
  if (input == nullptr) return {};
  hb_set_t* glyphs = hb_subset_input_glyph_set(input);
  hb_set_add(glyphs, 0);
  for (const auto& entry : usage.Codes()) hb_set_add(glyphs, entry.second.Glyph);
  // Codes are glyph numbers; a PDF reader needs neither the layout tables nor the character map.
  hb_set_t* dropped = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
  for (const hb_tag_t tag : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                             HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'), HB_TAG('M', 'A', 'T', 'H'),
                             HB_TAG('k', 'e', 'r', 'n'), HB_TAG('m', 'o', 'r', 'x'), HB_TAG('D', 'S', 'I', 'G'),
                             HB_TAG('h', 'd', 'm', 'x'), HB_TAG('V', 'D', 'M', 'X'), HB_TAG('L', 'T', 'S', 'H')}) {
    hb_set_add(dropped, tag);
  }
  hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NOTDEF_OUTLINE);
  hb_face_t* subset = hb_subset_or_fail(face.Face(), input);
  hb_subset_input_destroy(input);
  if (subset == nullptr) return {};
  hb_blob_t* blob = face.Outlines() == OutlineFormat::CompactFontFormat
                        ? hb_face_reference_table(subset, HB_TAG('C', 'F', 'F', ' '))
                        : hb_face_reference_blob(subset);
  unsigned int length = 0;
  const char* data = hb_blob_get_data(blob, &length);
  std::vector<uint8_t> program(data, data + (data == nullptr ? 0 : length));
  hb_blob_destroy(blob);
  hb_face_destroy(subset);
  return program;
}

}  // namespace paginor::typeset
