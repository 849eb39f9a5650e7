#include "support/ps_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/test_files.h"

namespace paginor::testing {

GhostscriptReading ReadWithGhostscript(const std::string& path) {
  // The bounding-box device reads every page and names each one with a "%%BoundingBox:" line.
  const CommandResult run = RunCommand("gs -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox " + Quoted(path));
  GhostscriptReading reading;
  if (run.status != 0) reading.problems += "gs exit status " + std::to_string(run.status) + "\n";
  if (run.output.find("Error") != std::string::npos || run.output.find("Warning") != std::string::npos ||
      run.output.find("error") != std::string::npos) {
    reading.problems += "gs: " + run.output;
  }
  for (size_t at = run.output.find("%%BoundingBox:"); at != std::string::npos;
       at = run.output.find("%%BoundingBox:", at + 1)) {
    ++reading.pages;
  }
  return reading;
}

std::string GhostscriptProblems(const std::string& path, int pages) {
  if (!HasTool("gs")) return {};
  GhostscriptReading reading = ReadWithGhostscript(path);
  if (pages >= 0 && reading.pages != pages) {
    reading.problems += "gs found " + std::to_string(reading.pages) + " pages, expected " + std::to_string(pages) + "\n";
  }
  return reading.problems;
}

Lines FlushAndRead(PS& ps, const std::string& path, int pages) {
  EXPECT_TRUE(ps.Flush());
  EXPECT_EQ(GhostscriptProblems(path, pages), "") << path;
  return SplitCrLfLines(ReadFile(path));
}

size_t FindLine(const Lines& lines, const std::string& line, size_t from) {
  const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size()));
  return static_cast<size_t>(std::find(begin, lines.end(), line) - lines.begin());
}

Lines Slice(const Lines& lines, size_t first, size_t count) {
  first = std::min(first, lines.size());
  return Lines(lines.begin() + static_cast<std::ptrdiff_t>(first),
               lines.begin() + static_cast<std::ptrdiff_t>(std::min(first + count, lines.size())));
}

}  // namespace paginor::testing
