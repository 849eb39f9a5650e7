#include "output_target.h"

#include <utility>

namespace paginor::python {

namespace py = pybind11;

OutputTarget::OutputTarget(py::object file) : WriteMethod(file.attr("write")) {}

OutputFunction OutputTarget::Function(std::shared_ptr<OutputTarget> target) {
  return [target = std::move(target)](std::string_view bytes) { return target->Write(bytes); };
}

void OutputTarget::RaiseKeptError() {
  if (!KeptError) return;
  py::error_already_set error = std::move(*KeptError);
  KeptError.reset();
  throw error;
}

// Hands the block over as bytes (a copy: the library reuses its buffer, and write() may keep what it
// gets). A raw stream may take part of it and return the count; the rest is offered again. None, or
// any other result, counts as all taken, as for a buffered stream.
bool OutputTarget::Write(std::string_view bytes) {
  if (KeptError) return false;
  try {
    py::bytes block(bytes.data(), bytes.size());
    py::object written = WriteMethod(block);
    size_t taken = 0;
    while (PyLong_Check(written.ptr())) {
      const long long count = PyLong_AsLongLong(written.ptr());
      if (count == -1 && PyErr_Occurred()) throw py::error_already_set();
      if (count <= 0) throw py::value_error("write() took no bytes of the document");
      taken += static_cast<size_t>(count);
      if (taken >= bytes.size()) break;
      written = WriteMethod(py::memoryview(block)[py::slice(static_cast<py::ssize_t>(taken),
                                                           static_cast<py::ssize_t>(bytes.size()), 1)]);
    }
    return true;
  } catch (py::error_already_set& error) {
    KeptError.emplace(std::move(error));
  } catch (const py::builtin_exception& error) {
    error.set_error();
    KeptError.emplace();
  } catch (const std::exception& error) {
    PyErr_SetString(PyExc_RuntimeError, error.what());
    KeptError.emplace();
  }
  return false;
}

}  // namespace paginor::python
