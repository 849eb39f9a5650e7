#pragma once

#include "output/line_buffer.h"

namespace paginor {

// The procedures of a compact PostScript document, defined in its prolog: one short call for each
// sequence that every text and figure of the default output spells out. Each does exactly what that
// sequence does, so the pages look the same.
//
//   size SF                                 scalefont setfont (after the font selection line)
//   string x y r g b T                      a text shown from its baseline start in a colour
//   x1 y1 x2 y2 L                           a line
//   x y width height R                      a rectangle from its top-left corner
//   x y r C                                 a circle
//   x y rx ry E                             an ellipse
//   x y r angle1 angle2 A                   a pie slice
//   x1 y1 x2 y2 x3 y3 V                     a closed curve from (x1, y1), its first control point
//   r g b width S                           stroke the path in a colour and line width
//   fr fg fb r g b width FS                 fill the path in the first colour, then stroke it as S does
void WriteCompactProcedures(LineBuffer& lines);

}  // namespace paginor
