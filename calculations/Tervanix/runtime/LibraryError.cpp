#include "Tervanix/runtime/LibraryError.h"

#include <new>
#include <ostream>
#include <stdexcept>

#include "Tervanix/runtime/MessageText.h"

namespace tervanix {

const char* KindName(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::OverflowError: return "OverflowError";
        case ErrorKind::SubscriptOutOfRange: return "SubscriptOutOfRange";
        case ErrorKind::FloatingPointFault: return "FloatingPointFault";
        case ErrorKind::InvalidArgument: return "InvalidArgument";
        case ErrorKind::TypeMismatch: return "TypeMismatch";
        case ErrorKind::MissingObject: return "MissingObject";
        case ErrorKind::OutOfMemory: return "OutOfMemory";
    }
    return "UnknownError";
}

std::ostream& operator<<(std::ostream& os, ErrorKind kind) { return os << KindName(kind); }

LibraryError::LibraryError(ErrorKind kind, const char* message) noexcept : kind_(kind), where_{}, what_{} {
    rt::CopyCut(message_, message);
    Compose();
}

void LibraryError::SetWhere(const char* where) noexcept {
    rt::CopyCut(where_, where);
    Compose();
}

void LibraryError::Compose() noexcept {
    rt::MessageText<sizeof what_> text;
    if (where_[0] != '\0') text << where_ << ": ";
    text << KindName(kind_) << ": " << message_;
    rt::CopyCut(what_, text.c_str());
}

}  // namespace tervanix

namespace tervanix::rt {

void Raise(ErrorKind kind, const char* message) {
    throw LibraryError(kind, message);
}

void RethrowFrom(const char* where) {
    try {
        throw;
    } catch (LibraryError& e) {
        e.SetWhere(where);
        throw;
    } catch (const std::bad_alloc&) {
        LibraryError e(ErrorKind::OutOfMemory, "no memory could be had for the call's working data");
        e.SetWhere(where);
        throw e;
    } catch (const std::length_error&) {
        LibraryError e(ErrorKind::OutOfMemory, "the call's working data would exceed the largest size a store can have");
        e.SetWhere(where);
        throw e;
    }
}

}  // namespace tervanix::rt
