// The status of every failure and the calling thread's last error text.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <exception>
#include <new>

#include <Tervanix/Version.h>
#include <Tervanix/runtime/LibraryError.h>

#include "Binding.h"

namespace tervanix::c {

namespace {

// A fixed store, so that recording a failure never needs memory. Longer texts are
// cut at a UTF-8 character boundary.
thread_local char tLastError[1024] = "";

tvx_status Record(tvx_status status, std::initializer_list<const char*> parts) noexcept {
    const std::size_t capacity = sizeof tLastError - 1;
    std::size_t n = 0;
    unsigned char firstLeftOut = 0;  // the first byte of the text that did not fit
    for (const char* part : parts) {
        const std::size_t whole = std::strlen(part);
        const std::size_t length = std::min(whole, capacity - n);
        std::memcpy(tLastError + n, part, length);
        n += length;
        if (length < whole && firstLeftOut == 0) firstLeftOut = static_cast<unsigned char>(part[length]);
    }
    // A cut just before a continuation byte splits a character: leave all of it out.
    for (unsigned char next = firstLeftOut; n > 0 && (next & 0xC0) == 0x80;) {
        --n;
        next = static_cast<unsigned char>(tLastError[n]);
    }
    tLastError[n] = '\0';
    return status;
}

tvx_status StatusOf(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::OverflowError: return TVX_E_OVERFLOW;
        case ErrorKind::SubscriptOutOfRange: return TVX_E_SUBSCRIPT_OUT_OF_RANGE;
        case ErrorKind::FloatingPointFault: return TVX_E_FLOATING_POINT_FAULT;
        case ErrorKind::InvalidArgument: return TVX_E_INVALID_ARGUMENT;
        case ErrorKind::TypeMismatch: return TVX_E_TYPE_MISMATCH;
        case ErrorKind::MissingObject: return TVX_E_MISSING_OBJECT;
        case ErrorKind::OutOfMemory: return TVX_E_OUT_OF_MEMORY;
    }
    return TVX_E_UNKNOWN;
}

}  // namespace

void Throw(tvx_status status, std::string text) { throw BindingError{status, std::move(text)}; }

void ThrowNull(const char* name) { Throw(TVX_E_NULL_POINTER, std::string(name) + " is a null pointer"); }

tvx_status StatusOfCurrentException(const char* where) noexcept {
    try {
        throw;
    } catch (const LibraryError& e) {
        return Record(StatusOf(e.kind()), {e.what()});
    } catch (const BindingError& e) {
        return Record(e.status, {where, ": ", e.text.c_str()});
    } catch (const std::bad_alloc&) {
        return Record(TVX_E_OUT_OF_MEMORY, {where, ": no memory for the call"});
    } catch (const std::exception& e) {
        return Record(TVX_E_UNKNOWN, {where, ": ", e.what()});
    } catch (...) {
        return Record(TVX_E_UNKNOWN, {where, ": an unknown failure"});
    }
}

}  // namespace tervanix::c

extern "C" const char* tvx_LastErrorMessage(void) { return tervanix::c::tLastError; }

extern "C" const char* tvx_StatusName(tvx_status status) {
    switch (status) {
        case TVX_OK: return "TVX_OK";
        case TVX_FALSE: return "TVX_FALSE";
        case TVX_E_OVERFLOW: return "TVX_E_OVERFLOW";
        case TVX_E_SUBSCRIPT_OUT_OF_RANGE: return "TVX_E_SUBSCRIPT_OUT_OF_RANGE";
        case TVX_E_FLOATING_POINT_FAULT: return "TVX_E_FLOATING_POINT_FAULT";
        case TVX_E_INVALID_ARGUMENT: return "TVX_E_INVALID_ARGUMENT";
        case TVX_E_TYPE_MISMATCH: return "TVX_E_TYPE_MISMATCH";
        case TVX_E_MISSING_OBJECT: return "TVX_E_MISSING_OBJECT";
        case TVX_E_OUT_OF_MEMORY: return "TVX_E_OUT_OF_MEMORY";
        case TVX_E_NULL_POINTER: return "TVX_E_NULL_POINTER";
        case TVX_E_BAD_DESCRIPTOR: return "TVX_E_BAD_DESCRIPTOR";
        case TVX_E_INVALID_UTF8: return "TVX_E_INVALID_UTF8";
        case TVX_E_BUFFER_TOO_SMALL: return "TVX_E_BUFFER_TOO_SMALL";
        case TVX_E_UNKNOWN: return "TVX_E_UNKNOWN";
        default: return "unknown status";
    }
}

extern "C" const char* tvx_Version(void) { return TERVANIX_VERSION_STRING; }
