// The extension module paginor._paginor, imported by the package paginor.
#include "casters.h"
// Separate line: the casters come first.
#include <string>
#include <utility>

#include "module_parts.h"

namespace py = pybind11;

namespace {

// Installs a Python callable as the library's message handler. An exception it raises cannot go back
// through the library: it is reported as unraisable, as Python does for callbacks.
void InstallMessageHandler(py::object handler) {
  if (handler.is_none()) {
    paginor::SetMessageHandler({});
    return;
  }
  if (!PyCallable_Check(handler.ptr())) throw py::type_error("the message handler must be callable or None");
  paginor::SetMessageHandler([handler = std::move(handler)](const std::string& text, const std::string& caption,
                                                             paginor::MessageIcon icon) {
    py::gil_scoped_acquire gil;
    try {
      handler(text, caption, icon);
    } catch (py::error_already_set& error) {
      error.discard_as_unraisable("paginor message handler");
    } catch (const std::exception& error) {
      PyErr_SetString(PyExc_RuntimeError, error.what());
      PyErr_WriteUnraisable(handler.ptr());
    }
  });
}

}  // namespace

PYBIND11_MODULE(_paginor, module) {
  module.doc() = "Paginor's C++ library: writes PDF and PostScript documents (see the package paginor).";
  paginor::python::RegisterEnumerations(module);
  paginor::python::RegisterDocuments(module);

  module.def("SetMessageHandler", &InstallMessageHandler, py::arg("handler"),
             "Installs handler(text, caption, icon) for the library's messages (each new document sends "
             "\"Initialize()\"); None shows nothing, the default.");
  module.def("SetFailureMessages", &paginor::SetFailureMessages, py::arg("enabled"),
             "When enabled, every operation that returns False also passes its failure message to the handler.");
  module.def("LibraryTitle", &paginor::LibraryTitle, "The library's title, \"Paginor\".");
  module.def("LibraryCopyright", &paginor::LibraryCopyright, "The library's one-line copyright notice.");
  module.def("LibraryVersion", &paginor::LibraryVersion, "The version of the library, \"major.minor.patch\".");
  module.attr("__version__") = paginor::LibraryVersion();

  // The handler holds a Python object: it is released while the interpreter still runs.
  py::module_::import("atexit").attr("register")(py::cpp_function([] { paginor::SetMessageHandler({}); }));
}
