// The parts of tervanix._core, each defined in its own source.
#pragma once

#include <pybind11/pybind11.h>

namespace tervanix::py_binding {

namespace py = pybind11;

void BindErrors(py::module_& m);
void BindReasons(py::module_& m);
void BindArrays(py::module_& m);
void BindUtilities(py::module_& m);
void BindInterpolation(py::module_& m);
void BindSort(py::module_& m);
void BindMatrices(py::module_& m);
void BindBatch(py::module_& m);

}  // namespace tervanix::py_binding
