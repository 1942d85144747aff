// The one error type by which every failure the library detects leaves a call.
#pragma once

#include <stdexcept>
#include <string>

#include "Tervanix/runtime/Config.h"

namespace tervanix {

enum class ErrorKind {
    OverflowError,        // Integer/Long arithmetic or a conversion left its range
    SubscriptOutOfRange,  // element or bound of an array that does not have it
    FloatingPointFault,   // invalid operation, division by zero or overflow in Double arithmetic
    InvalidArgument,      // a runtime function was given an argument outside its domain
    TypeMismatch,         // a Variant does not hold what the operation needs
    MissingObject,        // an object reference that refers to no object
    OutOfMemory,          // an array or object could not be allocated
};

// The kind's name, as written in the enumeration ("OverflowError", ...).
TERVANIX_API const char* KindName(ErrorKind kind) noexcept;

class TERVANIX_API LibraryError : public std::runtime_error {
public:
    LibraryError(ErrorKind kind, const std::string& message);
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

}  // namespace tervanix

namespace tervanix::rt {

// Internal to the library (not exported): ends the call with a LibraryError. Kept
// out of line so that the checks that call it stay small on the paths that do not fail.
[[noreturn]] void Raise(ErrorKind kind, const std::string& message);

}  // namespace tervanix::rt
