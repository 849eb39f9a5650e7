#pragma once

// The parts of the module, each adding its names to it; module.cpp calls them in this order.
#include <pybind11/pybind11.h>

namespace paginor::python {

// AlignmentConstants ... PaperSizeConstants, FailureConstants and MessageIcon as enum.IntEnum classes.
void RegisterEnumerations(pybind11::module_& module);
// Document, PDF and PS, and the exception Error that a document's context manager raises.
void RegisterDocuments(pybind11::module_& module);

}  // namespace paginor::python
