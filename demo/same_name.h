#pragma once

#include <strings.h>

#include <string_view>

namespace paginor::demo {

// True when two names are the same letters, whatever their case (as settings keys and paper names are
// compared).
inline bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace paginor::demo
