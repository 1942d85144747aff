#include "Tervanix/runtime/LibraryError.h"

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

LibraryError::LibraryError(ErrorKind kind, const std::string& message)
    : std::runtime_error(std::string(KindName(kind)) + ": " + message), kind_(kind) {}

}  // namespace tervanix

namespace tervanix::rt {

void Raise(ErrorKind kind, const std::string& message) { throw LibraryError(kind, message); }

}  // namespace tervanix::rt
