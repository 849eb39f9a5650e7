#include "services/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

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

// Notes why the file was not read; false for "return Unread(...)".
bool Unread(std::string* why, const char* what, int error = 0) {
  if (why != nullptr) {
    *why = what;
    if (error != 0) why->append(": ").append(std::generic_category().message(error));
  }
  return false;
}

}  // namespace

bool ReadPictureFile(const std::string& file, std::vector<uint8_t>& bytes, std::string* why) {
  const Descriptor descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (descriptor.Get() < 0) return Unread(why, "cannot open the file", errno);
  struct stat status {};
  if (::fstat(descriptor.Get(), &status) != 0) return Unread(why, "cannot read the file", errno);
  if (!S_ISREG(status.st_mode)) return Unread(why, "not a regular file");
  if (status.st_size < 0 || status.st_size > 2 * MaxPictureBytes) return Unread(why, "the file is too large for a picture");
  bytes.resize(static_cast<size_t>(status.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t read = ::read(descriptor.Get(), bytes.data() + done, bytes.size() - done);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return Unread(why, "cannot read the file", errno);
    if (read == 0) return Unread(why, "the file shrank while it was read");
    done += static_cast<size_t>(read);
  }
  return true;
}

}  // namespace paginor
