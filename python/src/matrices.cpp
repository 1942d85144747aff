// cMatrix2 (to and from NumPy), cMatrixOps, cMatrix (its solution as a list), and the
// message box through a Python callable.
#include <pybind11/numpy.h>

#include <algorithm>
#include <string>

#include <Tervanix/cMatrix.h>
#include <Tervanix/cMatrix2.h>
#include <Tervanix/cMatrixOps.h>
#include <Tervanix/runtime/MessageBox.h>

#include "binder.h"
#include "docstrings.h"
#include "module.h"
#include "variant.h"

namespace tervanix::py_binding {

using MatrixRef = std::shared_ptr<cMatrix2>;

// A matrix parameter: a tervanix.cMatrix2 or None (a reference to no object, which
// the library answers with MissingObject).
inline MatrixRef ToMatrix(py::handle value, const Where& where) {
    if (value.is_none()) return nullptr;
    if (!py::isinstance<cMatrix2>(value)) RaiseTypeError(where, "a tervanix.cMatrix2 or None", value);
    static const auto* type = py::detail::get_type_info(typeid(cMatrix2));
    InstanceValue(value.ptr(), type, "cMatrix2", where.Describe());  // constructed, and not in use
    return py::cast<MatrixRef>(value);
}
inline py::object FromMatrix(MatrixRef value) { return value ? py::cast(value) : py::none(); }

template <>
struct Param<const MatrixRef&> : Input<MatrixRef, ToMatrix> {
    static const void* Object(const MatrixRef& held) { return held.get(); }
};
template <>
struct Param<MatrixRef&> : Output<MatrixRef, ToMatrix, FromMatrix> {
    static py::object Default() { return py::none(); }
    static const void* Object(const MatrixRef& held) { return held.get(); }
};

// cMatrix.Calc's Solution: a new Collection comes back as a list of floats; when the
// call puts none there, the value given comes back as it was.
struct HeldCollection {
    std::shared_ptr<Collection> collection;
    py::object given;
};
template <>
struct Param<std::shared_ptr<Collection>&> {
    using Held = HeldCollection;
    static constexpr bool kOutput = true;
    static Held Load(py::handle value, const Where&) { return {nullptr, py::reinterpret_borrow<py::object>(value)}; }
    static std::shared_ptr<Collection>& Pass(Held& held) { return held.collection; }
    static py::object Default() { return py::none(); }
    static py::object Out(const Held& held) {
        if (!held.collection) return held.given;
        py::list items;
        for (Long i = 1; i <= held.collection->Count(); ++i) items.append(FromVariant(held.collection->Item(i)));
        return std::move(items);
    }
};

namespace {

MatrixRef MatrixFromArray(py::handle values) {
    const auto array = ArrayFromValues<2>(values, py::int_(1), "cMatrix2.from_array");
    if (array.size() == 0) throw py::value_error("cMatrix2.from_array: values must hold at least one row and column");
    auto matrix = std::make_shared<cMatrix2>();
    matrix->NumRows(array.UBound(1));
    matrix->NumCols(array.UBound(2));
    for (Long i = 1; i <= array.UBound(1); ++i) {
        for (Long j = 1; j <= array.UBound(2); ++j) matrix->PutData(i, j, array(i, j));
    }
    return matrix;
}

// The matrix of a Python cMatrix2 object, checked as every method's self is.
const cMatrix2& MatrixOf(py::handle self, const char* method) {
    static const auto* type = py::detail::get_type_info(typeid(cMatrix2));
    return *static_cast<const cMatrix2*>(InstanceValue(self.ptr(), type, "cMatrix2", method));
}

py::array_t<Double> MatrixToArray(py::handle self) {
    const cMatrix2& matrix = MatrixOf(self, "cMatrix2.to_array");
    py::array_t<Double> array({py::ssize_t{matrix.NumRows()}, py::ssize_t{matrix.NumCols()}});
    auto out = array.mutable_unchecked<2>();
    for (Long i = 1; i <= matrix.NumRows(); ++i) {
        for (Long j = 1; j <= matrix.NumCols(); ++j) out(i - 1, j - 1) = matrix.GetData(i, j);
    }
    return array;
}

// "cMatrix2(2 x 3, [[1.0, 2.0, 3.0], [4.0, 5.0, 6.0]])": the size, then the first rows
// and columns (up to 4 of each, "..." for the rest), each value as Python writes a float.
std::string MatrixRepr(py::handle self) {
    constexpr Long kShown = 4;
    const cMatrix2& matrix = MatrixOf(self, "cMatrix2.__repr__");
    const Long rows = matrix.NumRows(), cols = matrix.NumCols();
    std::string text = "cMatrix2(" + std::to_string(rows) + " x " + std::to_string(cols) + ", [";
    for (Long i = 1; i <= std::min(rows, kShown); ++i) {
        text += i > 1 ? ", [" : "[";
        for (Long j = 1; j <= std::min(cols, kShown); ++j) {
            text += (j > 1 ? ", " : "") + std::string(py::repr(py::float_(matrix.GetData(i, j))));
        }
        text += cols > kShown ? ", ...]" : "]";
    }
    return text + (rows > kShown ? ", ...])" : "])");
}

// The Python callable that receives the message box's text, or null.
PyObject* g_sink = nullptr;

py::object SetMessageSink(py::object sink) {
    if (!sink.is_none() && !PyCallable_Check(sink.ptr())) {
        RaiseTypeError(Where{"SetMessageSink", "sink"}, "a callable or None", sink);
    }
    py::object previous = g_sink ? py::reinterpret_steal<py::object>(g_sink) : py::none();
    g_sink = sink.is_none() ? nullptr : sink.inc_ref().ptr();
    if (g_sink) {
        rt::SetMessageSink([](const String& text) {
            py::gil_scoped_acquire gil;
            const py::handle current(g_sink);
            current(FromString(text));
        });
    } else {
        rt::SetMessageSink({});
    }
    return previous;
}

}  // namespace

void BindMatrices(py::module_& m) {
    py::class_<cMatrix2, MatrixRef> matrix(m, "cMatrix2", ReferenceText("cMatrix2"));
    matrix.def(py::init<>(), "__init__(self)\n--\n\nA new 1 x 1 matrix holding 0.0.");
    Def<static_cast<Long (cMatrix2::*)() const>(&cMatrix2::NumRows)>(matrix, "NumRows", {});
    Def<static_cast<void (cMatrix2::*)(const Long&)>(&cMatrix2::NumRows)>(matrix, "NumRows", {"i"});
    Def<static_cast<Long (cMatrix2::*)() const>(&cMatrix2::NumCols)>(matrix, "NumCols", {});
    Def<static_cast<void (cMatrix2::*)(const Long&)>(&cMatrix2::NumCols)>(matrix, "NumCols", {"i"});
    Def<&cMatrix2::PutData>(matrix, "PutData", {"row", "col", "value"});
    Def<&cMatrix2::GetData>(matrix, "GetData", {"row", "col"});
    matrix.def_static("from_array", &MatrixFromArray, py::arg("values"),
                      "from_array(values)\n--\n\nA new matrix holding a 2-D array (or nested sequences): element [i][j] at (i + 1, j + 1).");
    matrix.def("to_array", &MatrixToArray, "to_array(self)\n--\n\nA new NumRows x NumCols float64 array of the elements.");
    matrix.def("__array__", [](py::handle self, py::object dtype, py::object) -> py::object {
        py::object array = MatrixToArray(self);
        return dtype.is_none() ? array : array.attr("astype")(dtype);
    }, py::arg("dtype") = py::none(), py::arg("copy") = py::none(),
       "__array__(self, dtype=None, copy=None)\n--\n\nto_array(), converted to dtype when one is given.");
    matrix.def("__repr__", &MatrixRepr,
               "__repr__(self, /)\n--\n\nThe size and the first rows and columns: cMatrix2(2 x 2, [[1.0, 0.0], "
               "[0.0, 1.0]]).");

    py::class_<cMatrixOps> ops(m, "cMatrixOps", ReferenceText("cMatrixOps"));
    ops.def(py::init<>(), kNewInstanceDoc);
    Def<&cMatrixOps::MatrixTrans>(ops, "MatrixTrans", {"Original", "Transposed"});
    Def<&cMatrixOps::MatrixMult>(ops, "MatrixMult", {"A", "B", "AB"});
    Def<&cMatrixOps::MatrixInvert>(ops, "MatrixInvert", {"Original", "Inverted"}, Gil::Release);
    Def<&cMatrixOps::SimultEqns>(ops, "SimultEqns", {"Coeffs", "Vector", "Solution"});

    py::class_<cMatrix> system(m, "cMatrix", ReferenceText("cMatrix"));
    system.def(py::init<>(), kNewInstanceDoc);
    Def<&cMatrix::MatrixSize>(system, "MatrixSize", {"X"});
    Def<&cMatrix::AddToMatrix>(system, "AddToMatrix", {"row", "col", "value"});
    Def<&cMatrix::AddToVector>(system, "AddToVector", {"row", "value"});
    Def<&cMatrix::Calc>(system, "Calc", {"Solution"}, Gil::Release);
    Def<&cMatrix::HelpForProgrammer>(system, "HelpForProgrammer", {});

    m.def("SetMessageSink", &SetMessageSink, py::arg("sink"),
          "SetMessageSink(sink)\n--\n\nSends the message box's text to sink(text) (None: to standard error); returns the previous sink.");
}

}  // namespace tervanix::py_binding
