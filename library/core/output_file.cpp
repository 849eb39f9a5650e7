#include "core/output_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace paginor {

bool OutputFile::Open(const std::string& path) {
  Close();
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  Descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return Descriptor >= 0;
}

bool OutputFile::WriteAndClose(const LineBuffer& lines) {
  if (Descriptor < 0) return false;
  const bool written = lines.WriteTo(Descriptor);
  const bool closed = ::close(Descriptor) == 0;
  Descriptor = -1;
  return written && closed;
}

void OutputFile::Close() {
  if (Descriptor >= 0) ::close(Descriptor);
  Descriptor = -1;
}

}  // namespace paginor
