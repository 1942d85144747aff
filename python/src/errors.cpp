#include "errors.h"

namespace tervanix::py_binding {

namespace {

// The classes by kind, kept for the life of the interpreter.
PyObject* g_classes = nullptr;  // dict: kind name -> class

py::handle ClassOf(ErrorKind kind) {
    PyObject* cls = PyDict_GetItemString(g_classes, KindName(kind));
    return cls ? py::handle(cls) : py::handle(PyExc_RuntimeError);
}

}  // namespace

void RaiseLibraryError(const LibraryError& error, py::handle outputs) {
    const py::object exception = ClassOf(error.kind())(error.what());
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
            const py::object exception = ClassOf(error.kind())(error.what());
            PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
        }
    });
}

}  // namespace tervanix::py_binding
