#include "support/test_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace paginor::testing {

std::string TempPath(const std::string& name) {
  namespace fs = std::filesystem;
  const char* configured = std::getenv("PAGINOR_TEST_TMP");
  fs::path folder = configured != nullptr ? fs::path(configured) : fs::temp_directory_path() / "paginor-tests";
  folder /= std::to_string(::getpid());
  fs::create_directories(folder);
  return (folder / name).string();
}

std::string ReadFile(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  stream.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::vector<std::string> SplitCrLfLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content.size()) {
    const size_t end = content.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace paginor::testing
