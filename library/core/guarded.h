#pragma once

#include <string>
#include <utility>

namespace paginor {

// Runs a public operation so that nothing escapes to the caller: an internal failure, or running out
// of memory, ends the operation with the fallback result (nothing for operations without one).
template <typename Result, typename Operation>
Result Guarded(Result fallback, Operation&& operation) noexcept {
  try {
    return std::forward<Operation>(operation)();
  } catch (...) {
    return fallback;
  }
}

template <typename Operation>
void Guarded(Operation&& operation) noexcept {
  try {
    std::forward<Operation>(operation)();
  } catch (...) {
  }
}

// Reads a text held by the document; an empty text when the operation fails.
template <typename Operation>
const std::string& GuardedText(Operation&& operation) noexcept {
  static const std::string nothing;
  try {
    return std::forward<Operation>(operation)();
  } catch (...) {
    return nothing;
  }
}

}  // namespace paginor
