#include "typeset/font_subset.h"

#include <hb-subset.h>

#include <algorithm>
#include <functional>

namespace paginor::typeset {

uint32_t GlyphUsage::RecordNew(uint32_t glyph, std::string_view text, uint32_t firstSpare) {
  if (glyph >= FirstTexts.size()) FirstTexts.resize(size_t{glyph} + 1, nullptr);
  const std::string* first = FirstTexts[glyph];
  if (first == nullptr) {
    FirstTexts[glyph] = &Used.emplace(glyph, Coded{glyph, std::string(text)}).first->second.Text;
    if (text.size() == 1 && static_cast<uint8_t>(text[0]) < AsciiGlyphs.size()) {
      AsciiGlyphs[static_cast<uint8_t>(text[0])] = glyph + 1;
    }
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

namespace {

// The subsetter's input for a set of glyphs (the missing-glyph box always among them), without the
// tables a reader of the embedded program needs not: the codes drawn are glyph numbers or codes of the
// format's own, never shaped again. Null when the subsetter has no memory.
hb_subset_input_t* SubsetInput(const std::function<void(hb_set_t*)>& addGlyphs, hb_subset_flags_t flags) {
  hb_subset_input_t* input = hb_subset_input_create_or_fail();
  if (input == nullptr) return nullptr;
  hb_set_t* glyphs = hb_subset_input_glyph_set(input);
  hb_set_add(glyphs, 0);
  addGlyphs(glyphs);
  hb_set_t* dropped = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
  for (const hb_tag_t tag : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                             HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'), HB_TAG('M', 'A', 'T', 'H'),
                             HB_TAG('k', 'e', 'r', 'n'), HB_TAG('m', 'o', 'r', 'x'), HB_TAG('D', 'S', 'I', 'G'),
                             HB_TAG('h', 'd', 'm', 'x'), HB_TAG('V', 'D', 'M', 'X'), HB_TAG('L', 'T', 'S', 'H')}) {
    hb_set_add(dropped, tag);
  }
  hb_subset_input_set_flags(input, flags | HB_SUBSET_FLAGS_NOTDEF_OUTLINE);
  return input;
}

// The program of a subset face: the whole font, or the CFF data alone for CFF outlines.
std::vector<uint8_t> ProgramOf(const OpenTypeFace& face, hb_face_t* subset) {
  hb_blob_t* blob = face.Outlines() == OutlineFormat::CompactFontFormat
                        ? hb_face_reference_table(subset, HB_TAG('C', 'F', 'F', ' '))
                        : hb_face_reference_blob(subset);
  unsigned int length = 0;
  const char* data = hb_blob_get_data(blob, &length);
  std::vector<uint8_t> program(data, data + (data == nullptr ? 0 : length));
  hb_blob_destroy(blob);
  return program;
}

}  // namespace

std::vector<uint8_t> SubsetFontProgram(const OpenTypeFace& face, const GlyphUsage& usage) {
  hb_subset_input_t* input = SubsetInput(
      [&](hb_set_t* glyphs) {
        for (const auto& entry : usage.Codes()) hb_set_add(glyphs, entry.second.Glyph);
      },
      HB_SUBSET_FLAGS_RETAIN_GIDS);
  if (input == nullptr) return {};
  hb_face_t* subset = hb_subset_or_fail(face.Face(), input);
  hb_subset_input_destroy(input);
  if (subset == nullptr) return {};
  std::vector<uint8_t> program = ProgramOf(face, subset);
  hb_face_destroy(subset);
  return program;
}

RenumberedSubset SubsetRenumbered(const OpenTypeFace& face, std::span<const uint32_t> glyphs) {
  RenumberedSubset result;
  hb_subset_input_t* input = SubsetInput(
      [&](hb_set_t* set) {
        for (const uint32_t glyph : glyphs) hb_set_add(set, glyph);
      },
      HB_SUBSET_FLAGS_DEFAULT);
  if (input == nullptr) return result;
  hb_subset_plan_t* plan = hb_subset_plan_create_or_fail(face.Face(), input);
  hb_subset_input_destroy(input);
  hb_face_t* subset = plan == nullptr ? nullptr : hb_subset_plan_execute_or_fail(plan);
  if (subset != nullptr) {
    const hb_map_t* numbers = hb_subset_plan_old_to_new_glyph_mapping(plan);
    hb_font_t* font = hb_font_create(subset);
    const bool cff = face.Outlines() == OutlineFormat::CompactFontFormat;
    bool mapped = true;
    for (const uint32_t glyph : glyphs) {
      const hb_codepoint_t number = hb_map_get(numbers, glyph);
      mapped = mapped && number != HB_MAP_VALUE_INVALID;
      result.NewGlyph.push_back(number);
      if (!cff) continue;
      char name[128] = "";
      hb_font_get_glyph_name(font, number, name, sizeof name);
      result.ProgramNames.emplace_back(name);
    }
    hb_font_destroy(font);
    if (mapped) result.Program = ProgramOf(face, subset);
    hb_face_destroy(subset);
  }
  hb_subset_plan_destroy(plan);
  return result;
}

}  // namespace paginor::typeset
