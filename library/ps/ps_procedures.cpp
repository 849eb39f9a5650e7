#include "ps/ps_procedures.h"

namespace paginor {

void WriteCompactProcedures(LineBuffer& lines) {
  lines.AddLine("/SF { scalefont setfont } bind def");
  lines.AddLine("/T { setrgbcolor newpath moveto show closepath } bind def");
  lines.AddLine("/L { newpath 4 2 roll moveto lineto } bind def");
  // The four sides as the default output draws them: width across, height down, back and up.
  lines.AddLine("/R { newpath 4 2 roll moveto exch dup 0 rlineto exch dup neg 0 exch rlineto");
  lines.AddLine("  exch neg 0 rlineto 0 exch rlineto closepath } bind def");
  lines.AddLine("/C { newpath 0 360 arc closepath } bind def");
  // A unit circle in a scaled coordinate system, the matrix restored so that the line keeps its width.
  lines.AddLine("/E { newpath matrix currentmatrix 5 1 roll 4 2 roll translate scale");
  lines.AddLine("  0 0 1 0 360 arc setmatrix closepath } bind def");
  lines.AddLine("/A { newpath 4 index 4 index moveto arc closepath } bind def");
  lines.AddLine("/V { newpath 5 index 5 index moveto 5 index 5 index 6 2 roll curveto lineto closepath } bind def");
  lines.AddLine("/S { setlinewidth setrgbcolor stroke } bind def");
  lines.AddLine("/FS { 7 4 roll setrgbcolor gsave fill grestore S } bind def");
}

}  // namespace paginor
