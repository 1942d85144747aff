#include "variant.h"

namespace tervanix::py_binding {

Variant ToVariant(py::handle value, const Where& where) {
    PyObject* object = value.ptr();
    if (value.is_none()) return Variant();
    if (PyBool_Check(object)) return Variant(Boolean(object == Py_True));
    if (PyFloat_Check(object)) return Variant(PyFloat_AS_DOUBLE(object));
    if (PyLong_Check(object)) return Variant(ToLong(value, where));
    if (PyUnicode_Check(object)) return Variant(ToString(value, where));
    RaiseTypeError(where, "None, a bool, an int, a float or a str", value);
}

py::object FromVariant(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty: return py::none();
        case Variant::Kind::OfInteger: return py::int_(value.AsInteger());
        case Variant::Kind::OfLong: return py::int_(value.AsLong());
        case Variant::Kind::OfDouble: return FromDouble(value.AsDouble());
        case Variant::Kind::OfBoolean: return FromBoolean(value.AsBoolean());
        case Variant::Kind::OfString: return FromString(value.AsString());
        default: break;
    }
    // An array: its elements in order, as a list.
    Variant copy(value);
    const rt::ArrayRef array = rt::ArrayOf(copy);
    py::list items;
    for (Long i = rt::LBound(array); i <= rt::UBound(array); ++i) items.append(FromVariant(rt::LoadElement(array, i)));
    return std::move(items);
}

}  // namespace tervanix::py_binding
