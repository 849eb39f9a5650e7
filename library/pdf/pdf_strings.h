#pragma once

#include <string>
#include <string_view>

#include "output/line_buffer.h"

namespace paginor {

// Text shown on a page, as the inside of a PDF literal string: every backslash doubled and every
// parenthesis escaped, so no text can end the string early.
void PutEscapedText(std::string_view codes, LineBuffer& out);

// Bytes as the inside of a PDF literal string: backslashes doubled, parentheses that have no partner
// escaped, balanced pairs kept as they are.
std::string EscapedLiteral(std::string_view bytes);

// A document property (UTF-8) as a complete PDF text string that reads back as written: a literal
// string in PDFDocEncoding when every character has a code there (an ASCII text is thus written as
// it is), otherwise a hex string of its UTF-16BE code units after the byte-order mark.
std::string TextString(std::string_view utf8);

// A hyperlink (UTF-8) as the inside of a PDF literal string, percent-encoded as a URI (see
// core/uri_text.h).
std::string UriLiteral(std::string_view utf8);

}  // namespace paginor
