// What every function of the C interface shares: the status of a failure and its
// text as the calling thread's last error, the guard that keeps every exception
// inside the library, and the checks of pointer arguments.
#pragma once

#include <string>

#include <Tervanix/runtime/Types.h>
#include <Tervanix/tervanix_c.h>

namespace tervanix::c {

// A failure that the C interface itself detects (a null pointer, a bad descriptor,
// ...): its status and its text without the operation's name.
struct BindingError {
    tvx_status status;
    std::string text;
};

[[noreturn]] void Throw(tvx_status status, std::string text);

// The status of the exception being handled, its text stored as the last error;
// `where` ("Class.Method") starts the text of a BindingError.
tvx_status StatusOfCurrentException(const char* where) noexcept;

// Runs the body of a C function: its status, or the status of whatever it throws.
template <typename Body>
tvx_status Guard(const char* where, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return StatusOfCurrentException(where);
    }
}

// TVX_E_NULL_POINTER for the argument `name`.
[[noreturn]] TERVANIX_COLD_NOINLINE void ThrowNull(const char* name);

// The object a pointer argument points to; TVX_E_NULL_POINTER when it is null.
template <typename T>
T& Ref(T* pointer, const char* name) {
    if (TERVANIX_UNLIKELY(pointer == nullptr)) ThrowNull(name);
    return *pointer;
}

// The object a handle holds; TVX_E_MISSING_OBJECT when the handle is null.
template <typename Handle>
Handle& Object(Handle* handle, const char* name) {
    if (handle == nullptr) Throw(TVX_E_MISSING_OBJECT, std::string(name) + " is a null handle: it refers to no object");
    return *handle;
}

// The body of a method with a result: `result` is checked first and written only
// when the method completes.
template <typename T, typename Method>
tvx_status ResultOf(const char* where, T* result, Method method) noexcept {
    return Guard(where, [&] {
        T& out = Ref(result, "result");
        out = method();
        return TVX_OK;
    });
}

// The body of a method without a result.
template <typename Method>
tvx_status Done(const char* where, Method method) noexcept {
    return Guard(where, [&] {
        method();
        return TVX_OK;
    });
}

inline tvx_status Verdict(Boolean b) noexcept { return b ? TVX_TRUE : TVX_FALSE; }

// Runs `action` when it goes out of scope, also when the scope ends with an error.
template <typename Action>
class OnExit {
public:
    explicit OnExit(Action action) : action_(action) {}
    ~OnExit() { action_(); }
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;

private:
    Action action_;
};

// A Boolean output: the library's value in the caller's tvx_Boolean, written back
// when the call ends, however it ends.
class BooleanOut {
public:
    BooleanOut(tvx_Boolean* out, const char* name) : out_(Ref(out, name)), value_(Boolean::FromRaw(out_)) {}
    ~BooleanOut() { out_ = value_.Raw(); }
    BooleanOut(const BooleanOut&) = delete;
    BooleanOut& operator=(const BooleanOut&) = delete;
    Boolean& get() noexcept { return value_; }

private:
    tvx_Boolean& out_;
    Boolean value_;
};

}  // namespace tervanix::c
