// Internal to the library (not installed): the message box, which shows a text with
// one OK button and no title and returns when it is closed. It goes to the sink a host
// sets with SetMessageSink (MessageBox.h).
#pragma once

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// Shows the text and returns when the sink returns.
void MsgBox(const String& text);

}  // namespace tervanix::rt
