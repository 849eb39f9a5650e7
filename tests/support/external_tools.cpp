#include "support/external_tools.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace paginor::testing {

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  size_t count;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), count);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char character : text) {
    if (character == '\'') {
      quoted += "'\\''";
    } else {
      quoted += character;
    }
  }
  return quoted + "'";
}

bool HasTool(const std::string& program) {
  const bool found = RunCommand("command -v " + program + " >/dev/null").status == 0;
  if (!found && std::getenv("CI") != nullptr) {
    ADD_FAILURE() << program << " is required under CI but is not installed";
  }
  return found;
}

}  // namespace paginor::testing
