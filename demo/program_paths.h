#pragma once

#include <string>

namespace paginor::demo {

// Where the demo finds its files and writes its documents. Directories always end with "/".
struct ProgramPaths {
  std::string AppPath;       // the program's directory
  std::string SettingsFile;  // AppPath + the program's file name + ".ini"
  std::string SamplePicture; // AppPath + "Samples/Sample.gif"
  std::string TempPath;      // where the documents are written
};

// A directory with one "/" at its end: the root "/" stays as it is.
std::string WithSeparator(std::string directory);

// The paths of a program file (an absolute path) with this temporary directory.
ProgramPaths PathsOf(const std::string& program, const std::string& tempPath);

// The paths of the running program (invoked as invokedAs, used when the system does not tell the
// program's file), writing into the user's temporary directory.
ProgramPaths RunningProgramPaths(const char* invokedAs);

// The user's temporary directory: $TMPDIR when it is set and not empty, otherwise /tmp; ends with "/".
std::string TempPath();

}  // namespace paginor::demo
