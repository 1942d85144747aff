// CSort. Its Variant parameters take a tervanix.DoubleArray, sorted in place by
// reference; a Python list, sorted in place (its items cross as Variants and are
// written back, also when the sort fails part way); or a single value.
#include <Tervanix/CSort.h>

#include "binder.h"
#include "docstrings.h"
#include "module.h"
#include "variant.h"

namespace tervanix::py_binding {

struct HeldVariant {
    Variant value;
    py::object list;                    // the caller's list, written back after the call
    std::shared_ptr<ArrayBox<1>> kept;  // the caller's DoubleArray, referred to by value
};

template <>
struct Param<Variant&> {
    using Held = HeldVariant;
    static constexpr bool kOutput = false;

    static Held Load(py::handle value, const Where& where) {
        Held held;
        if ((held.kept = AsDoubleArray(value, where))) {
            held.value = Variant::RefTo(held.kept->array);
        } else if (PyList_Check(value.ptr())) {
            held.list = py::reinterpret_borrow<py::object>(value);
            const auto snapshot = py::reinterpret_steal<py::object>(PySequence_Tuple(value.ptr()));  // holds each item
            if (!snapshot) throw py::error_already_set();
            const Py_ssize_t n = PyTuple_GET_SIZE(snapshot.ptr());
            VariantArray items(Py_ssize_t{0}, n - 1);
            for (Py_ssize_t i = 0; i < n; ++i) {
                const std::string item = std::string(where.parameter) + "[" + std::to_string(i) + "]";
                items(static_cast<Long>(i)) = ToVariant(PyTuple_GET_ITEM(snapshot.ptr(), i), Where{where.method, item.c_str()});
            }
            held.value = Variant(std::move(items));
        } else {
            held.value = ToVariant(value, where);
        }
        return held;
    }
    static Variant& Pass(Held& held) { return held.value; }
    static void Finish(Held& held) {
        if (!held.list) return;
        const auto* items = std::get<VariantArray*>(rt::ArrayOf(held.value));
        for (Long i = items->LBound(); i <= items->UBound(); ++i) {
            held.list[py::int_(i)] = FromVariant((*items)(i));
        }
    }
};

void BindSort(py::module_& m) {
    py::class_<CSort> sort(m, "CSort", ReferenceText("CSort"));
    sort.def(py::init<>(), kNewInstanceDoc);
    sort.def_static("Default", [] { return &CSort::Default(); }, py::return_value_policy::reference,
                    (std::string("Default()\n--\n\n") + ReferenceText("CSort.Default")).c_str());
    Def<&CSort::BubbleSortXYPairsByX>(sort, "BubbleSortXYPairsByX", {"vXData", "vYData"});
    Def<&CSort::BubbleSort1DArray>(sort, "BubbleSort1DArray", {"vXData"});
}

}  // namespace tervanix::py_binding
