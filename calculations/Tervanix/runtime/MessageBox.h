// The message box, where the library shows a text (MsgBox.h): a host points it at its
// own display with SetMessageSink (a test at a capture); without a sink the text goes
// to the standard error stream as UTF-8, followed by a line break.
#pragma once

#include <functional>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

using MessageSink = std::function<void(const String& text)>;

/// Points the library's message box (cMatrix::HelpForProgrammer) at the host's own
/// display: replaces the sink and returns the one it replaces; an empty sink
/// restores the standard error stream. Set it before calls that show messages, not
/// during them.
///
/// @code
///   String last;
///   auto previous = rt::SetMessageSink([&last](const String& text) { last = text; });
///   cMatrix().HelpForProgrammer();
///   rt::SetMessageSink(previous);   // back to the sink before
///   last.empty();                   // false
/// @endcode
TERVANIX_API MessageSink SetMessageSink(MessageSink sink);

}  // namespace tervanix::rt
