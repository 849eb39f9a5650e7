#pragma once

#include <string>
#include <utility>

#include "core/document_writer.h"
#include "core/guarded.h"
#include "paginor/document.h"
#include "platform/platform_services.h"

namespace paginor {

// Runs a public operation with a result so that nothing escapes, and keeps why it failed: the reason
// the operation recorded, else an internal failure. The message names the operation, and goes to the
// message handler when failure messages are asked for.
template <typename Operation>
bool Document::Reported(const char* name, Operation&& operation) noexcept {
  DocumentWriter* writer = Guarded(static_cast<DocumentWriter*>(nullptr), [&] { return &Writer(); });
  if (writer == nullptr) return false;
  writer->Report.Clear();
  const bool succeeded = Guarded(false, std::forward<Operation>(operation));
  if (succeeded) {
    writer->Report.Clear();
    return true;
  }
  Guarded([&] {
    writer->Report.Refuse(FailureConstants::InternalFailure, "a value overflowed or memory ran out");
    writer->Report.Message.insert(0, std::string(name) + ": ");
    ShowFailure(writer->Report.Message);
  });
  return false;
}

}  // namespace paginor
