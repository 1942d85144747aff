// The one error type by which every failure the library detects leaves a call.
#pragma once

#include <cstddef>
#include <exception>
#include <iosfwd>

#include "Tervanix/platform/Config.h"

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

/// Writes KindName(kind).
///
/// @code
///   std::ostringstream text;
///   text << ErrorKind::InvalidArgument;
///   std::string written = text.str();   // "InvalidArgument"
/// @endcode
TERVANIX_API std::ostream& operator<<(std::ostream& os, ErrorKind kind);

namespace rt {
[[noreturn]] void RethrowFrom(const char* where);
}

/// The one error type by which a call ends when it meets a failure that is not a
/// False result. No method catches one; it reaches the host with its kind unchanged.
/// what() reads "cGeom.CartToPolar: FloatingPointFault: what failed", the first part
/// naming the class and method the host called (absent for an error raised outside
/// any method, such as a copy of an array). Outputs written before the failure keep
/// their new values.
///
/// The error holds its texts in fixed buffers inside itself, so that raising it, and
/// copying it, never needs memory that may not be there; a text too long for its
/// buffer is cut short.
class TERVANIX_API LibraryError : public std::exception {
public:
    static constexpr std::size_t kWhereCapacity = 48;
    static constexpr std::size_t kMessageCapacity = 320;

    /// An error of the given kind whose what() includes the message.
    LibraryError(ErrorKind kind, const char* message) noexcept;

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
    /// The whole text: "Class.Method: Kind: what failed and what to do about it".
    const char* what() const noexcept override { return what_; }
    /// "Class.Method" of the method the host called, or "" for an error raised
    /// outside any method.
    const char* where() const noexcept { return where_; }
    /// What failed and what to do about it, without the method and the kind.
    const char* message() const noexcept { return message_; }

private:
    friend void rt::RethrowFrom(const char* where);
    TERVANIX_PRIVATE void SetWhere(const char* where) noexcept;
    TERVANIX_PRIVATE void Compose() noexcept;

    ErrorKind kind_;
    char where_[kWhereCapacity];
    char message_[kMessageCapacity];
    char what_[kWhereCapacity + 24 + kMessageCapacity];
};

}  // namespace tervanix

namespace tervanix::rt {

// Internal to the library (not exported): ends the call with a LibraryError. Kept out of line so that the checks that call
// it stay small on the paths that do not fail.
[[noreturn]] void Raise(ErrorKind kind, const char* message);

// The handler at the end of every public method that can fail, called as
//   ... try { ... } catch (...) { rt::RethrowFrom("cGeom.CartToPolar"); }
// A LibraryError goes on with this method as its where-part: when a public method
// calls another of its class, the outer handler runs last, so the method the host
// called is the one named. A failure to allocate (std::bad_alloc, or std::length_error
// from a container asked for too much) becomes OutOfMemory. Anything else, such as
// an exception that a host's message sink throws, goes on unchanged.
[[noreturn]] TERVANIX_COLD_NOINLINE void RethrowFrom(const char* where);

}  // namespace tervanix::rt
