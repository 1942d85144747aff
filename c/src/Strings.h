// Strings at the C boundary: 16-bit code units with a length, or NUL-terminated
// UTF-8, into and out of the library's String.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Binding.h"

namespace tervanix::c {

// `length` code units from `units`; a null `units` is the empty string when length is 0.
String FromUnits(const std::uint16_t* units, std::int32_t length, const char* name);
// Strict UTF-8 (no overlong forms, surrogates or values above U+10FFFF): TVX_E_INVALID_UTF8 otherwise.
String FromUtf8(const char* text, const char* name);

// The code units into units[0 .. capacity - 1] and their number into *length.
void ToUnits(const String& s, std::uint16_t* units, std::int32_t capacity, std::int32_t* length, const char* name);
// The text as NUL-terminated UTF-8 into text[0 .. capacity - 1].
void ToUtf8(const String& s, char* text, std::size_t capacity, const char* name);

}  // namespace tervanix::c
