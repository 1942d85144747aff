// The one error type by which every failure the library detects leaves a call.
#pragma once

#include <stdexcept>
#include <string>

#include "Tervanix/runtime/Config.h"

namespace tervanix {

/// What made a call end with a LibraryError.
enum class ErrorKind {
    OverflowError,        // Integer/Long arithmetic or a conversion left its range
    SubscriptOutOfRange,  // element or bound of an array that does not have it
    FloatingPointFault,   // invalid operation, division by zero or overflow in Double arithmetic
    InvalidArgument,      // a runtime function was given an argument outside its domain
    TypeMismatch,         // a Variant does not hold what the operation needs
    MissingObject,        // an object reference that refers to no object
    OutOfMemory,          // an array or object could not be allocated
};

/// The kind's name as written in the enumeration; "UnknownError" for a value
/// outside it.
///
/// @code
///   KindName(ErrorKind::OverflowError);   // "OverflowError"
/// @endcode
TERVANIX_API const char* KindName(ErrorKind kind) noexcept;

/// The one error type by which a call ends when it meets a failure that is not a
/// False result. No method catches one; it reaches the host with its kind unchanged,
/// and what() says in words what failed. Outputs written before the failure keep
/// their new values.
class TERVANIX_API LibraryError : public std::runtime_error {
public:
    /// An error of the given kind whose what() includes the message.
    LibraryError(ErrorKind kind, const std::string& message);
    /// The kind, for a host that reacts to some failures and not to others.
    ///
    /// @code
    ///   try {
    ///       cGenUtil().Log10(-1);
    ///   } catch (const LibraryError& e) {
    ///       e.kind() == ErrorKind::InvalidArgument;   // true
    ///   }
    /// @endcode
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

}  // namespace tervanix

namespace tervanix::rt {

// Ends the call with a LibraryError. Kept out of line so that the checks that call
// it stay small on the paths that do not fail.
[[noreturn]] void Raise(ErrorKind kind, const std::string& message);

}  // namespace tervanix::rt
