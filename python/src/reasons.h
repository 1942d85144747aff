// Why a method returned False, for Python: tervanix.FalseExplanation objects made from
// the library's per-thread LastFalseReason() (tervanix/_reasons.py).
#pragma once

#include <pybind11/pybind11.h>

namespace tervanix::py_binding {

namespace py = pybind11;

// The FalseExplanation of the last False on this thread; None before any. Call it on
// the thread that made the call, before any other library call there.
py::object LastReason();

// Loads the Python classes, checks that FalseReason's names are the library's, and
// defines _core._last_false_reason.
void BindReasons(py::module_& m);

}  // namespace tervanix::py_binding
