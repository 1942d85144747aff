#include "arrays.h"

#include "binder.h"

#include <pybind11/numpy.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tervanix::py_binding {

namespace {

constexpr const char* kClassName[] = {"", "DoubleArray", "DoubleArray2D", "DoubleArray3D"};

// Each class's docstring; the first line is its signature, for inspect.signature.
constexpr const char* kClassDoc[] = {
    "",
    "DoubleArray(values=None, lower=1)\n--\n\n"
    "A one-dimensional array of float64 whose bounds the caller chooses, passed to the\n"
    "library by reference: a method that writes into it (a sort) changes it in place.\n\n"
    "DoubleArray([1.5, 2.5]) holds two values at subscripts 1 and 2; lower=0 starts them\n"
    "at 0; DoubleArray.with_bounds(1, 3) gives three zeros; DoubleArray() has no bounds\n"
    "yet. values: a list, any sequence of real numbers or a float64 NumPy array (copied).\n"
    "a[i] reads and writes element i, checked against the bounds (SubscriptOutOfRange\n"
    "outside them); a.values is a writable NumPy view of the elements, without a copy.",
    "DoubleArray2D(values=None, lower=1)\n--\n\n"
    "A two-dimensional array of float64 with bounds of the caller's choosing per\n"
    "dimension, passed to the library by reference.\n\n"
    "DoubleArray2D([[1.0, 2.0], [3.0, 4.0]]) has subscripts 1 to 2 in each dimension;\n"
    "lower=(0, 1) sets each dimension's first subscript; DoubleArray2D.with_bounds(1, 3,\n"
    "1, 2) gives zeros. a[i, j] reads and writes an element, checked; a.values is a\n"
    "writable NumPy view in row order (the last subscript varies fastest).",
    "DoubleArray3D(values=None, lower=1)\n--\n\n"
    "A three-dimensional array of float64 with bounds of the caller's choosing per\n"
    "dimension, passed to the library by reference.\n\n"
    "DoubleArray3D(values) takes nested sequences or a 3-D float64 NumPy array; lower\n"
    "is one first subscript for all dimensions or a tuple of three;\n"
    "DoubleArray3D.with_bounds(l1, u1, l2, u2, l3, u3) gives zeros. a[i, j, k] reads and\n"
    "writes an element, checked; a.values is a writable NumPy view in row order.",
};
PyTypeObject* g_classes[4] = {};  // the Python class of each rank, for a quick exact-type test
const py::detail::type_info* g_types[4] = {};

template <int Rank>
using Bounds = std::array<std::int64_t, 2 * Rank>;

template <int Rank, std::size_t... I>
rt::BasicArray<Double, Rank> MakeBounded(const Bounds<Rank>& b, std::index_sequence<I...>) {
    return rt::BasicArray<Double, Rank>(b[I]...);
}

template <int Rank, std::size_t... I>
void ReDimTo(rt::BasicArray<Double, Rank>& array, const Bounds<Rank>& b, std::index_sequence<I...>) {
    array.ReDim(b[I]...);
}

// Values given as nested sequences (depth Rank) or a float64 NumPy array with Rank
// dimensions, flattened in row order, with the extent of each dimension.
template <int Rank>
struct Gathered {
    std::array<std::int64_t, Rank> extents{};
    std::vector<Double> values;
};

template <int Rank>
void GatherSequence(py::handle items, int depth, const std::string& path, Gathered<Rank>& out, const char* method) {
    const Where where{method, path.c_str()};
    if (PyUnicode_Check(items.ptr()) || PyBytes_Check(items.ptr()) || !PySequence_Check(items.ptr())) {
        RaiseTypeError(where, Rank - depth == 1 ? "a sequence of real numbers" : "a nested sequence of real numbers",
                       items);
    }
    // A tuple of the items holds each one: an item's __float__ may change or empty the
    // caller's list meanwhile without freeing what is being read.
    const auto sequence = py::reinterpret_steal<py::object>(PySequence_Tuple(items.ptr()));
    if (!sequence) throw py::error_already_set();
    const Py_ssize_t count = PyTuple_GET_SIZE(sequence.ptr());
    PyObject** elements = &PyTuple_GET_ITEM(sequence.ptr(), 0);
    // The first sequence met at each depth fixes the extent of that dimension.
    auto& extent = out.extents[static_cast<std::size_t>(depth)];
    if (extent < 0) {
        extent = count;
    } else if (extent != count) {
        RaiseValueError(where, "has " + std::to_string(count) + " items where its neighbours have " +
                                   std::to_string(extent) + " (the rows must be of equal length)");
    }
    for (Py_ssize_t i = 0; i < count; ++i) {
        const std::string item = path + "[" + std::to_string(i) + "]";
        if (depth + 1 < Rank) {
            GatherSequence<Rank>(elements[i], depth + 1, item, out, method);
        } else if (PyFloat_Check(elements[i])) {
            out.values.push_back(PyFloat_AS_DOUBLE(elements[i]));
        } else {
            out.values.push_back(ToDouble(elements[i], Where{method, item.c_str()}));
        }
    }
}

template <int Rank>
Gathered<Rank> Gather(py::handle values, const char* method) {
    Gathered<Rank> out;
    const Where where{method, "values"};
    if (py::isinstance<py::array>(values)) {
        const auto array = py::reinterpret_borrow<py::array>(values);
        if (!py::isinstance<py::array_t<Double>>(values)) {
            RaiseTypeError(where, "a float64 array (convert with .astype(numpy.float64))", values);
        }
        if (array.ndim() != Rank) {
            RaiseValueError(where, "must have " + std::to_string(Rank) + " dimension(s), not " +
                                       std::to_string(array.ndim()));
        }
        const auto contiguous = py::array_t<Double, py::array::c_style>::ensure(array);
        for (int d = 0; d < Rank; ++d) out.extents[static_cast<std::size_t>(d)] = contiguous.shape(d);
        out.values.assign(contiguous.data(), contiguous.data() + contiguous.size());
        return out;
    }
    out.extents.fill(-1);
    GatherSequence<Rank>(values, 0, "values", out, method);
    for (auto& extent : out.extents) {
        if (extent < 0) extent = 0;  // an empty outer sequence: every inner extent is 0
    }
    return out;
}

// The lower bounds: one int for every dimension, or a tuple of one per dimension.
template <int Rank>
std::array<std::int64_t, Rank> LowerBounds(py::handle lower, const char* method) {
    std::array<std::int64_t, Rank> result{};
    const Where where{method, "lower"};
    if (Rank > 1 && PyTuple_Check(lower.ptr())) {
        const auto items = py::reinterpret_borrow<py::tuple>(lower);
        if (items.size() != Rank) RaiseValueError(where, "must hold " + std::to_string(Rank) + " bounds");
        for (int d = 0; d < Rank; ++d) result[static_cast<std::size_t>(d)] = ToLong(items[static_cast<std::size_t>(d)], where);
    } else {
        result.fill(ToLong(lower, where));
    }
    return result;
}

template <int Rank>
std::shared_ptr<ArrayBox<Rank>> MakeFromValues(py::handle values, py::handle lower) {
    auto box = std::make_shared<ArrayBox<Rank>>();
    if (!values.is_none()) box->array = ArrayFromValues<Rank>(values, lower, kClassName[Rank]);
    return box;  // without values: an array that has never been given bounds
}

template <int Rank>
Bounds<Rank> BoundsFromArgs(const py::args& args, const char* method) {
    if (args.size() != 2 * Rank) {
        throw py::type_error(std::string(method) + " takes " + std::to_string(2 * Rank) +
                             " bounds (lower, upper for each dimension), not " + std::to_string(args.size()));
    }
    Bounds<Rank> bounds{};
    for (std::size_t i = 0; i < 2 * Rank; ++i) bounds[i] = ToLong(args[i], Where{method, i % 2 ? "upper" : "lower"});
    return bounds;
}

template <int Rank>
std::array<Long, Rank> Subscripts(py::handle key) {
    std::array<Long, Rank> subscripts{};
    const Where where{kClassName[Rank], "subscript"};
    if (Rank == 1 && !PyTuple_Check(key.ptr())) {
        subscripts[0] = ToLong(key, where);
        return subscripts;
    }
    if (!PyTuple_Check(key.ptr()) || PyTuple_GET_SIZE(key.ptr()) != Rank) {
        RaiseTypeError(where, std::to_string(Rank) + " ints", key);
    }
    for (std::size_t d = 0; d < Rank; ++d) subscripts[d] = ToLong(PyTuple_GET_ITEM(key.ptr(), d), where);
    return subscripts;
}

template <int Rank>
Double& Element(ArrayBox<Rank>& box, py::handle key) {
    const auto s = Subscripts<Rank>(key);
    return std::apply([&](auto... i) -> Double& { return box.array(i...); }, s);
}

template <int Rank>
std::vector<py::ssize_t> Shape(const rt::BasicArray<Double, Rank>& array) {
    std::vector<py::ssize_t> shape(Rank, 0);
    if (!array.HasBounds()) return shape;
    for (int d = 1; d <= Rank; ++d) {
        shape[static_cast<std::size_t>(d - 1)] = std::int64_t{array.UBound(d)} - array.LBound(d) + 1;
    }
    return shape;
}

// A writable NumPy array over the store; its base keeps the array alive and counts
// as an export until NumPy lets go of it.
template <int Rank>
py::array View(const std::shared_ptr<ArrayBox<Rank>>& box) {
    const auto shape = Shape<Rank>(box->array);
    if (box->array.size() == 0) return py::array_t<Double>(shape);  // nothing to share
    auto* keeper = new std::shared_ptr<ArrayBox<Rank>>(box);
    py::capsule base(keeper, [](void* p) {
        auto* held = static_cast<std::shared_ptr<ArrayBox<Rank>>*>(p);
        --(*held)->exports;
        delete held;
    });
    ++box->exports;
    return py::array_t<Double>(shape, box->array.data(), base);
}

// The box of a Python array object, for `method` ("ReDim"); a TypeError when the object
// was made without __init__ (pybind11 would hand over uninitialised memory).
template <int Rank>
std::shared_ptr<ArrayBox<Rank>> Checked(py::handle self, const char* method) {
    InstanceValue(self.ptr(), g_types[Rank], kClassName[Rank], std::string(kClassName[Rank]) + "." + method);
    return py::cast<std::shared_ptr<ArrayBox<Rank>>>(self);
}

template <int Rank>
void BindArray(py::module_& m) {
    using Box = ArrayBox<Rank>;
    const char* name = kClassName[Rank];
    py::class_<Box, std::shared_ptr<Box>> cls(m, name, kClassDoc[Rank]);
    g_classes[Rank] = reinterpret_cast<PyTypeObject*>(cls.ptr());
    g_types[Rank] = py::detail::get_type_info(typeid(Box));
    cls.def(py::init(&MakeFromValues<Rank>), py::arg("values") = py::none(), py::arg("lower") = 1,
            "__init__(self, values=None, lower=1)\n--\n\nThe values (nested sequences or a float64 NumPy "
            "array, copied) from subscript `lower` (an int, or a tuple of one per dimension); no values: an "
            "array without bounds.")
        .def_static("with_bounds", [name](const py::args& args) {
            auto box = std::make_shared<Box>();
            box->array = MakeBounded<Rank>(BoundsFromArgs<Rank>(args, name), std::make_index_sequence<2 * Rank>());
            return box;
        }, "with_bounds(*bounds)\n--\n\nA new array of zeros with these bounds: lower, upper for each dimension.")
        .def("LBound", [](py::handle self, py::handle dim) {
            static const std::string method = std::string(kClassName[Rank]) + ".LBound";
            return Checked<Rank>(self, "LBound")->array.LBound(ToInteger(dim, Where{method.c_str(), "dim"}));
        }, py::arg("dim") = 1, "LBound(self, dim=1)\n--\n\nThe first subscript of dimension dim.")
        .def("UBound", [](py::handle self, py::handle dim) {
            static const std::string method = std::string(kClassName[Rank]) + ".UBound";
            return Checked<Rank>(self, "UBound")->array.UBound(ToInteger(dim, Where{method.c_str(), "dim"}));
        }, py::arg("dim") = 1, "UBound(self, dim=1)\n--\n\nThe last subscript of dimension dim.")
        .def("HasBounds", [](py::handle self) { return Checked<Rank>(self, "HasBounds")->array.HasBounds(); },
             "HasBounds(self)\n--\n\nWhether the array has ever been given bounds.")
        .def("ReDim", [name](py::handle self, const py::args& args) {
            Box& b = *Checked<Rank>(self, "ReDim");
            const auto bounds = BoundsFromArgs<Rank>(args, name);
            if (b.exports > 0) {
                throw py::buffer_error(std::string(name) +
                                       ".ReDim: a NumPy view of the store exists; delete it before re-dimensioning");
            }
            ReDimTo<Rank>(b.array, bounds, std::make_index_sequence<2 * Rank>());
        }, "ReDim(self, *bounds)\n--\n\nNew bounds (lower, upper for each dimension), every value 0; a BufferError "
           "while a NumPy view of the store exists.")
        .def("__getitem__", [](py::handle self, py::handle key) {
            return FromDouble(Element<Rank>(*Checked<Rank>(self, "__getitem__"), key));
        }, "__getitem__(self, subscripts, /)\n--\n\nThe element at these subscripts (one per dimension), checked.")
        .def("__setitem__", [name](py::handle self, py::handle key, py::handle value) {
            const Double converted = ToDouble(value, Where{name, "value"});
            Element<Rank>(*Checked<Rank>(self, "__setitem__"), key) = converted;
        }, "__setitem__(self, subscripts, value, /)\n--\n\nSets the element at these subscripts, checked.")
        .def("__len__", [](py::handle self) { return Checked<Rank>(self, "__len__")->array.size(); },
             "__len__(self, /)\n--\n\nThe number of elements, all dimensions together.")
        .def_property_readonly("values", &View<Rank>,
                               "A writable NumPy view of the elements in row order, without a copy.")
        .def("__array__", [](const std::shared_ptr<Box>& b, py::object dtype, py::object) -> py::object {
            py::array view = View<Rank>(b);
            if (dtype.is_none()) return std::move(view);
            return py::module_::import("numpy").attr("asarray")(view, dtype);
        }, py::arg("dtype") = py::none(), py::arg("copy") = py::none(),
           "__array__(self, dtype=None, copy=None)\n--\n\nThe NumPy view (numpy.asarray(a)); converted to dtype "
           "when one is given.")
        .def("__iter__", [](const std::shared_ptr<Box>& b) { return py::iter(View<Rank>(b)); },
             "__iter__(self, /)\n--\n\nThe elements (1-D) or the rows of values, as the NumPy view gives them.")
        .def("__repr__", [name](const std::shared_ptr<Box>& b) {
            if (!b->array.HasBounds()) return std::string(name) + "()";
            std::string lower;
            for (int d = 1; d <= Rank; ++d) lower += (d > 1 ? ", " : "") + std::to_string(b->array.LBound(d));
            if (Rank > 1) lower = "(" + lower + ")";
            return std::string(name) + "(" + std::string(py::repr(View<Rank>(b).attr("tolist")())) +
                   ", lower=" + lower + ")";
        });
}

}  // namespace

template <int Rank>
rt::BasicArray<Double, Rank> ArrayFromValues(py::handle values, py::handle lower, const char* method) {
    const auto lowers = LowerBounds<Rank>(lower, method);
    const Gathered<Rank> gathered = Gather<Rank>(values, method);
    Bounds<Rank> bounds{};
    for (std::size_t d = 0; d < Rank; ++d) {
        bounds[2 * d] = lowers[d];
        bounds[2 * d + 1] = lowers[d] + gathered.extents[d] - 1;
    }
    auto array = MakeBounded<Rank>(bounds, std::make_index_sequence<2 * Rank>());
    std::copy(gathered.values.begin(), gathered.values.end(), array.data());
    return array;
}

template rt::BasicArray<Double, 1> ArrayFromValues<1>(py::handle, py::handle, const char*);
template rt::BasicArray<Double, 2> ArrayFromValues<2>(py::handle, py::handle, const char*);
template rt::BasicArray<Double, 3> ArrayFromValues<3>(py::handle, py::handle, const char*);

template <int Rank>
rt::BasicArray<Double, Rank>& ArrayArgument(py::handle value, const Where& where) {
    if (Py_TYPE(value.ptr()) != g_classes[Rank] && !py::isinstance<ArrayBox<Rank>>(value)) {
        RaiseTypeError(where, std::string("a tervanix.") + kClassName[Rank], value);
    }
    return static_cast<ArrayBox<Rank>*>(InstanceValue(value.ptr(), g_types[Rank], kClassName[Rank], where.Describe()))->array;
}

template rt::BasicArray<Double, 1>& ArrayArgument<1>(py::handle, const Where&);
template rt::BasicArray<Double, 2>& ArrayArgument<2>(py::handle, const Where&);
template rt::BasicArray<Double, 3>& ArrayArgument<3>(py::handle, const Where&);

std::shared_ptr<ArrayBox<1>> AsDoubleArray(py::handle value, const Where& where) {
    if (!py::isinstance<ArrayBox<1>>(value)) return nullptr;
    ArrayArgument<1>(value, where);  // refuses an array made without __init__
    return py::cast<std::shared_ptr<ArrayBox<1>>>(value);
}

void BindArrays(py::module_& m) {
    BindArray<1>(m);
    BindArray<2>(m);
    BindArray<3>(m);
}

}  // namespace tervanix::py_binding
