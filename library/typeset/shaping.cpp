#include "typeset/shaping.h"

#include <fribidi.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "services/code_page.h"

namespace paginor::typeset {
namespace {

// Characters that belong to the cluster before them and so stay in its face: combining marks, the
// joiners and the variation selectors.
bool FollowsPrevious(char32_t character) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), character)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
      return true;
    default:
      return character == 0x200C || character == 0x200D || (character >= 0xFE00 && character <= 0xFE0F) ||
             (character >= 0xE0100 && character <= 0xE01EF);
  }
}

bool IsNeutralScript(hb_script_t script) {
  return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN;
}

// Embedding levels by the Unicode bidirectional algorithm, the paragraph direction taken from its first
// strong character (left to right when there is none). All zero when the algorithm fails.
void ResolveLevels(const std::vector<uint32_t>& characters, std::vector<uint8_t>& levels) {
  const auto count = static_cast<FriBidiStrIndex>(characters.size());
  std::vector<FriBidiCharType> types(characters.size());
  std::vector<FriBidiBracketType> brackets(characters.size());
  std::vector<FriBidiLevel> resolved(characters.size());
  fribidi_get_bidi_types(characters.data(), count, types.data());
  fribidi_get_bracket_types(characters.data(), count, types.data(), brackets.data());
  FriBidiParType direction = FRIBIDI_PAR_ON;
  const bool ok = fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), count, &direction,
                                                      resolved.data()) != 0;
  levels.assign(characters.size(), 0);
  if (!ok) return;
  for (size_t n = 0; n < characters.size(); ++n) levels[n] = static_cast<uint8_t>(resolved[n]);
}

}  // namespace

double ShapedWidth(std::span<const ShapedGlyph> glyphs, double size) {
  double width = 0;
  const OpenTypeFace* face = nullptr;
  int32_t unitsPerEm = 1;
  double reciprocal = 0;  // of a power of two, which divides exactly as it multiplies
  for (const ShapedGlyph& glyph : glyphs) {
    if (glyph.Face != face) {
      face = glyph.Face;
      unitsPerEm = face->Metrics().UnitsPerEm;
      reciprocal = (unitsPerEm & (unitsPerEm - 1)) == 0 ? 1.0 / unitsPerEm : 0;
    }
    width += reciprocal != 0 ? glyph.Advance * size * reciprocal : glyph.Advance * size / unitsPerEm;
  }
  return width;
}

namespace {

bool IsSpace(const ShapedGlyph& glyph, std::string_view text) {
  return glyph.TextEnd == glyph.TextBegin + 1 && text[glyph.TextBegin] == ' ';
}

}  // namespace

size_t CountSpaces(const std::vector<ShapedGlyph>& glyphs, std::string_view text) {
  size_t spaces = 0;
  for (const ShapedGlyph& glyph : glyphs) spaces += IsSpace(glyph, text) ? 1 : 0;
  return spaces;
}

void WidenSpaces(std::vector<ShapedGlyph>& glyphs, std::string_view text, double extra, double size) {
  const size_t spaces = CountSpaces(glyphs, text);
  if (spaces == 0 || !(size > 0)) return;
  double wanted = 0;  // points
  double added = 0;
  for (ShapedGlyph& glyph : glyphs) {
    if (!IsSpace(glyph, text)) continue;
    wanted += extra / static_cast<double>(spaces);
    const double scale = size / glyph.Face->Metrics().UnitsPerEm;
    const auto units = static_cast<int32_t>(std::nearbyint((wanted - added) / scale));
    glyph.Advance += units;
    added += units * scale;
  }
}

Shaper::Shaper() : Buffer(hb_buffer_create()) {}

Shaper::~Shaper() { hb_buffer_destroy(Buffer); }

void Shaper::Shape(std::string_view utf8, const OpenTypeFace& face, FontStyleConstants style, FaceSet& faces,
                   std::vector<ShapedGlyph>& glyphs) {
  glyphs.clear();
  if (ShapeAsciiWords(utf8, face, glyphs)) return;
  Characters.clear();
  Offsets.clear();
  for (size_t position = 0; position < utf8.size();) {
    Offsets.push_back(static_cast<uint32_t>(position));
    const char32_t character = NextCharacter(utf8, position);
    Characters.push_back(character < 0x20 || character == 0x7F ? U' ' : character);
  }
  Offsets.push_back(static_cast<uint32_t>(utf8.size()));
  if (Characters.empty()) return;
  ResolveLevels(Characters, Levels);
  SplitRuns(face, style, faces);

  // Visual order of the runs: from the highest level down to the lowest odd one, every sequence of
  // runs at that level or above is reversed.
  uint8_t highest = 0;
  uint8_t lowestOdd = 255;
  for (const Run& run : Runs) {
    highest = std::max(highest, run.Level);
    if (run.Level % 2 == 1) lowestOdd = std::min(lowestOdd, run.Level);
  }
  for (int level = highest; level >= lowestOdd && level > 0; --level) {
    for (size_t first = 0; first < Runs.size();) {
      if (Runs[first].Level < level) {
        ++first;
        continue;
      }
      size_t last = first;
      while (last < Runs.size() && Runs[last].Level >= level) ++last;
      std::reverse(Runs.begin() + static_cast<std::ptrdiff_t>(first), Runs.begin() + static_cast<std::ptrdiff_t>(last));
      first = last;
    }
  }
  for (const Run& run : Runs) ShapeRun(run, glyphs);
}

// A line of printable ASCII characters that the face all has needs neither bidirectional reordering
// nor fallback, and its words recur: each word and each space is shaped once per face and its glyphs
// reused. False, with nothing appended, for any other line.
bool Shaper::ShapeAsciiWords(std::string_view utf8, const OpenTypeFace& face, std::vector<ShapedGlyph>& glyphs) {
  uint8_t outside = 0;  // told without a branch, so that the test takes many characters at a time
  for (const char c : utf8) outside |= static_cast<uint8_t>(static_cast<uint8_t>(c) - 0x20) > 0x7E - 0x20 ? 1 : 0;
  if (outside != 0) return false;
  if (!face.HasPrintableAscii()) {
    for (const char c : utf8) {
      if (!face.HasAscii(c)) return false;
    }
  }
  glyphs.reserve(utf8.size());
  const PlainAscii& plain = face.Plain();
  // The line followed by zero bytes, so that the head of every word is read in one load.
  Padded.assign(utf8).append(8, '\0');
  // The space between words is the most frequent word: kept apart, found without a search.
  if (SpaceFace != &face) {
    SpaceGlyphs = ShapeAsciiWord(" ", face);
    SpaceFace = &face;
  }
  const auto append = [&](std::span<const ShapedGlyph> shaped, size_t begin) {
    for (ShapedGlyph glyph : shaped) {
      glyph.TextBegin += static_cast<uint32_t>(begin);
      glyph.TextEnd += static_cast<uint32_t>(begin);
      glyphs.push_back(glyph);
    }
  };
  for (size_t begin = 0; begin < utf8.size();) {
    size_t end = begin + 1;
    if (utf8[begin] == ' ') {
      append(SpaceGlyphs, begin);
    } else {
      while (end < utf8.size() && utf8[end] != ' ') ++end;
      const std::string_view word = std::string_view(Padded).substr(begin, end - begin);
      if (plain.Holds(word)) {
        // What shaping would give, without it: each character's glyph and advance.
        for (size_t at = begin; at < end; ++at) {
          ShapedGlyph& glyph = glyphs.emplace_back();
          glyph.Face = &face;
          glyph.Glyph = plain.Glyph(utf8[at]);
          glyph.Advance = plain.Advance(utf8[at]);
          glyph.TextBegin = static_cast<uint32_t>(at);
          glyph.TextEnd = static_cast<uint32_t>(at + 1);
        }
        begin = end;
        continue;
      }
      const std::optional<std::span<const StoredGlyph>> found =
          Words.Find(&face, word, ShapedWords::HeadBeforePadding(word));
      if (found) {
        for (const StoredGlyph& stored : *found) {
          ShapedGlyph& glyph = glyphs.emplace_back();
          glyph.Face = &face;
          glyph.Glyph = stored.Glyph;
          glyph.Advance = stored.Advance;
          glyph.XOffset = stored.XOffset;
          glyph.YOffset = stored.YOffset;
          glyph.TextBegin = static_cast<uint32_t>(begin) + stored.TextBegin;
          glyph.TextEnd = static_cast<uint32_t>(begin) + stored.TextEnd;
        }
      } else {
        const std::vector<ShapedGlyph>& shaped = ShapeAsciiWord(word, face);
        Words.Add(&face, word, shaped);
        append(shaped, begin);
      }
    }
    begin = end;
  }
  return true;
}

const std::vector<ShapedGlyph>& Shaper::ShapeAsciiWord(std::string_view word, const OpenTypeFace& face) {
  Characters.assign(word.begin(), word.end());
  Offsets.resize(word.size() + 1);
  for (uint32_t n = 0; n <= word.size(); ++n) Offsets[n] = n;
  WordGlyphs.clear();
  ShapeRun(Run{0, static_cast<uint32_t>(word.size()), 0, &face, HB_SCRIPT_LATIN}, WordGlyphs);
  return WordGlyphs;
}

// Cuts the line where the level, the face or the script changes. Marks and joiners stay with the
// character before them; characters of no particular script take the script around them.
void Shaper::SplitRuns(const OpenTypeFace& face, FontStyleConstants style, FaceSet& faces) {
  Runs.clear();
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  const OpenTypeFace* previousFace = &face;
  hb_script_t previousScript = HB_SCRIPT_COMMON;
  for (uint32_t n = 0; n < Characters.size(); ++n) {
    const char32_t character = Characters[n];
    const OpenTypeFace* chosen = &face;
    if (n > 0 && FollowsPrevious(character)) {
      chosen = previousFace;
    } else if (face.GlyphFor(character) == 0) {
      const OpenTypeFace* fallback = faces.FallbackFor(character, style);
      if (fallback != nullptr) chosen = fallback;
    }
    hb_script_t script = hb_unicode_script(unicode, character);
    if (IsNeutralScript(script)) script = previousScript;
    if (!Runs.empty() && Runs.back().Level == Levels[n] && Runs.back().Face == chosen &&
        (Runs.back().Script == script || IsNeutralScript(Runs.back().Script))) {
      Runs.back().End = n + 1;
      if (IsNeutralScript(Runs.back().Script)) Runs.back().Script = script;
    } else {
      Runs.push_back(Run{n, n + 1, Levels[n], chosen, script});
    }
    previousFace = chosen;
    previousScript = script;
  }
}

void Shaper::ShapeRun(const Run& run, std::vector<ShapedGlyph>& glyphs) {
  hb_buffer_clear_contents(Buffer);
  // The whole line is the context, so that joining and reordering see the neighbours of the run.
  hb_buffer_add_utf32(Buffer, Characters.data(), static_cast<int>(Characters.size()), run.Begin,
                      static_cast<int>(run.End - run.Begin));
  hb_buffer_set_direction(Buffer, run.Level % 2 == 1 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_set_script(Buffer, IsNeutralScript(run.Script) ? HB_SCRIPT_LATIN : run.Script);
  hb_buffer_set_language(Buffer, hb_language_get_default());
  hb_shape(run.Face->ShapingFont(), Buffer, nullptr, 0);

  unsigned int count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(Buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(Buffer, &count);
  // Clusters rise from glyph to glyph left to right and fall right to left (the buffer keeps them
  // monotone): a cluster ends where the neighbouring cluster on its logical side begins. Left to right,
  // a cluster's characters are shared out over its glyphs in order (the last glyph takes the rest), so
  // that reading the glyphs from left to right gives the text back even where shaping moved a vowel
  // sign before its consonant; right to left, the first glyph stands for the whole cluster.
  const bool rightToLeft = run.Level % 2 == 1;
  unsigned int clusterStart = 0;  // the cluster's first glyph, left to right
  for (unsigned int n = 0; n < count; ++n) {
    const uint32_t cluster = infos[n].cluster;
    if (n == 0 || infos[n - 1].cluster != cluster) clusterStart = n;
    unsigned int clusterEnd = n + 1;  // past its last glyph
    while (clusterEnd < count && infos[clusterEnd].cluster == cluster) ++clusterEnd;
    uint32_t end = run.End;
    if (!rightToLeft && clusterEnd < count) end = infos[clusterEnd].cluster;
    if (rightToLeft && clusterStart > 0) end = infos[clusterStart - 1].cluster;
    if (end <= cluster || end > run.End) end = run.End;
    uint32_t first = cluster;
    uint32_t last = end;  // the glyph's characters, [first, last)
    if (!rightToLeft) {
      const uint32_t characters = end - cluster;
      const uint32_t index = n - clusterStart;
      first = cluster + std::min(index, characters);
      if (n + 1 < clusterEnd) last = cluster + std::min(index + 1, characters);
    } else if (n != clusterStart) {
      last = first;
    }
    ShapedGlyph glyph;
    glyph.Face = run.Face;
    glyph.Glyph = infos[n].codepoint;
    glyph.Advance = positions[n].x_advance;
    glyph.XOffset = positions[n].x_offset;
    glyph.YOffset = positions[n].y_offset;
    glyph.TextBegin = Offsets[first];
    glyph.TextEnd = Offsets[last];
    glyphs.push_back(glyph);
  }
}

}  // namespace paginor::typeset
