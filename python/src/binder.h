// One rule for every method: how its parameters cross from Python and what it returns.
//
//  - A parameter the method only reads is a Python argument converted on the way in
//    (convert.h); arrays are tervanix.DoubleArray objects, passed by reference, so
//    what the method writes into them (a sort) is seen by the caller.
//  - A parameter the method writes by reference (an output) is an optional argument
//    giving its value before the call (0, "", False or None by default) and comes
//    back in the result.
//  - A method without outputs returns its C++ result (bool, float, None). A method
//    with outputs returns a named tuple: first `result` (when the C++ method has one),
//    then each output under its parameter's name, in parameter order. When the
//    result is a Boolean, the tuple also has a `reason` attribute (not one of its
//    items): None after True, the FalseExplanation of the False after False.
//  - A LibraryError raised by the method becomes the exception of its kind; when the
//    method has outputs, the exception's `outputs` holds them as the failure left them.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include <Tervanix/BoundaryCondition.h>
#include <Tervanix/cInterp2.h>
#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/LibraryError.h>

#include "arrays.h"
#include "convert.h"
#include "errors.h"
#include "in_use.h"
#include "reasons.h"

namespace tervanix::py_binding {

// How one C++ parameter type crosses: Held is what the call keeps while it runs,
// Load makes it from the Python argument, Pass hands it to the method; an output
// also has Default (its value when not given) and Out (its value as returned).
template <typename T>
struct Param;

template <typename Value, Value (*Convert)(py::handle, const Where&)>
struct Input {
    using Held = Value;
    static constexpr bool kOutput = false;
    static Held Load(py::handle value, const Where& where) { return Convert(value, where); }
    static const Value& Pass(const Held& held) { return held; }
};

template <typename Value, Value (*Convert)(py::handle, const Where&), py::object (*Back)(Value)>
struct Output {
    using Held = Value;
    static constexpr bool kOutput = true;
    static Held Load(py::handle value, const Where& where) { return Convert(value, where); }
    static Value& Pass(Held& held) { return held; }
    static py::object Out(const Held& held) { return Back(held); }
};

// The docstring of a class's constructor without arguments, for inspect.signature.
inline constexpr const char* kNewInstanceDoc = "__init__(self)\n--\n\nA new instance; it takes no arguments.";

inline py::object FromInteger(Integer value) { return py::int_(value); }
inline py::object FromLong(Long value) { return py::int_(value); }
inline py::object FromStringValue(String value) { return FromString(value); }

template <typename E>
E ToEnumeration(py::handle value, const Where& where) { return static_cast<E>(ToLong(value, where)); }

template <> struct Param<Double> : Input<Double, ToDouble> {};
template <> struct Param<const Double&> : Input<Double, ToDouble> {};
template <> struct Param<Integer> : Input<Integer, ToInteger> {};
template <> struct Param<Long> : Input<Long, ToLong> {};
template <> struct Param<const Long&> : Input<Long, ToLong> {};
template <> struct Param<Boolean> : Input<Boolean, ToBoolean> {};
template <> struct Param<const Boolean&> : Input<Boolean, ToBoolean> {};
template <> struct Param<const String&> : Input<String, ToString> {};
template <> struct Param<BoundaryCondition> : Input<BoundaryCondition, ToEnumeration<BoundaryCondition>> {};
template <> struct Param<BoundaryCondition2> : Input<BoundaryCondition2, ToEnumeration<BoundaryCondition2>> {};

template <> struct Param<Double&> : Output<Double, ToDouble, FromDouble> {
    static py::object Default() { return py::float_(0.0); }
};
template <> struct Param<Integer&> : Output<Integer, ToInteger, FromInteger> {
    static py::object Default() { return py::int_(0); }
};
template <> struct Param<Long&> : Output<Long, ToLong, FromLong> {
    static py::object Default() { return py::int_(0); }
};
template <> struct Param<Boolean&> : Output<Boolean, ToBoolean, FromBoolean> {
    static py::object Default() { return py::bool_(false); }
};
template <> struct Param<String&> : Output<String, ToString, FromStringValue> {
    static py::object Default() { return py::str(""); }
};

template <int Rank>
struct ArrayParam {
    using Held = rt::BasicArray<Double, Rank>*;
    static constexpr bool kOutput = false;
    static Held Load(py::handle value, const Where& where) { return &ArrayArgument<Rank>(value, where); }
    static rt::BasicArray<Double, Rank>& Pass(Held held) { return *held; }
};
template <> struct Param<DoubleArray&> : ArrayParam<1> {};
template <> struct Param<const DoubleArray&> : ArrayParam<1> {};
template <> struct Param<const DoubleArray2D&> : ArrayParam<2> {};
template <> struct Param<const DoubleArray3D&> : ArrayParam<3> {};

// Work a parameter must do after the call, whether it succeeded or failed.
template <typename P, typename = void>
struct HasFinish : std::false_type {};
template <typename P>
struct HasFinish<P, std::void_t<decltype(P::Finish(std::declval<typename P::Held&>()))>> : std::true_type {};

template <typename P>
void FinishParam(typename P::Held& held) {
    if constexpr (HasFinish<P>::value) P::Finish(held);
}

enum class Gil { Keep, Release };

// What a method's entry needs beside its C++ member: its names, the defaults of its
// outputs, its result type and the overload sharing its name (NumRows() and
// NumRows(i)), kept for the life of the module.
struct MethodInfo {
    std::string method;                  // "Class.Method"
    std::vector<const char*> names;      // the parameters, in order
    std::vector<PyObject*> defaults;     // an output's value when not given (kept for good); null for an input
    PyTypeObject* resultType = nullptr;  // the named tuple, for a method with outputs
    std::string what;                    // the class's name, for messages about self
    const py::detail::type_info* selfType = nullptr;
    Gil gil = Gil::Keep;
    PyObject* (*overload)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*) = nullptr;
    std::string doc;                     // text signature and reference text, for help()
};

// The arguments of a call in parameter order (`given` has one slot per parameter):
// positional, then keywords, then the defaults of the outputs not given. False when
// the count does not fit and `info.overload` should take the call; otherwise a
// TypeError for a wrong count or keyword, naming the method and its parameters.
bool CollectArguments(const MethodInfo& info, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
                      PyObject** given);

// The C++ object of a Python instance of a library class; a TypeError when it was
// made without __init__, a RuntimeError when a call without the GIL is using it.
void* CheckedInstanceValue(PyObject* self, const py::detail::type_info* type, const std::string& what,
                           const std::string& method);

// Whether __init__ made the object. One made by __new__ alone is owned, yet has no
// holder (a shared instance such as CSort.Default() is not owned); pybind11 may have
// put uninitialised memory behind its value pointer, so the pointer alone proves nothing.
inline bool IsInitialised(const py::detail::instance* instance, const py::detail::value_and_holder& held) {
    return held.inst && held.value_ptr() && (!instance->owned || held.holder_constructed());
}

// CheckedInstanceValue, with its usual case inline: an instance of the class itself
// (not of a Python subclass), whose value and holder pybind11 keeps first, made by
// __init__, while nothing is in use. Anything else takes the whole check.
inline void* InstanceValue(PyObject* self, const py::detail::type_info* type, const std::string& what,
                           const std::string& method) {
    if (Py_TYPE(self) == type->type && NothingInUse()) {
        auto* instance = reinterpret_cast<py::detail::instance*>(self);
        const py::detail::value_and_holder held(instance, type, 0, 0);  // what get_value_and_holder finds for it
        if (IsInitialised(instance, held)) return held.value_ptr();
    }
    return CheckedInstanceValue(self, type, what, method);
}

// Sets the Python error for the exception being handled (as pybind11's own methods do).
void SetPythonError();

// Adds the method to the class as a fast-call method descriptor; when the class
// already has one of this name, it becomes the new one's overload.
void AddMethod(py::handle cls, const char* name, MethodInfo& info,
               PyObject* (*entry)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*));

// A named tuple type (a C struct sequence, quick to fill) "tervanix.<name>" with
// these fields; the names must outlive the type (string literals do). With
// `booleanResult`, the tuple's truth value is that of its first field `result`, and
// it has the attribute `reason` beyond its items (unpacking does not see it).
PyTypeObject* ResultType(const char* name, const std::vector<const char*>& fields, bool booleanResult);

inline py::object ResultValue(Boolean value) { return FromBoolean(value); }
inline py::object ResultValue(Double value) { return FromDouble(value); }
inline py::object ResultValue(Long value) { return py::int_(value); }
struct NoResult {};
inline py::object ResultValue(NoResult) { return py::none(); }

template <typename P>
py::object OutputValue(const typename P::Held& held) {
    if constexpr (P::kOutput) {
        return P::Out(held);
    } else {
        return py::none();
    }
}

// The named tuple of the call: `result` (when kReturns), then the outputs, then
// `reason` when the type has it (kReason).
template <bool kReturns, bool kReason, typename... P, typename... Held>
py::object MakeResult(PyTypeObject* type, py::object result, py::object reason, Held&... held) {
    auto tuple = py::reinterpret_steal<py::object>(PyStructSequence_New(type));
    if (!tuple) throw py::error_already_set();
    Py_ssize_t k = 0;
    if (kReturns) PyStructSequence_SetItem(tuple.ptr(), k++, result.release().ptr());
    ((P::kOutput ? PyStructSequence_SetItem(tuple.ptr(), k++, OutputValue<P>(held).release().ptr()) : void()), ...);
    if (kReason) PyStructSequence_SetItem(tuple.ptr(), k, reason.release().ptr());
    return tuple;
}

// The library object a parameter holds, to be marked in use while the GIL is released.
template <typename P, typename = void>
struct HasObject : std::false_type {};
template <typename P>
struct HasObject<P, std::void_t<decltype(P::Object(std::declval<const typename P::Held&>()))>> : std::true_type {};

template <typename P>
const void* ObjectOf(const typename P::Held& held) {
    if constexpr (HasObject<P>::value) {
        return P::Object(held);
    } else {
        return nullptr;
    }
}

template <typename M>
struct Member;
template <typename C, typename R, typename... A>
struct Member<R (C::*)(A...)> {
    using Self = C;
    using Result = R;
    using Params = std::tuple<A...>;
};
template <typename C, typename R, typename... A>
struct Member<R (C::*)(A...) const> {
    using Self = const C;
    using Result = R;
    using Params = std::tuple<A...>;
};

// The entry of the C++ member M: Python calls it directly (METH_FASTCALL), without a
// general dispatcher, and it applies the rule at the top of this file.
template <auto M, typename Params = typename Member<decltype(M)>::Params>
struct Method;

template <auto M, typename... A>
struct Method<M, std::tuple<A...>> {
    using Self = typename Member<decltype(M)>::Self;
    using R = typename Member<decltype(M)>::Result;
    static constexpr bool kReturns = !std::is_void_v<R>;
    static constexpr std::size_t kOutputs = (std::size_t{0} + ... + std::size_t{Param<A>::kOutput});
    static constexpr bool kReason = kOutputs > 0 && std::is_same_v<R, Boolean>;
    static inline MethodInfo info;

    template <std::size_t... I>
    static py::object Call(Self& self, PyObject* const* given, std::index_sequence<I...>) {
        std::tuple<typename Param<A>::Held...> held{
            Param<A>::Load(given[I], Where{info.method.c_str(), info.names[I]})...};
        auto finish = [&] { (FinishParam<Param<A>>(std::get<I>(held)), ...); };
        auto outputs = [&](py::object value, py::object reason) {
            return MakeResult<kReturns, kReason, Param<A>...>(info.resultType, std::move(value), std::move(reason),
                                                              std::get<I>(held)...);
        };
        auto invoke = [&] { return (self.*M)(Param<A>::Pass(std::get<I>(held))...); };
        std::conditional_t<kReturns, R, NoResult> result{};
        try {
            if (info.gil == Gil::Release) {
                const InUse using_them(info.method.c_str(), {&self, ObjectOf<Param<A>>(std::get<I>(held))...});
                py::gil_scoped_release released;
                if constexpr (kReturns) result = invoke(); else invoke();
            } else {
                if constexpr (kReturns) result = invoke(); else invoke();
            }
        } catch (const LibraryError& error) {
            finish();
            if constexpr (kOutputs > 0) {
                RaiseLibraryError(error, outputs(py::none(), py::none()));
            } else {
                RaiseLibraryError(error);
            }
        } catch (...) {
            finish();
            throw;
        }
        finish();
        if constexpr (kReason) {
            // Read at once, on the thread of the call: the next False replaces it.
            return outputs(ResultValue(result), result ? py::none() : LastReason());
        } else if constexpr (kOutputs > 0) {
            return outputs(ResultValue(result), py::none());
        } else {
            return ResultValue(result);
        }
    }

    static PyObject* Entry(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) noexcept {
        try {
            // Every argument by position is the usual call: the arguments are then in
            // parameter order already, and CollectArguments would copy them as they are.
            PyObject* const* arguments = args;
            std::array<PyObject*, sizeof...(A) + 1> given;
            if (nargs != static_cast<Py_ssize_t>(sizeof...(A)) || kwnames != nullptr) {
                if (!CollectArguments(info, args, nargs, kwnames, given.data())) {
                    return info.overload(self, args, nargs, kwnames);
                }
                arguments = given.data();
            }
            auto* object = static_cast<Self*>(InstanceValue(self, info.selfType, info.what, info.method));
            return Call(*object, arguments, std::index_sequence_for<A...>()).release().ptr();
        } catch (...) {
            SetPythonError();
            return nullptr;
        }
    }

    template <typename Cls>
    static void Define(Cls& cls, const char* name, std::initializer_list<const char*> names, Gil gil) {
        if (names.size() != sizeof...(A)) throw std::logic_error(std::string(name) + ": one name per parameter");
        info.what = py::str(cls.attr("__name__"));
        info.method = info.what + "." + name;
        info.names.assign(names.begin(), names.end());
        info.defaults = {DefaultOf<Param<A>>().release().ptr()...};  // never released: the info outlives Python
        info.selfType = py::detail::get_type_info(typeid(std::remove_const_t<Self>));
        info.gil = gil;
        if constexpr (kOutputs > 0) {
            std::vector<const char*> fields;
            if (kReturns) fields.push_back("result");
            std::size_t i = 0;
            ((Param<A>::kOutput ? fields.push_back(info.names[i++]) : void(++i)), ...);
            info.resultType = ResultType(name, fields, std::is_same_v<R, Boolean>);
        }
        AddMethod(cls, name, info, &Entry);
    }

    template <typename P>
    static py::object DefaultOf() {
        if constexpr (P::kOutput) {
            return P::Default();
        } else {
            return py::object();
        }
    }
};

// Defines the method `name` of the Python class over the C++ member M, by the rule at
// the top of this file; `names` are the C++ parameter names, in order.
template <auto M, typename Cls>
void Def(Cls& cls, const char* name, std::initializer_list<const char*> names, Gil gil = Gil::Keep) {
    Method<M>::Define(cls, name, names, gil);
}

}  // namespace tervanix::py_binding
