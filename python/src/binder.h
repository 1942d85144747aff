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
//    then each output under its parameter's name, in parameter order.
//  - A LibraryError raised by the method becomes the exception of its kind; when the
//    method has outputs, the exception's `outputs` holds them as the failure left them.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
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

// A named tuple type (a C struct sequence, quick to fill) "tervanix.<name>" with
// these fields; the names must outlive the type (string literals do).
PyTypeObject* ResultType(const char* name, const std::vector<const char*>& fields);

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

// The named tuple of the call: `result` (when kReturns), then the outputs.
template <bool kReturns, typename... P, typename... Held>
py::object MakeResult(PyTypeObject* type, py::object result, Held&... held) {
    auto tuple = py::reinterpret_steal<py::object>(PyStructSequence_New(type));
    if (!tuple) throw py::error_already_set();
    Py_ssize_t k = 0;
    if (kReturns) PyStructSequence_SetItem(tuple.ptr(), k++, result.release().ptr());
    ((P::kOutput ? PyStructSequence_SetItem(tuple.ptr(), k++, OutputValue<P>(held).release().ptr()) : void()), ...);
    return tuple;
}

template <typename P>
py::arg ArgumentOf(const char* name, std::false_type /*output*/) { return py::arg(name); }
template <typename P>
py::arg_v ArgumentOf(const char* name, std::true_type /*output*/) { return py::arg(name) = P::Default(); }

template <typename A>
using HandleOf = py::handle;

template <typename Self, typename R, typename Cls, typename Method, typename... A, std::size_t... I>
void DefineMethod(Cls& cls, const char* name, Method method, const std::array<const char*, sizeof...(A)>& names,
                  Gil gil, std::index_sequence<I...>) {
    constexpr bool kReturns = !std::is_void_v<R>;
    constexpr std::size_t kOutputs = (std::size_t{0} + ... + std::size_t{Param<A>::kOutput});
    struct Info {
        std::string method;
        std::array<const char*, sizeof...(A)> names;
        PyTypeObject* resultType = nullptr;
    };
    auto info = std::make_shared<Info>();
    info->method = std::string(py::str(cls.attr("__name__"))) + "." + name;
    info->names = names;
    if constexpr (kOutputs > 0) {
        std::vector<const char*> fields;
        if (kReturns) fields.push_back("result");
        ((Param<A>::kOutput ? fields.push_back(names[I]) : void()), ...);
        info->resultType = ResultType(name, fields);
    }

    auto call = [info, method, gil](Self& self, HandleOf<A>... arguments) -> py::object {
        std::tuple<typename Param<A>::Held...> held{
            Param<A>::Load(arguments, Where{info->method.c_str(), info->names[I]})...};
        auto finish = [&] {
            (FinishParam<Param<A>>(std::get<I>(held)), ...);
        };
        auto outputs = [&](py::object value) {
            return MakeResult<kReturns, Param<A>...>(info->resultType, std::move(value), std::get<I>(held)...);
        };
        auto invoke = [&] { return (self.*method)(Param<A>::Pass(std::get<I>(held))...); };
        std::conditional_t<kReturns, R, NoResult> result{};
        try {
            if (gil == Gil::Release) {
                py::gil_scoped_release released;
                if constexpr (kReturns) result = invoke(); else invoke();
            } else {
                if constexpr (kReturns) result = invoke(); else invoke();
            }
        } catch (const LibraryError& error) {
            finish();
            if constexpr (kOutputs > 0) {
                RaiseLibraryError(error, outputs(py::none()));
            } else {
                RaiseLibraryError(error);
            }
        } catch (...) {
            finish();
            throw;
        }
        finish();
        if constexpr (kOutputs > 0) {
            return outputs(ResultValue(result));
        } else {
            return ResultValue(result);
        }
    };
    cls.def(name, std::move(call), ArgumentOf<Param<A>>(names[I], std::bool_constant<Param<A>::kOutput>())...);
}

// Defines the method `name` of the Python class by the rule at the top of this file;
// `names` are the C++ parameter names, in order.
template <typename Cls, typename C, typename R, typename... A>
void Def(Cls& cls, const char* name, R (C::*method)(A...) const, const std::array<const char*, sizeof...(A)>& names,
         Gil gil = Gil::Keep) {
    DefineMethod<const C, R, Cls, decltype(method), A...>(cls, name, method, names, gil, std::index_sequence_for<A...>());
}
template <typename Cls, typename C, typename R, typename... A>
void Def(Cls& cls, const char* name, R (C::*method)(A...), const std::array<const char*, sizeof...(A)>& names,
         Gil gil = Gil::Keep) {
    DefineMethod<C, R, Cls, decltype(method), A...>(cls, name, method, names, gil, std::index_sequence_for<A...>());
}

}  // namespace tervanix::py_binding
