#include "program_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace paginor::demo {

std::string WithSeparator(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

ProgramPaths PathsOf(const std::string& program, const std::string& tempPath) {
  const std::filesystem::path file(program);
  ProgramPaths paths;
  paths.AppPath = WithSeparator(file.parent_path().string());
  paths.SettingsFile = paths.AppPath + file.filename().string() + ".ini";
  paths.SamplePicture = paths.AppPath + "Samples/Sample.gif";
  paths.TempPath = tempPath;
  return paths;
}

ProgramPaths RunningProgramPaths(const char* invokedAs) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) program = std::filesystem::absolute(invokedAs != nullptr ? invokedAs : "PaginorDemo", error);
  return PathsOf(program.string(), TempPath());
}

std::string TempPath() {
  const char* directory = std::getenv("TMPDIR");
  return WithSeparator(directory != nullptr && *directory != '\0' ? directory : "/tmp");
}

}  // namespace paginor::demo
