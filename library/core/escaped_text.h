#pragma once

#include <cstddef>
#include <string_view>

#include "output/line_buffer.h"
#include "services/byte_scan.h"

namespace paginor {

// Appends codes as the inside of a literal string of either format: a backslash before every byte of
// escaped, written as the escape r or n where it is a line end, so that a string chosen with these
// bytes in escaped can neither end early nor leave its line. The runs between go in whole. Always
// inlined, so that the members of each format's set become constants of the scan's comparisons.
template <size_t Count>
[[gnu::always_inline]] inline void PutBackslashEscaped(std::string_view codes, const ByteSet<Count>& escaped, LineBuffer& out) {
  size_t run = 0;
  for (size_t index = escaped.Find(codes, 0); index < codes.size(); index = escaped.Find(codes, index + 1)) {
    const char code = codes[index];
    const char escape = code == '\r' ? 'r' : code == '\n' ? 'n' : code;
    out.Put(codes.substr(run, index - run)).Put('\\').Put(escape);
    run = index + 1;
  }
  out.Put(codes.substr(run));
}

}  // namespace paginor
