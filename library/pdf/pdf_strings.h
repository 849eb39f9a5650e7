#pragma once

#include <string>
#include <string_view>

#include "core/line_buffer.h"

namespace paginor {

// Text shown on a page, as the inside of a PDF literal string: every backslash doubled and every
// parenthesis escaped, so no text can end the string early.
void PutEscapedText(std::string_view codes, LineBuffer& out);

// A document property or hyperlink (UTF-8) as the inside of a PDF literal string, in Windows-1252:
// backslashes doubled, parentheses that have no partner escaped, balanced pairs kept as they are.
std::string EscapedLiteral(std::string_view utf8);

}  // namespace paginor
