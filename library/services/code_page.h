#pragma once

#include <string>
#include <string_view>

namespace paginor {

// Reads the character at text[position] and moves position past it. A byte that does not start a
// valid UTF-8 sequence reads as one '?'.
char32_t NextCharacter(std::string_view text, size_t& position);

// Appends the Windows-1252 codes of a UTF-8 text to out, one byte per character. A character with no
// Windows-1252 equivalent, a control character other than a line end (CR or LF), tab and DEL included,
// and every byte that is not part of a valid UTF-8 sequence, becomes '?'. Measurement and every writer
// use this one conversion.
void AppendWindows1252(std::string_view utf8, std::string& out);

// The Windows-1252 codes of a UTF-8 text.
std::string ToWindows1252(std::string_view utf8);

}  // namespace paginor
