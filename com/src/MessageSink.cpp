// The library's message sink for the component (see MessageSink.h).
#include "MessageSink.h"

#include <windows.h>

#include <string>

#include <Tervanix/runtime/MessageBox.h>

namespace tvcom {

namespace {

thread_local tervanix::String g_last;

// A service, or a program started with TERVANIX_COM_NO_MESSAGE_BOX set (a test, a
// server), has no one to press OK: the box would block the call for ever.
bool SomeoneSees() {
    if (GetEnvironmentVariableW(L"TERVANIX_COM_NO_MESSAGE_BOX", nullptr, 0) != 0) return false;
    HWINSTA station = GetProcessWindowStation();
    USEROBJECTFLAGS flags = {};
    if (station == nullptr || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) return false;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

const tervanix::String& LastMessage() { return g_last; }

void InstallMessageSink() {
    tervanix::rt::SetMessageSink([](const tervanix::String& text) {
        g_last = text;
        if (!SomeoneSees()) return;
        const std::wstring w(text.begin(), text.end());
        MessageBoxW(nullptr, w.c_str(), L"Tervanix", MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    });
}

}  // namespace tvcom
