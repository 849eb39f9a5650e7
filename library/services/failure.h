#pragma once

#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <string>
#include <utility>

#include "paginor/enumerations.h"

namespace paginor {

// An internal failure (an arithmetic overflow, an index or value out of range) that ends the public
// operation in progress. Every public operation catches it: operations with a result return false, the
// others stop where they are. Output already appended stays in the document.
// A failure may name its cause, for the caller's report, where the code that raises it knows it.
class Failure : public std::exception {
 public:
  Failure() = default;
  Failure(FailureConstants reason, std::string message) : Reason(reason), Message(std::move(message)) {}
  const char* what() const noexcept override { return "paginor: operation failed"; }

  FailureConstants Reason = FailureConstants::InternalFailure;
  std::string Message;  // empty when the cause is not named
};

[[noreturn]] inline void Fail() { throw Failure(); }
[[noreturn]] inline void Fail(FailureConstants reason, std::string message) {
  throw Failure(reason, std::move(message));
}

// A 16-bit result, or a failure when the value does not fit.
inline int16_t CheckedInt16(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) Fail();
  return static_cast<int16_t>(value);
}

// A 32-bit result, or a failure when the value does not fit.
inline int32_t CheckedInt32(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) Fail();
  return static_cast<int32_t>(value);
}

// Rounds to the nearest integer, halves to even (2.5 gives 2, 3.5 gives 4), as a 16-bit value; a
// non-finite value or one outside the 16-bit range is a failure.
inline int16_t RoundInt16(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode rounds halves to even
  if (!(rounded >= std::numeric_limits<int16_t>::min() && rounded <= std::numeric_limits<int16_t>::max())) {
    Fail();
  }
  return static_cast<int16_t>(rounded);
}

}  // namespace paginor
