#include "casters.h"

#include <string>

namespace paginor::python {

namespace py = pybind11;

void ThrowOutOfRange(long long value, long long low, long long high) {
  const std::string shown = value == std::numeric_limits<long long>::max()   ? "a number above " + std::to_string(high)
                            : value == std::numeric_limits<long long>::min() ? "a number below " + std::to_string(low)
                                                                               : std::to_string(value);
  throw py::value_error(shown + " is outside the range " + std::to_string(low) + " to " + std::to_string(high) +
                        " of this argument");
}

// os.fsencode's rules: str encoded for the file system, bytes as they are, os.PathLike through
// __fspath__. Anything else is refused (false: a TypeError for the caller); a path with a NUL byte, or
// one that cannot be encoded, is a ValueError.
bool LoadPath(py::handle source, FilePath& path) {
  PyObject* encoded = nullptr;
  if (PyUnicode_FSConverter(source.ptr(), &encoded) == 0) {
    py::error_already_set error;
    if (!error.matches(PyExc_ValueError)) return false;
    throw py::value_error(py::str(error.value()));
  }
  py::bytes bytes = py::reinterpret_steal<py::bytes>(encoded);
  path.bytes = std::string(bytes);
  return true;
}

}  // namespace paginor::python
