#include "reasons.h"

#include <cstring>
#include <string>

#include <Tervanix/runtime/FalseReason.h>

namespace tervanix::py_binding {

namespace {

// The class tervanix._reasons.FalseExplanation, kept for the life of the interpreter.
PyObject* g_explanation = nullptr;

// "None" is a Python keyword, so that member is FalseReason.None_.
std::string PythonName(FalseReason code) {
    const std::string name = ToString(code);
    return name == "None" ? name + "_" : name;
}

// An ImportError when tervanix.FalseReason and the library's enumeration disagree, so
// that a code never reaches Python under another name.
void CheckNames(py::handle pythonEnum) {
    int count = 0;
    for (;; ++count) {
        const auto code = static_cast<FalseReason>(count);
        if (std::string(ToString(code)) == "UnknownReason") break;
        const std::string name = py::str(pythonEnum(count).attr("name"));
        if (name != PythonName(code)) {
            throw py::import_error("tervanix.FalseReason(" + std::to_string(count) + ") is " + name +
                                   " but the library calls it " + PythonName(code));
        }
    }
    if (py::len(pythonEnum) != static_cast<std::size_t>(count)) {
        throw py::import_error("tervanix.FalseReason has " + std::to_string(py::len(pythonEnum)) +
                               " members but the library " + std::to_string(count));
    }
}

}  // namespace

py::object LastReason() {
    const FalseExplanation last = LastFalseReason();
    if (last.code() == FalseReason::None) return py::none();
    // A text cut at the capacity may end inside a character: decoded with replacement.
    const auto text = py::reinterpret_steal<py::object>(
        PyUnicode_DecodeUTF8(last.text(), static_cast<Py_ssize_t>(std::strlen(last.text())), "replace"));
    if (!text) throw py::error_already_set();
    return py::handle(g_explanation)(static_cast<int>(last.code()), text);
}

void BindReasons(py::module_& m) {
    const auto reasons = py::module_::import("tervanix._reasons");
    CheckNames(reasons.attr("FalseReason"));
    g_explanation = py::object(reasons.attr("FalseExplanation")).release().ptr();
    m.def("_last_false_reason", &LastReason);
}

}  // namespace tervanix::py_binding
