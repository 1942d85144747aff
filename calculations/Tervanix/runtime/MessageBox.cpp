#include "Tervanix/runtime/MessageBox.h"
#include "Tervanix/runtime/MsgBox.h"

#include <iostream>
#include <utility>

#include "Tervanix/runtime/Strings.h"

namespace tervanix::rt {

namespace {

MessageSink& CurrentSink() {
    static MessageSink sink;
    return sink;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) { return std::exchange(CurrentSink(), std::move(sink)); }

void MsgBox(const String& text) {
    const MessageSink& sink = CurrentSink();
    if (sink) {
        sink(text);
    } else {
        std::cerr << ToUtf8(text) << '\n' << std::flush;
    }
}

}  // namespace tervanix::rt
