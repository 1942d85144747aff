// The library's message sink for the component (see MessageSink.h).
#include "MessageSink.h"

#include <windows.h>

#include <string>

#include <Tervanix/runtime/MessageBox.h>

namespace tvcom {

namespace {

thread_local std::vector<tervanix::String> g_messages;

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

const std::vector<tervanix::String>& LastMessages() { return g_messages; }
void ClearMessages() { g_messages.clear(); }

void InstallMessageSink() {
    tervanix::rt::SetMessageSink([](const tervanix::String& text) {
        g_messages.push_back(text);
        if (!SomeoneSees()) return;
        const std::wstring w(text.begin(), text.end());
        MessageBoxW(nullptr, w.c_str(), L"Tervanix", MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    });
}

}  // namespace tvcom
