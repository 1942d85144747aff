// Errors as a host sees them: each kind of LibraryError has the number of the
// platform's standard run-time error of the same meaning, and the description is the
// library's text "Class.Method: Kind: message", so the kind stays readable both from
// the number and from the text.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include <Tervanix/runtime/LibraryError.h>

namespace tvcom {

// The standard run-time error numbers the component raises.
enum ErrorNumber : int {
    kInvalidCall = 5,         // Invalid procedure call or argument
    kOverflow = 6,            // Overflow
    kOutOfMemory = 7,         // Out of memory
    kSubscript = 9,           // Subscript out of range
    kDivisionByZero = 11,     // Division by zero
    kTypeMismatch = 13,       // Type mismatch
    kObjectRequired = 424,    // Object required
    kNotOptional = 449,       // Argument not optional
    kWrongArguments = 450,    // Wrong number of arguments or invalid property assignment
};

int NumberOf(tervanix::ErrorKind kind) noexcept;
const char* KindOfNumber(int number) noexcept;  // the kind name written in the text

// An error the component itself detects (an argument it cannot convert, a missing
// one): thrown inside Invoke and reported like a LibraryError.
struct BindingError {
    int number;
    std::string text;  // UTF-8, the whole "Class.Method: Kind: message"
};

std::wstring Widen(const char* utf8);

// The HRESULT of a dispatch exception with this number (FACILITY_CONTROL, as the
// platform's own run-time errors), written into `info` when the host gave one.
HRESULT Report(EXCEPINFO* info, const wchar_t* source, int number, const std::string& text);

}  // namespace tvcom
