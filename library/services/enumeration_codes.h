#pragma once

#include <cstdint>

namespace paginor {

// The writers keep the enumeration values as the numbers the caller passed, unchecked where a property
// is stored as given. These name the numbers where the code reads or tests them.

// The number of an enumeration value.
template <typename Constant>
constexpr int32_t Code(Constant value) {
  return static_cast<int32_t>(value);
}

// Whether a number is one of the values from first to last of an enumeration.
template <typename Constant>
constexpr bool IsCodeBetween(int32_t code, Constant first, Constant last) {
  return code >= Code(first) && code <= Code(last);
}

}  // namespace paginor
