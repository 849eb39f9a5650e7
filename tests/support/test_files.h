#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace paginor::testing {

// A fresh path for a test's output file, in the build's test folder (or the system's temporary folder),
// unique per test program and name.
std::string TempPath(const std::string& name);

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Writes bytes to a file, replacing it.
void WriteFile(const std::string& path, const std::string& content);

// The lines of a text separated by CR LF; a final CR LF ends the last line.
std::vector<std::string> SplitCrLfLines(const std::string& content);

}  // namespace paginor::testing
