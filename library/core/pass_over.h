#pragma once

#include "services/failure.h"

namespace paginor {

// Runs one step of an operation that carries on past failing steps (NewPage, the page footer, Flush).
template <typename Step>
void PassOver(Step&& step) {
  try {
    step();
  } catch (const Failure&) {
  }
}

}  // namespace paginor
