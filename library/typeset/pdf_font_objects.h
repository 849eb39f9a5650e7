#pragma once

// The PDF objects of one embedded face: a composite font with the identity encoding (codes are glyph
// numbers, two bytes each), its CID font with the glyph widths, the font descriptor with the face's
// metrics, the subset font program and the map back to Unicode. They are written through an object
// sink, so that the document writer needs to know nothing of fonts beyond object numbers.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "typeset/font_subset.h"

namespace paginor::typeset {

// Where font objects go: numbers for objects written later, and the objects themselves.
class PdfObjectSink {
 public:
  virtual ~PdfObjectSink() = default;
  // Takes the next object number.
  virtual uint32_t ReserveObject() = 0;
  // Writes object `number` holding a dictionary (a complete "<< ... >>").
  virtual void WriteDictionary(uint32_t number, std::string_view dictionary) = 0;
  // Writes object `number` as a stream: `entries` are the dictionary's entries other than /Length,
  // each on its own line ending in CR LF, and `data` the stream's bytes as they stand.
  virtual void WriteStream(uint32_t number, std::string_view entries, std::span<const uint8_t> data) = 0;
};

// The PDF version the font objects of a face need: "1.3" for CFF outlines (a compact CID font
// program), "1.2" for TrueType outlines.
std::string_view PdfVersionFor(const OpenTypeFace& face);

// Writes the objects of `face` for the glyphs in `usage`, the composite font as object `fontObject`
// (reserved when the face was first used, so that pages could name it). The font program is the
// subset of the used glyphs, Flate-compressed, under a name with the subset's tag.
void WritePdfFont(const OpenTypeFace& face, const GlyphUsage& usage, uint32_t fontObject, PdfObjectSink& sink);

}  // namespace paginor::typeset
