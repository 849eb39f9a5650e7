#include "output/file_io.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <vector>

namespace paginor {
namespace {

constexpr size_t CopyBlock = size_t{1} << 20;

// Copies with reads and writes through a buffer, for descriptors the kernel copies do not take.
bool CopyThroughBuffer(int source, int64_t offset, int64_t length, int destination) {
  return ReadRange(source, offset, length, [&](std::string_view bytes) { return WriteAll(destination, bytes); });
}

int OpenUnnamed(const std::string& folder) {
  if (folder.empty() || folder.find('\0') != std::string::npos) return -1;
  const int descriptor = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (descriptor >= 0) return descriptor;
  // File systems without unnamed files: a named one, removed at once.
  std::string name = folder + "/.paginor-XXXXXX";
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(name.c_str());
  return named;
}

}  // namespace

bool ReadRange(int source, int64_t offset, int64_t length, const std::function<bool(std::string_view)>& take) {
  const auto buffer = std::make_unique_for_overwrite<char[]>(CopyBlock);
  while (length > 0) {
    const size_t wanted = static_cast<size_t>(std::min<int64_t>(length, static_cast<int64_t>(CopyBlock)));
    const ssize_t got = ::pread(source, buffer.get(), wanted, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    if (!take(std::string_view(buffer.get(), static_cast<size_t>(got)))) return false;
    offset += got;
    length -= got;
  }
  return true;
}

bool ReadAllAt(int descriptor, char* data, size_t size, int64_t offset) {
  while (size > 0) {
    const ssize_t got = ::pread(descriptor, data, size, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= static_cast<size_t>(got);
    offset += got;
  }
  return true;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool WriteAllAt(int descriptor, std::string_view bytes, int64_t offset) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += written;
  }
  return true;
}

bool CopyRange(int source, int64_t offset, int64_t length, int destination) {
  // File to file in the kernel; then file to anything (a pipe, a terminal); then through a buffer.
  while (length > 0) {
    off_t from = offset;
    const size_t wanted = static_cast<size_t>(std::min<int64_t>(length, int64_t{1} << 30));
    ssize_t copied = ::copy_file_range(source, &from, destination, nullptr, wanted, 0);
    if (copied < 0 && errno != EINTR) {
      from = offset;
      copied = ::sendfile(destination, source, &from, wanted);
    }
    if (copied < 0 && errno == EINTR) continue;
    if (copied == 0) return false;  // the source ended early
    if (copied < 0) {
      if (errno != EINVAL && errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF) {
        return false;
      }
      break;
    }
    offset += copied;
    length -= copied;
  }
  return length == 0 || CopyThroughBuffer(source, offset, length, destination);
}

bool TemporaryFile::Open(const std::string& folder) {
  if (Descriptor >= 0) return true;
  Descriptor = OpenUnnamed(folder);
  if (Descriptor < 0) {
    const char* temporary = std::getenv("TMPDIR");
    Descriptor = OpenUnnamed(temporary != nullptr && *temporary != '\0' ? temporary : "/tmp");
  }
  return Descriptor >= 0;
}

void TemporaryFile::Close() {
  if (Descriptor >= 0) ::close(Descriptor);
  Descriptor = -1;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace paginor
