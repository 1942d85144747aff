#include "binder.h"

#include <cstring>
#include <map>

#include "docstrings.h"

namespace tervanix::py_binding {

namespace {

std::string ParameterList(const MethodInfo& info) {
    if (info.names.empty()) return "it takes no arguments";
    std::string list = "its parameters are";
    for (std::size_t i = 0; i < info.names.size(); ++i) list += std::string(i ? ", " : " ") + info.names[i];
    return list;
}

// "Name($self, X, Y, m=0.0)": the outputs with their defaults, for inspect.signature.
// The parameters beyond those of a shorter overload (NumRows() beside NumRows(i)) are
// shown as optional, with the default "...".
std::string TextSignature(const char* name, const MethodInfo& info, std::size_t required) {
    std::string text = std::string(name) + "($self";
    for (std::size_t i = 0; i < info.names.size(); ++i) {
        text += std::string(", ") + info.names[i];
        if (info.defaults[i]) {
            text += "=" + std::string(py::repr(py::handle(info.defaults[i])));
        } else if (i >= required) {
            text += "=...";
        }
    }
    return text + ")";
}

std::string ResultText(const MethodInfo& info) {
    if (!info.resultType) return "";
    const auto fields = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(info.resultType)).attr("_fields");
    std::string text = "\n\nReturns a named tuple tervanix." + std::string(info.resultType->tp_name).substr(9) + "(";
    bool first = true;
    for (const auto field : fields) {
        text += (first ? "" : ", ") + std::string(py::str(field));
        first = false;
    }
    return text + ")" + (info.resultType->tp_as_number->nb_bool
                             ? ", whose truth value is that of result; its attribute reason is None after True, "
                               "and after False the FalseExplanation of why."
                             : ".");
}

int TruthOfResult(PyObject* tuple) { return PyObject_IsTrue(PyStructSequence_GET_ITEM(tuple, 0)); }

}  // namespace

bool CollectArguments(const MethodInfo& info, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
                      PyObject** given) {
    const auto count = static_cast<Py_ssize_t>(info.names.size());
    if (nargs > count) {
        if (info.overload) return false;
        throw py::type_error(info.method + " takes at most " + std::to_string(count) + " arguments, not " +
                             std::to_string(nargs) + "; " + ParameterList(info));
    }
    for (Py_ssize_t i = 0; i < count; ++i) given[i] = i < nargs ? args[i] : nullptr;
    const Py_ssize_t keywords = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
    for (Py_ssize_t k = 0; k < keywords; ++k) {
        PyObject* key = PyTuple_GET_ITEM(kwnames, k);
        Py_ssize_t j = 0;
        while (j < count && PyUnicode_CompareWithASCIIString(key, info.names[static_cast<std::size_t>(j)]) != 0) ++j;
        if (j == count) {
            if (info.overload) return false;
            throw py::type_error(info.method + " has no parameter " + std::string(py::repr(key)) + "; " +
                                 ParameterList(info));
        }
        if (given[j]) {
            throw py::type_error(info.method + ": " + info.names[static_cast<std::size_t>(j)] +
                                 " is given twice (by position and by keyword)");
        }
        given[j] = args[nargs + k];
    }
    for (Py_ssize_t j = 0; j < count; ++j) {
        if (given[j]) continue;
        PyObject* fallback = info.defaults[static_cast<std::size_t>(j)];
        if (!fallback) {
            if (info.overload) return false;
            throw py::type_error(info.method + ": the argument " + info.names[static_cast<std::size_t>(j)] +
                                 " is missing; " + ParameterList(info));
        }
        given[j] = fallback;
    }
    return true;
}

void* CheckedInstanceValue(PyObject* self, const py::detail::type_info* type, const std::string& what,
                           const std::string& method) {
    auto* instance = reinterpret_cast<py::detail::instance*>(self);
    const auto held = instance->get_value_and_holder(type, false);
    if (!IsInitialised(instance, held)) {
        throw py::type_error(method + ": this " + what + " object was never initialised (made by " + what +
                             ".__new__ without __init__)");
    }
    RefuseIfInUse(held.value_ptr(), what.c_str(), method);
    return held.value_ptr();
}

void SetPythonError() {
    auto& local = py::detail::get_local_internals().registered_exception_translators;
    if (py::detail::apply_exception_translators(local)) return;
    auto& global = py::detail::get_internals().registered_exception_translators;
    if (py::detail::apply_exception_translators(global)) return;
    PyErr_SetString(PyExc_SystemError, "tervanix: an exception escaped the binding's translation");
}

void AddMethod(py::handle cls, const char* name, MethodInfo& info,
               PyObject* (*entry)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*)) {
    static std::map<std::string, std::pair<decltype(entry), const MethodInfo*>> entries;  // the last of each name
    std::size_t required = info.names.size();
    if (const auto previous = entries.find(info.method); previous != entries.end()) {
        info.overload = previous->second.first;
        required = previous->second.second->names.size();
    }
    entries[info.method] = {entry, &info};
    info.doc = TextSignature(name, info, required) + "\n--\n\n" + ReferenceText(info.method) + ResultText(info);
    auto* def = new PyMethodDef{name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(entry)),
                                METH_FASTCALL | METH_KEYWORDS, info.doc.c_str()};
    const auto descriptor = py::reinterpret_steal<py::object>(PyDescr_NewMethod(reinterpret_cast<PyTypeObject*>(cls.ptr()), def));
    if (!descriptor) throw py::error_already_set();
    cls.attr(name) = descriptor;
}

PyTypeObject* ResultType(const char* name, const std::vector<const char*>& fields, bool booleanResult) {
    // The type lives as long as the module; its descriptions must too. Fields past
    // n_in_sequence are attributes only: `reason` is one.
    auto* described = new PyStructSequence_Field[fields.size() + 2]();
    for (std::size_t i = 0; i < fields.size(); ++i) described[i] = {fields[i], nullptr};
    if (booleanResult) described[fields.size()] = {"reason", nullptr};
    const std::string qualified = std::string("tervanix.") + name;
    auto* desc = new PyStructSequence_Desc{strdup(qualified.c_str()), nullptr, described, static_cast<int>(fields.size())};
    PyTypeObject* type = PyStructSequence_NewType(desc);
    if (!type) throw py::error_already_set();
    py::tuple names(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) names[i] = py::str(fields[i]);
    py::handle(reinterpret_cast<PyObject*>(type)).attr("_fields") = names;  // as a namedtuple has
    if (booleanResult) type->tp_as_number->nb_bool = &TruthOfResult;
    PyType_Modified(type);
    return type;
}

}  // namespace tervanix::py_binding
