// The library's own version, fixed when the library is compiled.
#include "paginor/version.h"

namespace paginor {

const std::string& LibraryVersion() {
  static const std::string version = PAGINOR_VERSION_STRING;
  return version;
}

}  // namespace paginor
