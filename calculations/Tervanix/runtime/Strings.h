// Strings are sequences of 16-bit code units (UTF-16); these convert them to and
// from UTF-8 text. The string facilities the classes use are in StringFunctions.h.
#pragma once

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// The text as UTF-8, for a stream or a terminal.
TERVANIX_API std::string ToUtf8(const String& s);
// UTF-8 text (as written in source files) as a String.
TERVANIX_API String FromUtf8(const std::string& s);

}  // namespace tervanix::rt
