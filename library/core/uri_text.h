#pragma once

#include <string>
#include <string_view>

namespace paginor {

// A hyperlink (UTF-8) as the 7-bit text a URI is: every byte above 127 (the UTF-8 of the characters
// beyond ASCII) and every control byte is percent-encoded; the rest stays as given. Both formats
// write their links from it, each in its own string syntax.
std::string PercentEncodedUri(std::string_view utf8);

}  // namespace paginor
