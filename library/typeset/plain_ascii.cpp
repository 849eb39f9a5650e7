#include "typeset/plain_ascii.h"

#include <hb-ot.h>

#include <span>
#include <vector>

namespace paginor::typeset {
namespace {

constexpr hb_tag_t PositioningTable = HB_OT_TAG_GPOS;
constexpr hb_tag_t SubstitutionTable = HB_OT_TAG_GSUB;

// The positioning lookup types read here: pair adjustment, the three mark attachments (which start
// only at a glyph of their mark coverage) and the extension that holds another type.
constexpr uint16_t PairAdjustment = 2;
constexpr uint16_t MarkToBase = 4, MarkToLigature = 5, MarkToMark = 6;
constexpr uint16_t Extension = 9;

// Big-endian fields of a table; a field past its end reads as absent.
class Bytes {
 public:
  explicit Bytes(std::span<const uint8_t> data) : Data(data) {}
  bool Has(size_t offset, size_t length) const { return offset <= Data.size() && length <= Data.size() - offset; }
  bool U16(size_t offset, uint16_t& value) const {
    if (!Has(offset, 2)) return false;
    value = static_cast<uint16_t>(Data[offset] << 8 | Data[offset + 1]);
    return true;
  }
  bool U32(size_t offset, uint32_t& value) const {
    uint16_t high = 0, low = 0;
    if (!U16(offset, high) || !U16(offset + 2, low)) return false;
    value = uint32_t{high} << 16 | low;
    return true;
  }

 private:
  std::span<const uint8_t> Data;
};

// A printable character and its glyph.
struct AsciiGlyph {
  uint8_t Code;
  uint32_t Glyph;
};

// Whether a coverage table holds a glyph; false too when it cannot be read (callers treat that as
// unknown and give up).
bool Covers(const Bytes& table, size_t coverage, uint32_t glyph, bool& readable) {
  uint16_t format = 0, count = 0;
  if (!table.U16(coverage, format) || !table.U16(coverage + 2, count)) return readable = false;
  for (uint32_t n = 0; n < count; ++n) {
    uint16_t first = 0, last = 0;
    if (format == 1) {
      if (!table.U16(coverage + 4 + 2 * n, first)) return readable = false;
      last = first;
    } else if (format == 2) {
      if (!table.U16(coverage + 4 + 6 * n, first) || !table.U16(coverage + 6 + 6 * n, last)) return readable = false;
    } else {
      return readable = false;
    }
    if (glyph >= first && glyph <= last) return true;
  }
  return false;
}

// The class a class definition table gives a glyph (0 for glyphs it does not list).
bool ClassOf(const Bytes& table, size_t definition, uint32_t glyph, uint16_t& glyphClass) {
  uint16_t format = 0;
  glyphClass = 0;
  if (!table.U16(definition, format)) return false;
  if (format == 1) {
    uint16_t start = 0, count = 0;
    if (!table.U16(definition + 2, start) || !table.U16(definition + 4, count)) return false;
    if (glyph < start || glyph >= uint32_t{start} + count) return true;
    return table.U16(definition + 6 + 2 * (glyph - start), glyphClass);
  }
  if (format != 2) return false;
  uint16_t ranges = 0;
  if (!table.U16(definition + 2, ranges)) return false;
  for (uint32_t n = 0; n < ranges; ++n) {
    uint16_t first = 0, last = 0, value = 0;
    const size_t record = definition + 4 + 6 * n;
    if (!table.U16(record, first) || !table.U16(record + 2, last) || !table.U16(record + 4, value)) return false;
    if (glyph >= first && glyph <= last) {
      glyphClass = value;
      return true;
    }
  }
  return true;
}

// True when a value record (of `format`) at `offset` moves nothing: all its fields zero. Device and
// variation offsets count as moving.
bool ValueIsZero(const Bytes& table, size_t offset, uint16_t format, bool& readable) {
  for (int field = 0; field < 8; ++field) {
    if (((format >> field) & 1) == 0) continue;
    uint16_t value = 0;
    if (!table.U16(offset, value)) return readable = false;
    if (value != 0) return false;
    offset += 2;
  }
  return true;
}

size_t ValueSize(uint16_t format) { return 2 * static_cast<size_t>(__builtin_popcount(format & 0xFF)); }

// Marks in `kerned` every pair of printable glyphs that a pair adjustment subtable moves.
bool ReadPairs(const Bytes& table, size_t subtable, const std::vector<AsciiGlyph>& glyphs,
               std::array<std::array<uint64_t, 2>, 128>& kerned) {
  uint16_t format = 0, coverage = 0, format1 = 0, format2 = 0;
  if (!table.U16(subtable, format) || !table.U16(subtable + 2, coverage) || !table.U16(subtable + 4, format1) ||
      !table.U16(subtable + 6, format2)) {
    return false;
  }
  if (((format1 | format2) & 0xFF00) != 0) return false;  // reserved fields: sizes not known
  const size_t size1 = ValueSize(format1), size2 = ValueSize(format2);
  const auto mark = [&](uint8_t first, uint8_t second) { kerned[first][second >> 6] |= uint64_t{1} << (second & 63); };
  bool readable = true;
  if (format == 1) {
    uint16_t sets = 0;
    if (!table.U16(subtable + 8, sets)) return false;
    // The pair set of a first glyph is the one at its index in the coverage: found by walking it.
    for (const AsciiGlyph& first : glyphs) {
      uint16_t coverageFormat = 0, count = 0;
      if (!table.U16(subtable + coverage, coverageFormat) || !table.U16(subtable + coverage + 2, count)) return false;
      int64_t index = -1;
      for (uint32_t n = 0; n < count && index < 0; ++n) {
        uint16_t low = 0, high = 0, start = 0;
        if (coverageFormat == 1) {
          if (!table.U16(subtable + coverage + 4 + 2 * n, low)) return false;
          high = low;
          start = static_cast<uint16_t>(n);
        } else if (coverageFormat == 2) {
          const size_t record = subtable + coverage + 4 + 6 * n;
          if (!table.U16(record, low) || !table.U16(record + 2, high) || !table.U16(record + 4, start)) return false;
        } else {
          return false;
        }
        if (first.Glyph >= low && first.Glyph <= high) index = start + (first.Glyph - low);
      }
      if (index < 0) continue;
      if (index >= sets) return false;
      uint16_t setOffset = 0, pairs = 0;
      if (!table.U16(subtable + 10 + 2 * static_cast<size_t>(index), setOffset)) return false;
      const size_t set = subtable + setOffset;
      if (!table.U16(set, pairs)) return false;
      const size_t recordSize = 2 + size1 + size2;
      for (uint32_t n = 0; n < pairs; ++n) {
        const size_t record = set + 2 + recordSize * n;
        uint16_t second = 0;
        if (!table.U16(record, second)) return false;
        for (const AsciiGlyph& other : glyphs) {
          if (other.Glyph != second) continue;
          if (!ValueIsZero(table, record + 2, format1, readable) || !ValueIsZero(table, record + 2 + size1, format2, readable)) {
            mark(first.Code, other.Code);
          }
          if (!readable) return false;
        }
      }
    }
    return true;
  }
  if (format != 2) return false;
  uint16_t definition1 = 0, definition2 = 0, classes1 = 0, classes2 = 0;
  if (!table.U16(subtable + 8, definition1) || !table.U16(subtable + 10, definition2) ||
      !table.U16(subtable + 12, classes1) || !table.U16(subtable + 14, classes2)) {
    return false;
  }
  std::vector<uint16_t> secondClasses(glyphs.size());
  for (size_t n = 0; n < glyphs.size(); ++n) {
    if (!ClassOf(table, subtable + definition2, glyphs[n].Glyph, secondClasses[n]) || secondClasses[n] >= classes2) {
      return false;
    }
  }
  for (const AsciiGlyph& first : glyphs) {
    const bool covered = Covers(table, subtable + coverage, first.Glyph, readable);
    if (!readable) return false;
    if (!covered) continue;
    uint16_t class1 = 0;
    if (!ClassOf(table, subtable + definition1, first.Glyph, class1) || class1 >= classes1) return false;
    for (size_t n = 0; n < glyphs.size(); ++n) {
      const size_t record = subtable + 16 + (size_t{class1} * classes2 + secondClasses[n]) * (size1 + size2);
      if (!ValueIsZero(table, record, format1, readable) || !ValueIsZero(table, record + size1, format2, readable)) {
        mark(first.Code, glyphs[n].Code);
      }
      if (!readable) return false;
    }
  }
  return true;
}

}  // namespace

PlainAscii::PlainAscii(hb_font_t* font) {
  if (!Analyse(font)) {
    Plain = {};
    Kerned = {};
  }
}

bool PlainAscii::Analyse(hb_font_t* font) {
  hb_face_t* face = hb_font_get_face(font);
  // Tables of kinds whose effect is not read here: a face with any of them keeps the full shaping.
  for (const hb_tag_t tag : {HB_TAG('k', 'e', 'r', 'x'), HB_TAG('m', 'o', 'r', 'x'), HB_TAG('m', 'o', 'r', 't'),
                             HB_TAG('t', 'r', 'a', 'k')}) {
    hb_blob_t* blob = hb_face_reference_table(face, tag);
    const bool present = hb_blob_get_length(blob) > 0;
    hb_blob_destroy(blob);
    if (present) return false;
  }

  // The lookups shaping applies to a left-to-right Latin word in the default language. Fractions
  // are formed only around the fraction slash, which is not ASCII: their features are left out.
  hb_segment_properties_t properties = HB_SEGMENT_PROPERTIES_DEFAULT;
  properties.direction = HB_DIRECTION_LTR;
  properties.script = HB_SCRIPT_LATIN;
  properties.language = hb_language_get_default();
  std::array<hb_feature_t, 3> fractions{};
  for (size_t n = 0; n < fractions.size(); ++n) {
    const hb_tag_t tags[] = {HB_TAG('f', 'r', 'a', 'c'), HB_TAG('n', 'u', 'm', 'r'), HB_TAG('d', 'n', 'o', 'm')};
    fractions[n] = {tags[n], 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
  }
  hb_shape_plan_t* plan = hb_shape_plan_create(face, &properties, fractions.data(), fractions.size(), nullptr);

  // The older kerning table is applied only where the positioning table has no kerning feature for
  // the script and language.
  hb_blob_t* kern = hb_face_reference_table(face, HB_TAG('k', 'e', 'r', 'n'));
  const bool hasKern = hb_blob_get_length(kern) > 0;
  hb_blob_destroy(kern);
  if (hasKern) {
    unsigned int scriptCount = HB_OT_MAX_TAGS_PER_SCRIPT, languageCount = HB_OT_MAX_TAGS_PER_LANGUAGE;
    hb_tag_t scripts[HB_OT_MAX_TAGS_PER_SCRIPT], languages[HB_OT_MAX_TAGS_PER_LANGUAGE];
    hb_ot_tags_from_script_and_language(properties.script, properties.language, &scriptCount, scripts, &languageCount,
                                        languages);
    unsigned int script = 0, language = 0, feature = 0;
    hb_tag_t chosen = 0;
    hb_ot_layout_table_select_script(face, PositioningTable, scriptCount, scripts, &script, &chosen);
    hb_ot_layout_script_select_language(face, PositioningTable, script, languageCount, languages, &language);
    if (!hb_ot_layout_language_find_feature(face, PositioningTable, script, language, HB_TAG('k', 'e', 'r', 'n'),
                                            &feature)) {
      hb_shape_plan_destroy(plan);
      return false;
    }
  }

  const bool classified = hb_ot_layout_has_glyph_classes(face);
  std::vector<AsciiGlyph> glyphs;
  for (uint8_t code = ' '; code <= '~'; ++code) {
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(font, code, &glyph) || glyph == 0) continue;
    // A mark or a ligature may be skipped or zeroed by what a lookup asks.
    const hb_ot_layout_glyph_class_t glyphClass = hb_ot_layout_get_glyph_class(face, glyph);
    if (classified && glyphClass != HB_OT_LAYOUT_GLYPH_CLASS_BASE_GLYPH) {
      if (glyphClass != HB_OT_LAYOUT_GLYPH_CLASS_UNCLASSIFIED) continue;
      Set(Unclassified, code);
    }
    Glyphs[code] = glyph;
    Advances[code] = hb_font_get_glyph_h_advance(font, glyph);
    Set(Plain, code);
    glyphs.push_back({code, glyph});
  }

  hb_blob_t* positioning = hb_face_reference_table(face, PositioningTable);
  unsigned int length = 0;
  const char* data = hb_blob_get_data(positioning, &length);
  const Bytes gpos({reinterpret_cast<const uint8_t*>(data), data == nullptr ? 0 : length});
  bool readable = true;
  for (const hb_tag_t table : {SubstitutionTable, PositioningTable}) {
    hb_set_t* lookups = hb_set_create();
    hb_ot_shape_plan_collect_lookups(plan, table, lookups);
    hb_set_t* input = hb_set_create();
    for (hb_codepoint_t lookup = HB_SET_VALUE_INVALID; readable && hb_set_next(lookups, &lookup);) {
      hb_set_clear(input);
      hb_ot_layout_lookup_collect_glyphs(face, table, lookup, nullptr, input, nullptr, nullptr);
      bool touches = false;
      for (const AsciiGlyph& glyph : glyphs) touches = touches || (IsSet(Plain, glyph.Code) && hb_set_has(input, glyph.Glyph));
      if (!touches) continue;
      // Positioning is read: pair adjustments pair by pair, mark attachments by their mark coverage.
      uint16_t list = 0, offset = 0, type = 0, subtables = 0;
      size_t at = 0;
      const bool read = table == PositioningTable && gpos.U16(8, list) &&
                        gpos.U16(size_t{list} + 2 + 2 * lookup, offset) && gpos.U16(at = size_t{list} + offset, type) &&
                        gpos.U16(at + 4, subtables);
      bool startsAnywhere = !read;  // a substitution, or a positioning not read here
      for (uint32_t n = 0; read && readable && !startsAnywhere && n < subtables; ++n) {
        uint16_t subtableOffset = 0, subtableType = type;
        uint32_t extension = 0;
        readable = gpos.U16(at + 6 + 2 * n, subtableOffset);
        size_t subtable = at + subtableOffset;
        if (readable && type == Extension) {
          readable = gpos.U16(subtable + 2, subtableType) && gpos.U32(subtable + 4, extension);
          subtable += extension;
        }
        if (!readable) {
          break;
        } else if (subtableType == PairAdjustment) {
          readable = ReadPairs(gpos, subtable, glyphs, Kerned);
        } else if (subtableType == MarkToBase || subtableType == MarkToLigature || subtableType == MarkToMark) {
          uint16_t marks = 0;
          readable = gpos.U16(subtable + 2, marks);
          for (const AsciiGlyph& glyph : glyphs) {
            if (readable && Covers(gpos, subtable + marks, glyph.Glyph, readable)) Unset(Plain, glyph.Code);
          }
        } else {
          startsAnywhere = true;
        }
      }
      // What may start at a plain glyph and is not read makes it plain no longer.
      if (startsAnywhere) {
        for (const AsciiGlyph& glyph : glyphs) {
          if (hb_set_has(input, glyph.Glyph)) Unset(Plain, glyph.Code);
        }
      }
    }
    hb_set_destroy(input);
    hb_set_destroy(lookups);
  }
  hb_blob_destroy(positioning);
  hb_shape_plan_destroy(plan);
  return readable;
}

}  // namespace paginor::typeset
