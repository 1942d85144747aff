// The batch lookups over NumPy: tervanix._core._*_batch, wrapped by tervanix/_batch.py,
// which checks and broadcasts the arguments. Here the tables are DoubleArray objects
// (pinned: no ReDim while the call runs) and the targets contiguous float64 arrays of
// one length, copied before the GIL is released; the results are new arrays, and the
// library works with the GIL released.
#include <pybind11/numpy.h>

#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include <Tervanix/Batch.h>

#include "arrays.h"
#include "module.h"

namespace tervanix::py_binding {

namespace {

// The numbering of tervanix.BatchOutcome (tervanix/_batch.py).
static_assert(static_cast<int>(BatchOutcome::ReturnedTrue) == 0 && static_cast<int>(BatchOutcome::ReturnedFalse) == 1 &&
              static_cast<int>(BatchOutcome::OverflowError) == 2 && static_cast<int>(BatchOutcome::OutOfMemory) == 8);

using Targets = py::array_t<Double, py::array::c_style>;

// The targets, copied while the GIL is held: the library then reads memory that no
// Python code can free or move while it runs without the GIL (another thread may
// resize a NumPy array with refcheck=False, or give it new memory through
// __setstate__, and a buffer held open does not stop either). The copy goes to memory
// this thread keeps for its batch calls (slot 0 to 2, one per coordinate), so that a
// call does not pay for fresh pages: up to 2^20 targets a coordinate are kept.
Span<const Double> TargetCopy(py::handle value, const char* name, std::size_t n, std::size_t slot) {
    if (!py::isinstance<Targets>(value)) throw py::type_error(std::string(name) + " must be a float64 array");
    const auto array = py::reinterpret_borrow<Targets>(value);
    if (!(array.flags() & py::array::c_style) || static_cast<std::size_t>(array.size()) != n) {
        throw py::value_error(std::string(name) + " must be contiguous and of the size of the first targets");
    }
    constexpr std::size_t kKept = std::size_t{1} << 20;
    thread_local std::vector<Double> copies[3];
    std::vector<Double>& copy = copies[slot];
    if (copy.capacity() > kKept && n <= kKept) std::vector<Double>().swap(copy);  // let a large one go
    copy.assign(array.data(), array.data() + n);
    return {copy.data(), n};
}

// A table passed to a call that runs without the GIL: refused to ReDim meanwhile.
template <int Rank>
struct PinnedTable {
    std::shared_ptr<ArrayBox<Rank>> box;
    PinnedTable(py::handle value, const char* function, const char* name) {
        ArrayArgument<Rank>(value, Where{function, name});
        box = py::cast<std::shared_ptr<ArrayBox<Rank>>>(value);
        ++box->exports;
    }
    ~PinnedTable() { --box->exports; }
    PinnedTable(const PinnedTable&) = delete;
    PinnedTable& operator=(const PinnedTable&) = delete;
    rt::BasicArray<Double, Rank>& operator*() const { return box->array; }
};

static_assert(std::is_same_v<std::underlying_type_t<FalseReason>, std::int8_t>);

// Runs `lookup(results, outcomes, reasons)` without the GIL over n targets; (values,
// outcomes, reasons), the reasons an int8 array of FalseReason codes when asked for
// (`withReasons`), else None and an empty span passed to the library.
template <typename Lookup>
py::tuple RunBatch(std::size_t n, bool withReasons, Lookup&& lookup) {
    py::array_t<Double> values(static_cast<py::ssize_t>(n));
    py::array_t<std::int8_t> outcomes(static_cast<py::ssize_t>(n));
    py::object reasonArray = py::none();
    Span<FalseReason> reasons;
    if (withReasons) {
        py::array_t<std::int8_t> codes(static_cast<py::ssize_t>(n));
        reasons = Span<FalseReason>(reinterpret_cast<FalseReason*>(codes.mutable_data()), n);
        reasonArray = codes;
    }
    Double* v = values.mutable_data();
    for (std::size_t i = 0; i < n; ++i) v[i] = std::numeric_limits<Double>::quiet_NaN();
    {
        py::gil_scoped_release released;
        lookup(Span<Double>(v, n), Span<BatchOutcome>(reinterpret_cast<BatchOutcome*>(outcomes.mutable_data()), n),
               reasons);
    }
    return py::make_tuple(values, outcomes, reasonArray);
}

// The number of targets: every element of a (contiguous, any-dimensional) array.
std::size_t Count(py::handle targets) {
    if (py::isinstance<py::array>(targets)) return static_cast<std::size_t>(py::reinterpret_borrow<py::array>(targets).size());
    return static_cast<std::size_t>(py::len(targets));
}

}  // namespace

void BindBatch(py::module_& m) {
    m.def("_interpolation_of_1d_array_batch", [](py::handle x, py::handle y, Long condition, py::handle targets,
                                                 unsigned threads, bool withReasons) {
        const char* f = "interpolation_of_1d_array_batch";
        PinnedTable<1> X(x, f, "dXArray"), Y(y, f, "dYArray");
        const std::size_t n = Count(targets);
        const auto t = TargetCopy(targets, "targets", n, 0);
        const auto boundary = static_cast<BoundaryCondition>(condition);
        return RunBatch(n, withReasons, [&](auto results, auto outcomes, auto reasons) {
            InterpolationOf1DArrayBatch(*X, *Y, boundary, t, results, outcomes, reasons, {threads});
        });
    });
    m.def("_interp2d_batch", [](py::handle x, py::handle y, bool allow, py::handle targets, unsigned threads,
                                bool withReasons) {
        const char* f = "interp2d_batch";
        PinnedTable<1> X(x, f, "XValues"), Y(y, f, "YValues");
        const std::size_t n = Count(targets);
        const auto t = TargetCopy(targets, "targets", n, 0);
        return RunBatch(n, withReasons, [&](auto results, auto outcomes, auto reasons) {
            Interp2DBatch(*X, *Y, allow, t, results, outcomes, reasons, {threads});
        });
    });
    m.def("_interp3d_batch", [](py::handle x, py::handle y, py::handle z, bool allow, py::handle tx, py::handle ty,
                                unsigned threads, bool withReasons) {
        const char* f = "interp3d_batch";
        PinnedTable<1> X(x, f, "XValues"), Y(y, f, "YValues");
        PinnedTable<2> Z(z, f, "ZValues");
        const std::size_t n = Count(tx);
        const auto sx = TargetCopy(tx, "X", n, 0), sy = TargetCopy(ty, "Y", n, 1);
        return RunBatch(n, withReasons, [&](auto results, auto outcomes, auto reasons) {
            Interp3DBatch(*X, *Y, *Z, allow, sx, sy, results, outcomes, reasons, {threads});
        });
    });
    m.def("_interp4d_batch", [](py::handle w, py::handle x, py::handle y, py::handle z, bool allow, py::handle tw,
                                py::handle tx, py::handle ty, unsigned threads, bool withReasons) {
        const char* f = "interp4d_batch";
        PinnedTable<1> W(w, f, "WValues"), X(x, f, "XValues"), Y(y, f, "YValues");
        PinnedTable<3> Z(z, f, "ZValues");
        const std::size_t n = Count(tw);
        const auto sw = TargetCopy(tw, "W", n, 0), sx = TargetCopy(tx, "X", n, 1), sy = TargetCopy(ty, "Y", n, 2);
        return RunBatch(n, withReasons, [&](auto results, auto outcomes, auto reasons) {
            Interp4DBatch(*W, *X, *Y, *Z, allow, sw, sx, sy, results, outcomes, reasons, {threads});
        });
    });
}

}  // namespace tervanix::py_binding
