#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "output/line_buffer.h"

namespace paginor {

// What the prolog of every PostScript document holds: the WinAnsiEncoding vector (the glyph of each
// Windows-1252 code) and the WinAnsiFont procedure, which gives a copy of a standard font drawing
// with that vector, made the first time it is asked for.
void WriteWinAnsiProlog(LineBuffer& lines);

// The line, with its CR LF, that puts the font of a text on the operand stack. Fonts drawn in
// Windows-1252 (Courier, Helvetica and Times) are shown through their WinAnsiEncoding copy, named after
// the font with "-WinAnsi" appended; the others (Symbol and ZapfDingbats) keep their own encodings and
// are found as they are.
std::string FontSelectionLine(std::string_view fontname, bool windows1252);

}  // namespace paginor
