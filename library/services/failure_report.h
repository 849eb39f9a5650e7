#pragma once

#include <string>

#include "paginor/enumerations.h"

namespace paginor {

// Why the last operation with a result failed, in a reason and a message in plain English that names
// the argument and its value. Operations record it where they refuse; the public document clears it
// before each such operation and fills in an internal failure when one failed without a reason.
struct FailureReport {
  FailureConstants Reason = FailureConstants::NoFailure;
  std::string Message;

  void Clear() {
    Reason = FailureConstants::NoFailure;
    Message.clear();
  }
  // Records the reason (the first one of an operation stays) and returns false, for "return Refuse(...)".
  bool Refuse(FailureConstants reason, std::string message) {
    if (Reason == FailureConstants::NoFailure) {
      Reason = reason;
      Message = std::move(message);
    }
    return false;
  }
};

}  // namespace paginor
