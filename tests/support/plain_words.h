#pragma once

// Whether a word that a face leaves plain comes out of shaping as PlainAscii gives it: glyph, advance,
// cluster and no offsets for each character. Shared by the shaping tests and the font fuzz target.
#include <hb.h>

#include <string_view>

#include "typeset/font_face.h"

namespace paginor::testing {

inline bool ShapedAsPlain(const typeset::OpenTypeFace& face, std::string_view word) {
  const typeset::PlainAscii& plain = face.Plain();
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf8(buffer, word.data(), static_cast<int>(word.size()), 0, static_cast<int>(word.size()));
  hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
  hb_buffer_set_script(buffer, HB_SCRIPT_LATIN);
  hb_buffer_set_language(buffer, hb_language_get_default());
  hb_shape(face.ShapingFont(), buffer, nullptr, 0);
  unsigned int count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
  bool same = count == word.size();
  for (unsigned int n = 0; same && n < count; ++n) {
    same = infos[n].codepoint == plain.Glyph(word[n]) && infos[n].cluster == n &&
           positions[n].x_advance == plain.Advance(word[n]) && positions[n].x_offset == 0 &&
           positions[n].y_offset == 0 && positions[n].y_advance == 0;
  }
  hb_buffer_destroy(buffer);
  return same;
}

}  // namespace paginor::testing
