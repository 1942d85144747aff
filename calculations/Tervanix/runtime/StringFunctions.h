// Internal to the library (not installed): the string facilities its classes use.
// Strings are sequences of 16-bit code units.
#pragma once

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/Types.h"

#include <limits>

namespace tervanix::rt {

// The number of 16-bit characters; a text longer than Long's range (which no host's
// string reaches) raises OverflowError rather than give a wrong length. Inline: a call
// would cost more than the load.
inline Long Len(const String& s) {
    if (s.size() > static_cast<std::size_t>(std::numeric_limits<Long>::max()))
        Raise(ErrorKind::OverflowError, "the text is longer than 2147483647 characters");
    return static_cast<Long>(s.size());
}
// The one character at a 1-based position; empty beyond the end. A position below 1
// raises InvalidArgument.
String Mid(const String& s, Long position);
// Equal or not, code unit by code unit.
bool StrEqual(const String& a, const String& b) noexcept;
// The left string followed by the right one.
String Concat(const String& left, const String& right);
// A one-character string of a code from 0 to 65535; any other raises InvalidArgument.
String Chr(Long code);

}  // namespace tervanix::rt
