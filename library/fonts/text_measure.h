#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "fonts/font_catalogue.h"

namespace paginor {

// Text measurement in a face of the catalogue. Texts are the face's codes (Windows-1252 for the text
// fonts, see services/code_page.h); overflows throw Failure (services/failure.h).

// The sum of the codes' widths in thousandths of the font size (Failure beyond 32767 codes), and such a
// sum in points at a font height, rounded half to even (Failure beyond 16 bits). Callers that measure a
// growing text piece by piece add the sums and convert once.
int64_t TextUnits(std::string_view codes, const FontFace& face);
int16_t UnitsToPoints(int64_t units, uint8_t fontheight);

// Width in points of a text.
int16_t TextWidth(std::string_view codes, const FontFace& face, uint8_t fontheight);

// Splits a line at every blank and positions the words so that the line fills width. Each word but the
// last keeps its following blank; the views point into line. Returns false for a line of fewer than two
// words or on overflow, with the outputs as far as they were filled.
bool JustifyLine(std::string_view line, int16_t width, const FontFace& face, uint8_t fontheight,
                 std::vector<std::string_view>& words, std::vector<int16_t>& positions);

}  // namespace paginor
