// Writes an embedded face's PostScript font resource from arbitrary font program bytes and glyphs: the
// writer must refuse what it cannot read, never read out of bounds, and append nothing when it refuses.
// Input: a glyph count n, n two-byte glyph numbers, then the font program.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "output/line_buffer.h"
#include "ps/ps_font_resource.h"
#include "ps/ps_glyph_names.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t count = data[0];
  if (size < 1 + 2 * count) return 0;
  std::vector<paginor::PsFontGlyph> glyphs;
  paginor::PsGlyphNames names;
  for (size_t index = 0; index < count; ++index) {
    const uint32_t glyph = uint32_t{data[1 + 2 * index]} << 8 | data[2 + 2 * index];
    // Codes spread over several base fonts; the glyph's two bytes also stand for its text.
    const std::string text(reinterpret_cast<const char*>(data + 1 + 2 * index), 2);
    std::string name = names.NameFor(text, glyph);
    glyphs.push_back({static_cast<uint32_t>(index * 97), glyph, name, name});
  }
  const std::span<const uint8_t> program(data + 1 + 2 * count, size - 1 - 2 * count);
  paginor::LineBuffer lines;
  lines.Clear(nullptr);
  std::string reason;
  const bool written =
      paginor::WritePsFontResource({"FUZZ+Face", program, {2048, -100, -200, 2000, 1900}, glyphs}, lines, reason);
  if (!written && (reason.empty() || lines.Offset() != 0)) std::abort();
  return 0;
}
