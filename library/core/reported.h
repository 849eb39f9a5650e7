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
// message handler when failure messages are asked for. Called from inside the document's own output
// function, the operation is refused.
template <typename Operation>
bool Document::Reported(const char* name, Operation&& operation) noexcept {
  DocumentWriter* writer = Guarded(static_cast<DocumentWriter*>(nullptr), [&] { return &Writer(); });
  if (writer == nullptr) return false;
  if (writer->InOutputFunction()) {
    // The operation handing bytes to the function is still running on this document: it is left alone,
    // and the refusal is kept apart from its own report.
    Guarded([&] {
      writer->NestedReport.Clear();
      writer->NestedReport.Refuse(FailureConstants::CalledFromOutput,
                                  std::string(name) + ": called from inside the document's own output function");
      ShowFailure(writer->NestedReport.Message);
    });
    return false;
  }
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

template <typename Operation>
void Document::Changed(Operation&& operation) noexcept {
  Guarded([&] {
    if (!Writer().InOutputFunction()) std::forward<Operation>(operation)();
  });
}

}  // namespace paginor
