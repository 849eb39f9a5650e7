#pragma once

#include "services/failure.h"

namespace paginor {

// Runs one step of an operation that carries on past failing steps (NewPage, the page footer, Flush);
// true when the step completed.
template <typename Step>
bool PassOver(Step&& step) {
  try {
    step();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace paginor
