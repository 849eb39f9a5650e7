#pragma once

// Turns a line of UTF-8 text into positioned glyphs in visual order: bidirectional reordering, a face
// per character (the chosen one, else a fallback that has the character), then shaping of each run
// (kerning, ligatures, mark placement, joining and reordering as the script needs).
#include <hb.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "typeset/face_set.h"
#include "typeset/shaped_glyph.h"

namespace paginor::typeset {

// The width of shaped glyphs at a font size, in points: what drawing them advances.
double ShapedWidth(std::span<const ShapedGlyph> glyphs, double size);

// The glyphs of a line that stand for a space, which justification widens.
size_t CountSpaces(const std::vector<ShapedGlyph>& glyphs, std::string_view text);

// Widens each space of a shaped line so that the line grows by `extra` points at `size`, shared evenly
// (the rounding to face units does not add up along the line: each space takes what brings the line's
// growth closest to its share so far). Nothing changes in a line without spaces.
void WidenSpaces(std::vector<ShapedGlyph>& glyphs, std::string_view text, double extra, double size);

class Shaper {
 public:
  Shaper();
  ~Shaper();
  Shaper(const Shaper&) = delete;
  Shaper& operator=(const Shaper&) = delete;

  // Shapes one line in `face` (style for the fallback faces) into `glyphs` (replaced), left to right as
  // drawn. A character no installed face has is drawn as `face`'s missing-glyph box. Control characters
  // are shaped as spaces. Each glyph stands for a part of the text such that the glyphs read left to
  // right give back left-to-right text (a cluster's characters shared out over its glyphs in order),
  // and right-to-left text read in reverse (a cluster's first glyph stands for all of it). A line of ASCII characters is shaped word by word (words recur, and nothing
  // in it needs the whole line), so its spaces take no kerning with the letters beside them.
  void Shape(std::string_view utf8, const OpenTypeFace& face, FontStyleConstants style, FaceSet& faces,
             std::vector<ShapedGlyph>& glyphs);

 private:
  struct Run {
    uint32_t Begin, End;  // characters
    uint8_t Level;
    const OpenTypeFace* Face;
    hb_script_t Script;
  };
  bool ShapeAsciiWords(std::string_view utf8, const OpenTypeFace& face, std::vector<ShapedGlyph>& glyphs);
  void SplitRuns(const OpenTypeFace& face, FontStyleConstants style, FaceSet& faces);
  void ShapeRun(const Run& run, std::vector<ShapedGlyph>& glyphs);

  hb_buffer_t* Buffer;
  std::vector<uint32_t> Characters;
  std::vector<uint32_t> Offsets;  // byte offset of each character, and the text's length at the end
  std::vector<uint8_t> Levels;
  std::vector<Run> Runs;
  // Shaped words of ASCII lines, by face and text; emptied when it grows past its bound.
  static constexpr size_t MaximumCachedWords = 8192;
  std::unordered_map<std::string, std::vector<ShapedGlyph>> Words;
  std::string WordKey;
};

}  // namespace paginor::typeset
