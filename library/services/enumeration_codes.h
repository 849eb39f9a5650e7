#pragma once

#include <cstdint>

namespace paginor {

// The number of an enumeration value, for the messages that name a value the caller passed.
template <typename Constant>
constexpr int32_t Code(Constant value) {
  return static_cast<int32_t>(value);
}

}  // namespace paginor
