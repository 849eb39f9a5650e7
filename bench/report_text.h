#pragma once

#include <charconv>
#include <string>

namespace paginor::bench {

// Appends a number right-aligned with blanks in width characters (printf's "%*d"), without the
// formatting functions of the C library, which would cost as much as the document.
inline void AppendPadded(std::string& text, int number, size_t width) {
  char digits[16];
  const size_t length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
  if (width > length) text.append(width - length, ' ');
  text.append(digits, length);
}

// The texts of the standard report, built in one reused string: the heading of a page, and its line
// "Line %2d of page %4d: the quick brown fox jumps over the lazy dog %d times.".
inline void ReportHeading(std::string& line, int page) {
  line.assign("Quarterly report, page ");
  AppendPadded(line, page, 0);
}

inline void ReportLine(std::string& line, int index, int page) {
  line.assign("Line ");
  AppendPadded(line, index, 2);
  line.append(" of page ");
  AppendPadded(line, page, 4);
  line.append(": the quick brown fox jumps over the lazy dog ");
  AppendPadded(line, index * page, 0);
  line.append(" times.");
}

}  // namespace paginor::bench
