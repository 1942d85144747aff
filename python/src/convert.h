// Conversions of single values between Python objects and the library's value types.
// A value that cannot be converted ends the call with a Python TypeError naming the
// parameter; a whole number outside the Integer or Long range ends it with the
// library's OverflowError. Doubles cross unchanged, bit for bit (NaN, infinities,
// -0 and subnormals included).
#pragma once

#include <pybind11/pybind11.h>

#include <string>

#include <Tervanix/runtime/Types.h>

namespace tervanix::py_binding {

namespace py = pybind11;

// Where a value is converted: "Class.Method" and the parameter's name, for messages.
struct Where {
    const char* method;
    const char* parameter;
    std::string Describe() const;
};

[[noreturn]] void RaiseTypeError(const Where& where, const std::string& expected, py::handle got);
[[noreturn]] void RaiseValueError(const Where& where, const std::string& problem);

Double ToDouble(py::handle value, const Where& where);
Integer ToInteger(py::handle value, const Where& where);
Long ToLong(py::handle value, const Where& where);
Boolean ToBoolean(py::handle value, const Where& where);
String ToString(py::handle value, const Where& where);

inline py::object FromDouble(Double value) { return py::reinterpret_steal<py::object>(PyFloat_FromDouble(value)); }
inline py::object FromBoolean(Boolean value) { return py::bool_(static_cast<bool>(value)); }
py::object FromString(const String& value);

}  // namespace tervanix::py_binding
