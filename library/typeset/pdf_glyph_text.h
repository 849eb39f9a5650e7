#pragma once

// Shaped glyphs as PDF text-showing operators: their two-byte codes in the literal strings of TJ arrays whose adjustments put
// every glyph exactly where shaping placed it, whatever the rounded widths of the font's /W array say.
#include <functional>
#include <string>
#include <vector>

#include "typeset/shaping.h"

namespace paginor::typeset {

// Appends the operators that draw `glyphs` from the current text position at `size` points. Before
// each run of glyphs in one face, `selectFont` appends the operator choosing that face's font at that
// size ("/F3 12 Tf"). Glyphs raised or lowered by shaping (marks) are drawn with a text rise, which is
// 0 again at the end. The text position ends ShapedWidth(glyphs, size) points further, up to rounding
// to a thousandth of the size, which does not accumulate along the line.
void AppendPdfGlyphs(std::string& out, std::span<const ShapedGlyph> glyphs, double size,
                     const std::function<void(std::string&, const OpenTypeFace&)>& selectFont);

// Appends the inside of a text object for a line whose baseline starts at (x, y) in page space: the
// text matrix (slanted for a synthetic italic), the fill-and-stroke rendering of a synthetic bold (the
// caller sets the stroke colour with the fill colour), then the glyphs as AppendPdfGlyphs draws them.
void AppendPdfGlyphLine(std::string& out, std::span<const ShapedGlyph> glyphs, double x, double y,
                        double size, bool syntheticBold, bool syntheticItalic,
                        const std::function<void(std::string&, const OpenTypeFace&)>& selectFont);

}  // namespace paginor::typeset
