#pragma once

// How the module's arguments and results cross between Python and C++. Every file of the module includes
// this header first, so that these conversions, and not pybind11's defaults, are used everywhere:
// - int16_t and uint8_t take a Python int (or anything with __index__); a float or any other type is a
//   TypeError, a number outside the C++ type's range a ValueError naming the range;
// - the enumerations are Python enum.IntEnum classes with the C++ names and values; an argument must be a
//   member of the right one (anything else, plain ints included, is a TypeError), and a result is its
//   member;
// - FilePath takes a str, bytes or os.PathLike, encoded as the file system expects; a path with a NUL
//   byte is a ValueError.

#include <pybind11/pybind11.h>

#include <cstdint>
#include <limits>
#include <string>

#include "paginor/paginor.h"

namespace paginor::python {

// A file name as the operating system takes it (bytes in the file system's encoding).
struct FilePath {
  std::string bytes;
};

// The Python enum.IntEnum class standing for the enumeration E and its members by value, made when the
// module is imported (RegisterEnumerations). Kept for the life of the process.
template <typename E>
struct EnumClass {
  static inline PyObject* type = nullptr;
  static inline PyObject* members = nullptr;  // dict: int value -> member
};

// Throws the ValueError of an integer argument outside [low, high].
[[noreturn]] void ThrowOutOfRange(long long value, long long low, long long high);

template <typename Integer>
bool LoadInteger(pybind11::handle source, Integer& value) {
  if (source.ptr() == nullptr || PyFloat_Check(source.ptr()) || !PyIndex_Check(source.ptr())) return false;
  pybind11::object number = pybind11::reinterpret_steal<pybind11::object>(PyNumber_Index(source.ptr()));
  if (!number) throw pybind11::error_already_set();
  int overflow = 0;
  const long long wide = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
  if (wide == -1 && PyErr_Occurred()) throw pybind11::error_already_set();
  constexpr long long low = std::numeric_limits<Integer>::min();
  constexpr long long high = std::numeric_limits<Integer>::max();
  if (overflow != 0 || wide < low || wide > high) {
    ThrowOutOfRange(overflow > 0 ? std::numeric_limits<long long>::max()
                                 : overflow < 0 ? std::numeric_limits<long long>::min() : wide,
                    low, high);
  }
  value = static_cast<Integer>(wide);
  return true;
}

template <typename E>
bool LoadEnum(pybind11::handle source, E& value) {
  PyObject* type = EnumClass<E>::type;
  if (type == nullptr || source.ptr() == nullptr) return false;
  const int member = PyObject_IsInstance(source.ptr(), type);
  if (member < 0) throw pybind11::error_already_set();
  if (member == 0) return false;
  const long number = PyLong_AsLong(source.ptr());
  if (number == -1 && PyErr_Occurred()) throw pybind11::error_already_set();
  value = static_cast<E>(number);
  return true;
}

// The member of E's class for value; a value outside the enumeration comes back as a plain int.
template <typename E>
pybind11::handle CastEnum(E value) {
  pybind11::int_ number(static_cast<long>(value));
  if (EnumClass<E>::members != nullptr) {
    if (PyObject* member = PyDict_GetItemWithError(EnumClass<E>::members, number.ptr())) {
      return pybind11::handle(member).inc_ref();
    }
    if (PyErr_Occurred()) throw pybind11::error_already_set();
  }
  return number.release();
}

bool LoadPath(pybind11::handle source, FilePath& path);

}  // namespace paginor::python

namespace pybind11::detail {

#define PAGINOR_PYTHON_INTEGER(Integer, python_name)                                                     \
  template <>                                                                                          \
  class type_caster<Integer> {                                                                         \
   public:                                                                                             \
    PYBIND11_TYPE_CASTER(Integer, const_name(python_name));                                            \
    bool load(handle source, bool) { return paginor::python::LoadInteger(source, value); }             \
    static handle cast(Integer source, return_value_policy, handle) { return PyLong_FromLong(source); } \
  };
PAGINOR_PYTHON_INTEGER(std::int16_t, "int")
PAGINOR_PYTHON_INTEGER(std::uint8_t, "int")
#undef PAGINOR_PYTHON_INTEGER

#define PAGINOR_PYTHON_ENUM(E)                                                                        \
  template <>                                                                                       \
  class type_caster<paginor::E> {                                                                   \
   public:                                                                                          \
    PYBIND11_TYPE_CASTER(paginor::E, const_name(#E));                                               \
    bool load(handle source, bool) { return paginor::python::LoadEnum(source, value); }             \
    static handle cast(paginor::E source, return_value_policy, handle) {                            \
      return paginor::python::CastEnum(source);                                                     \
    }                                                                                               \
  };
PAGINOR_PYTHON_ENUM(AlignmentConstants)
PAGINOR_PYTHON_ENUM(BulletConstants)
PAGINOR_PYTHON_ENUM(EncodingConstants)
PAGINOR_PYTHON_ENUM(FailureConstants)
PAGINOR_PYTHON_ENUM(FontEffectConstants)
PAGINOR_PYTHON_ENUM(FontNumberConstants)
PAGINOR_PYTHON_ENUM(FontStyleConstants)
PAGINOR_PYTHON_ENUM(OrientationConstants)
PAGINOR_PYTHON_ENUM(PaperSizeConstants)
PAGINOR_PYTHON_ENUM(MessageIcon)
#undef PAGINOR_PYTHON_ENUM

template <>
class type_caster<paginor::python::FilePath> {
 public:
  PYBIND11_TYPE_CASTER(paginor::python::FilePath, const_name("str | bytes | os.PathLike[str]"));
  bool load(handle source, bool) { return paginor::python::LoadPath(source, value); }
};

}  // namespace pybind11::detail
