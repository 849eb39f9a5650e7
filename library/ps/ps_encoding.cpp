// Texts are written in Windows-1252, but the standard fonts draw the codes of their own built-in
// encoding: every text font is therefore shown through a copy whose Encoding is WinAnsiEncoding.
#include "ps/ps_encoding.h"

#include "paginor/enumerations.h"
#include "services/windows1252_glyphs.h"

namespace paginor {

void WriteWinAnsiProlog(LineBuffer& lines) {
  lines.AddLine("/WinAnsiEncoding [");
  for (size_t row = 0; row < Windows1252GlyphNames.size(); row += 16) {
    for (size_t code = row; code < row + 16; ++code) {
      const char* glyph = Windows1252GlyphNames[code];
      if (code > row) lines.Put(' ');
      lines.Put('/').Put(glyph != nullptr ? glyph : ".notdef");
    }
    lines.EndLine();
  }
  lines.AddLine("] def");
  // copyname basename WinAnsiFont font: the copy when it exists, else made now from the base font
  // with every entry but its FID and the Encoding replaced. Asked for on every page, so each page
  // stands on its own.
  lines.AddLine("/WinAnsiFont {");
  lines.AddLine("  1 index FontDirectory exch known {");
  lines.AddLine("    pop findfont");
  lines.AddLine("  } {");
  lines.AddLine("    findfont dup length dict begin");
  lines.AddLine("    { 1 index /FID ne { def } { pop pop } ifelse } forall");
  lines.AddLine("    /Encoding WinAnsiEncoding def");
  lines.AddLine("    currentdict end definefont");
  lines.AddLine("  } ifelse");
  lines.AddLine("} bind def");
}

std::string FontSelectionLine(std::string_view fontname, bool windows1252) {
  std::string line = "/";
  line.append(fontname);
  if (windows1252 && !fontname.empty()) {
    line.append("-WinAnsi /").append(fontname).append(" WinAnsiFont\r\n");
  } else {
    line.append(" findfont\r\n");
  }
  return line;
}

}  // namespace paginor
