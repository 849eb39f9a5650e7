#pragma once

// A Python binary file-like object as a document's output: its write() receives the document's bytes
// as the library hands them out. An exception raised by write() is kept, the library is told that the
// output refused the bytes (which aborts the document), and the exception is raised again from Flush.
#include "casters.h"
// Separate line: the casters come first.
#include <memory>
#include <optional>

namespace paginor::python {

class OutputTarget {
 public:
  explicit OutputTarget(pybind11::object file);

  // The library's output function for this target; it shares the target with the caller.
  static OutputFunction Function(std::shared_ptr<OutputTarget> target);

  // Raises the exception that write() raised, if any, and forgets it.
  void RaiseKeptError();

 private:
  bool Write(std::string_view bytes);

  pybind11::object WriteMethod;
  std::optional<pybind11::error_already_set> KeptError;
};

}  // namespace paginor::python
