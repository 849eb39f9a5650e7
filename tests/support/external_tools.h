#pragma once

#include <string>

namespace paginor::testing {

struct CommandResult {
  int status = -1;     // exit status, -1 when the command could not be run
  std::string output;  // standard output and standard error together
};

// A path quoted for the shell.
std::string Quoted(const std::string& path);

// Runs a shell command and collects what it prints.
CommandResult RunCommand(const std::string& command);

// A text as one shell word, whatever it holds: 'text', each ' in it written '\''.
std::string ShellQuoted(const std::string& text);

// True when a validator program is on the PATH. When it is missing, the calling test fails if the
// environment variable CI is set and is skipped otherwise: use as
//   if (!paginor::testing::HasTool("qpdf")) GTEST_SKIP() << "qpdf is not installed";
// (the failure under CI is recorded inside HasTool).
bool HasTool(const std::string& program);

}  // namespace paginor::testing
