// tervanix.DoubleArray, DoubleArray2D and DoubleArray3D: the library's arrays, with
// their bounds, held by Python objects. The store is shared with NumPy without
// copying (the `values` view); each view keeps the array alive, and while any view
// exists the array refuses to be re-dimensioned (BufferError), as a resize would
// leave the view pointing at freed memory.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>

#include <Tervanix/runtime/Array.h>

#include "convert.h"

namespace tervanix::py_binding {

template <int Rank>
struct ArrayBox {
    rt::BasicArray<Double, Rank> array;
    int exports = 0;  // NumPy views of the store now alive
};

// The array behind a Python DoubleArray of this rank; a TypeError naming the
// parameter for anything else.
template <int Rank>
rt::BasicArray<Double, Rank>& ArrayArgument(py::handle value, const Where& where);

// A new array holding `values` (nested sequences of real numbers, or a float64 NumPy
// array, of Rank dimensions), its first element at `lower` (an int for every
// dimension, or a tuple of one per dimension).
template <int Rank>
rt::BasicArray<Double, Rank> ArrayFromValues(py::handle values, py::handle lower, const char* method);

// Whether the object is a tervanix.DoubleArray (rank 1), and its box.
std::shared_ptr<ArrayBox<1>> AsDoubleArray(py::handle value, const Where& where);

void BindArrays(py::module_& m);

}  // namespace tervanix::py_binding
