// The message box, where the library shows a text (MsgBox.h): a host points it at its
// own display with SetMessageSink (a test at a capture); without a sink the text goes
// to the standard error stream as UTF-8, followed by a line break.
#pragma once

#include <functional>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

using MessageSink = std::function<void(const String& text)>;

// Replaces the sink and returns the one it replaces; an empty sink restores the
// standard error stream. Set it before calls that show messages, not during them.
TERVANIX_API MessageSink SetMessageSink(MessageSink sink);

}  // namespace tervanix::rt
