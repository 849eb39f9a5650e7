#pragma once

// A quicker way into the operations a program calls thousands of times a page (WriteText, SetFont, the
// figures, the colours). pybind11's general dispatch packs every call into a tuple and a record and
// costs several times what the library spends writing a line of text. FastMethod replaces such a bound
// method by a vectorcall method that converts its positional arguments with the module's own casters
// and calls the C++ member directly. Anything it does not handle itself (keyword arguments, a missing
// argument, an argument its caster refuses, an object not set up) goes to the pybind11 method it
// replaced, which keeps the checks, the error messages, the defaults and the documentation: both paths
// behave alike.
#include "casters.h"
// Separate line: the casters come first.
#include <array>
#include <string>
#include <tuple>
#include <utility>

namespace paginor::python {

template <typename Method>
struct MethodTraits;
template <typename Class, typename Result, typename... Arguments>
struct MethodTraits<Result (Class::*)(Arguments...)> {
  using ResultType = Result;
  using ArgumentTypes = std::tuple<Arguments...>;
};

// Self: the C++ class of the Python objects the method is installed on; Member: the member it calls.
template <typename Self, auto Member>
class FastMethod {
  using Traits = MethodTraits<decltype(Member)>;
  using Result = typename Traits::ResultType;
  using Arguments = typename Traits::ArgumentTypes;
  static constexpr size_t kCount = std::tuple_size_v<Arguments>;

 public:
  // Replaces the method `name` that pybind11 bound on `type` (the class of Self).
  static void Install(pybind11::handle type, const char* name) {
    pybind11::object bound = pybind11::getattr(type, name);
    const pybind11::detail::function_record* record = Record(bound);
    for (size_t index = 0; index < kCount; ++index) {
      // The record's first argument is self.
      Defaults[index] = index + 1 < record->args.size() ? record->args[index + 1].value.ptr() : nullptr;
    }
    Documentation = pybind11::str(bound.attr("__doc__"));
    Fallback = bound.release().ptr();  // kept with its record for the life of the process
    TypeInfo = pybind11::detail::get_type_info(typeid(Self));
    Definition = {name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&Call)),
                  METH_FASTCALL | METH_KEYWORDS, Documentation.c_str()};
    pybind11::object descriptor = pybind11::reinterpret_steal<pybind11::object>(
        PyDescr_NewMethod(reinterpret_cast<PyTypeObject*>(type.ptr()), &Definition));
    if (!descriptor) throw pybind11::error_already_set();
    pybind11::setattr(type, name, descriptor);
  }

 private:
  static const pybind11::detail::function_record* Record(const pybind11::object& bound) {
    pybind11::handle function = pybind11::detail::get_function(bound);
    pybind11::handle capsule = function ? PyCFunction_GET_SELF(function.ptr()) : nullptr;
    if (!capsule || !pybind11::isinstance<pybind11::capsule>(capsule)) {
      throw pybind11::type_error("not a pybind11 method");
    }
    return pybind11::reinterpret_borrow<pybind11::capsule>(capsule).get_pointer<pybind11::detail::function_record>();
  }

  static PyObject* Call(PyObject* self, PyObject* const* arguments, Py_ssize_t count, PyObject* keywords) {
    if (keywords == nullptr && count >= 0 && static_cast<size_t>(count) <= kCount) {
      auto* instance = reinterpret_cast<pybind11::detail::instance*>(self);
      pybind11::detail::value_and_holder value = instance->get_value_and_holder(TypeInfo, false);
      if (value && value.holder_constructed()) {
        try {
          PyObject* result = CallMember(value.value_ptr<Self>(), arguments, static_cast<size_t>(count),
                                        std::make_index_sequence<kCount>());
          if (result != nullptr || PyErr_Occurred()) return result;
        } catch (pybind11::error_already_set& error) {
          error.restore();
          return nullptr;
        } catch (const pybind11::builtin_exception& error) {
          error.set_error();
          return nullptr;
        }
      }
    }
    return CallFallback(self, arguments, count, keywords);
  }

  // Converts the arguments (the given ones, then the defaults) and calls the member; nullptr, with no
  // error set, when a conversion refuses, so that the pybind11 method reports it.
  template <size_t... Index>
  static PyObject* CallMember(Self* object, PyObject* const* arguments, size_t count, std::index_sequence<Index...>) {
    std::tuple<pybind11::detail::make_caster<std::tuple_element_t<Index, Arguments>>...> casters;
    const bool loaded = (Load(std::get<Index>(casters), Index < count ? arguments[Index] : Defaults[Index]) && ...);
    if (!loaded) return nullptr;
    if constexpr (std::is_void_v<Result>) {
      (object->*Member)(pybind11::detail::cast_op<std::tuple_element_t<Index, Arguments>>(std::get<Index>(casters))...);
      Py_RETURN_NONE;
    } else {
      Result result =
          (object->*Member)(pybind11::detail::cast_op<std::tuple_element_t<Index, Arguments>>(std::get<Index>(casters))...);
      return pybind11::detail::make_caster<Result>::cast(std::move(result), pybind11::return_value_policy::move, nullptr)
          .ptr();
    }
  }

  template <typename Caster>
  static bool Load(Caster& caster, PyObject* source) {
    return source != nullptr && caster.load(source, true);
  }

  static PyObject* CallFallback(PyObject* self, PyObject* const* arguments, Py_ssize_t count, PyObject* keywords) {
    const Py_ssize_t keywordCount = keywords == nullptr ? 0 : PyTuple_GET_SIZE(keywords);
    std::array<PyObject*, 64> stack{};
    if (count < 0 || count + keywordCount + 1 > static_cast<Py_ssize_t>(stack.size())) {
      PyErr_SetString(PyExc_TypeError, "too many arguments");
      return nullptr;
    }
    stack[0] = self;
    std::copy(arguments, arguments + count + keywordCount, stack.begin() + 1);
    return PyObject_Vectorcall(Fallback, stack.data(), static_cast<size_t>(count + 1), keywords);
  }

  static inline PyObject* Fallback = nullptr;
  static inline std::array<PyObject*, kCount> Defaults{};
  static inline const pybind11::detail::type_info* TypeInfo = nullptr;
  static inline std::string Documentation;
  static inline PyMethodDef Definition{};
};

}  // namespace paginor::python
