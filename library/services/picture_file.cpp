#include "services/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "services/picture_limits.h"

namespace paginor {

namespace {

// Closes the descriptor however the read ends.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : Value(descriptor) {}
  ~Descriptor() {
    if (Value >= 0) ::close(Value);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return Value; }

 private:
  int Value;
};

}  // namespace

bool ReadPictureFile(const std::string& file, std::vector<uint8_t>& bytes) {
  const Descriptor descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (descriptor.Get() < 0) return false;
  struct stat status {};
  if (::fstat(descriptor.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  if (status.st_size < 0 || status.st_size > 2 * MaxPictureBytes) return false;
  bytes.resize(static_cast<size_t>(status.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t read = ::read(descriptor.Get(), bytes.data() + done, bytes.size() - done);
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) return false;  // an error, or the file shrank while it was read
    done += static_cast<size_t>(read);
  }
  return true;
}

}  // namespace paginor
