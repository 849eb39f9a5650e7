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
// __fspath__; a TypeError for anything else and a ValueError for a NUL byte, raised as Python raises them.
bool LoadPath(py::handle source, FilePath& path) {
  PyObject* encoded = nullptr;
  if (PyUnicode_FSConverter(source.ptr(), &encoded) == 0) throw py::error_already_set();
  py::bytes bytes = py::reinterpret_steal<py::bytes>(encoded);
  path.bytes = std::string(bytes);
  return true;
}

}  // namespace paginor::python
