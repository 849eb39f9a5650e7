#pragma once

#include "services/failure_report.h"
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

// The same, recording the cause a failure names in report.
template <typename Step>
bool PassOver(Step&& step, FailureReport& report) {
  try {
    step();
    return true;
  } catch (const Failure& failure) {
    if (!failure.Message.empty()) report.Refuse(failure.Reason, failure.Message);
    return false;
  }
}

}  // namespace paginor
