#include "errors.h"

#include <cstring>
#include <string>
#include <utility>

namespace tervanix::py_binding {

namespace {

// The classes by kind, kept for the life of the interpreter.
PyObject* g_classes = nullptr;  // dict: kind name -> class

py::handle ClassOf(ErrorKind kind) {
    PyObject* cls = PyDict_GetItemString(g_classes, KindName(kind));
    return cls ? py::handle(cls) : py::handle(PyExc_RuntimeError);
}

// The library's text, with advice given in C++ terms said in Python's.
std::string InPythonTerms(const char* what) {
    static constexpr std::pair<const char*, const char*> kAdvice[] = {
        {"pass a Variant that holds an array or refers to one (Variant::RefTo)",
         "pass a list or a tervanix.DoubleArray, which the call sorts in place"},
    };
    std::string text = what;
    for (const auto& [cpp, python] : kAdvice) {
        const std::size_t at = text.find(cpp);
        if (at != std::string::npos) text.replace(at, std::strlen(cpp), python);
    }
    return text;
}

}  // namespace

void RaiseLibraryError(const LibraryError& error, py::handle outputs) {
    const py::object exception = ClassOf(error.kind())(InPythonTerms(error.what()));
    if (outputs) exception.attr("outputs") = outputs;
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
    throw py::error_already_set();
}

void BindErrors(py::module_&) {
    g_classes = py::object(py::module_::import("tervanix._errors").attr("BY_KIND")).release().ptr();
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const LibraryError& error) {
            const py::object exception = ClassOf(error.kind())(InPythonTerms(error.what()));
            PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
        }
    });
}

}  // namespace tervanix::py_binding
