// The library's LibraryError as the Python exception of its kind (tervanix._errors).
#pragma once

#include <pybind11/pybind11.h>

#include <Tervanix/runtime/LibraryError.h>

namespace tervanix::py_binding {

namespace py = pybind11;

// Raises the Python exception for `error`; `outputs`, when given, becomes its
// `outputs` attribute.
[[noreturn]] void RaiseLibraryError(const LibraryError& error, py::handle outputs = py::handle());

// Loads the exception classes and translates every LibraryError that leaves a call.
void BindErrors(py::module_& m);

}  // namespace tervanix::py_binding
