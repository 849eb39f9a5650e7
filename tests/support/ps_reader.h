#pragma once

#include <string>
#include <vector>

namespace paginor {
class PS;
}

namespace paginor::testing {

using Lines = std::vector<std::string>;

// What Ghostscript makes of a PostScript or PDF file: what it says against it (empty when it reads the
// file without an error or a warning) and the number of pages it finds.
struct GhostscriptReading {
  std::string problems;
  int pages = 0;
};
GhostscriptReading ReadWithGhostscript(const std::string& path);

// What Ghostscript says against a file: empty when it reads it without complaint and finds pages pages
// (any number for pages -1). Without Ghostscript it is empty.
std::string GhostscriptProblems(const std::string& path, int pages = -1);

// Flushes a PostScript document (expecting success), checks it with GhostscriptProblems for pages
// pages and returns its lines.
Lines FlushAndRead(PS& ps, const std::string& path, int pages);

// The index of the first line equal to line at or after from; lines.size() when there is none.
size_t FindLine(const Lines& lines, const std::string& line, size_t from = 0);

// The count lines from first (fewer at the end of lines).
Lines Slice(const Lines& lines, size_t first, size_t count);

}  // namespace paginor::testing
