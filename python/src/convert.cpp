#include "convert.h"

#include <cstdint>
#include <limits>

#include <Tervanix/runtime/LibraryError.h>

namespace tervanix::py_binding {

std::string Where::Describe() const { return std::string(method) + ": " + parameter; }

void RaiseTypeError(const Where& where, const std::string& expected, py::handle got) {
    throw py::type_error(where.Describe() + " must be " + expected + ", not " +
                         std::string(py::str(py::type::handle_of(got).attr("__name__"))));
}

void RaiseValueError(const Where& where, const std::string& problem) {
    throw py::value_error(where.Describe() + " " + problem);
}

namespace {

bool IsText(py::handle value) { return PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr()); }

// A whole number within [lo, hi], given as a Python int or anything with __index__.
std::int64_t ToWhole(py::handle value, const Where& where, const char* type, std::int64_t lo, std::int64_t hi) {
    if (PyFloat_Check(value.ptr()) || IsText(value) || !PyIndex_Check(value.ptr())) {
        RaiseTypeError(where, "an int", value);
    }
    const auto index = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (!index) {
        if (!PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
        PyErr_Clear();  // an __index__ that refuses (a NumPy array of several values): not an int
        RaiseTypeError(where, "an int", value);
    }
    int overflow = 0;
    const long long whole = PyLong_AsLongLongAndOverflow(index.ptr(), &overflow);
    if (whole == -1 && PyErr_Occurred()) throw py::error_already_set();
    if (overflow != 0 || whole < lo || whole > hi) {
        const std::string text = where.Describe() + " = " + std::string(py::str(index)) + " lies outside the " +
                                 type + " range " + std::to_string(lo) + " to " + std::to_string(hi);
        throw LibraryError(ErrorKind::OverflowError, text.c_str());
    }
    return whole;
}

}  // namespace

Double ToDouble(py::handle value, const Where& where) {
    PyObject* object = value.ptr();
    if (PyFloat_Check(object)) return PyFloat_AS_DOUBLE(object);
    if (PyLong_Check(object)) {
        const double converted = PyLong_AsDouble(object);
        if (converted == -1.0 && PyErr_Occurred()) {
            PyErr_Clear();
            const std::string text = where.Describe() + " = " + std::string(py::str(value)) + " lies beyond the Double range";
            throw LibraryError(ErrorKind::OverflowError, text.c_str());
        }
        return converted;
    }
    const PyNumberMethods* number = Py_TYPE(object)->tp_as_number;
    if (IsText(value) || number == nullptr || number->nb_float == nullptr) RaiseTypeError(where, "a real number", value);
    const auto converted = py::reinterpret_steal<py::object>(PyNumber_Float(object));
    if (!converted) {
        PyErr_Clear();
        RaiseTypeError(where, "a real number", value);
    }
    return PyFloat_AS_DOUBLE(converted.ptr());
}

Integer ToInteger(py::handle value, const Where& where) {
    return static_cast<Integer>(ToWhole(value, where, "Integer", std::numeric_limits<Integer>::min(),
                                        std::numeric_limits<Integer>::max()));
}

Long ToLong(py::handle value, const Where& where) {
    return static_cast<Long>(
        ToWhole(value, where, "Long", std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max()));
}

Boolean ToBoolean(py::handle value, const Where& where) {
    if (PyBool_Check(value.ptr())) return Boolean(value.ptr() == Py_True);
    // Any other whole number is the raw 16-bit value: 1 counts as True, as in C++.
    return Boolean::FromRaw(static_cast<Integer>(ToWhole(value, where, "Integer", std::numeric_limits<Integer>::min(),
                                                         std::numeric_limits<Integer>::max())));
}

String ToString(py::handle value, const Where& where) {
    if (!PyUnicode_Check(value.ptr())) RaiseTypeError(where, "a str", value);
    const auto bytes = py::reinterpret_steal<py::object>(
        PyUnicode_AsEncodedString(value.ptr(), "utf-16-le", "surrogatepass"));
    if (!bytes) throw py::error_already_set();
    const auto* units = reinterpret_cast<const char16_t*>(PyBytes_AS_STRING(bytes.ptr()));
    return String(units, static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())) / 2);
}

py::object FromString(const String& value) {
    int littleEndian = -1;
    auto text = py::reinterpret_steal<py::object>(PyUnicode_DecodeUTF16(
        reinterpret_cast<const char*>(value.data()), static_cast<Py_ssize_t>(value.size() * 2), "surrogatepass",
        &littleEndian));
    if (!text) throw py::error_already_set();
    return text;
}

}  // namespace tervanix::py_binding
