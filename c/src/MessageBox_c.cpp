#include <string>
#include <vector>

#include <Tervanix/runtime/MessageBox.h>
#include <Tervanix/runtime/Strings.h>

#include "Binding.h"

using namespace tervanix;

extern "C" tvx_status tvx_SetMessageSink(tvx_MessageSink sink, void* context) {
    return c::Done("SetMessageSink", [&] {
        if (sink == nullptr) {
            rt::SetMessageSink(nullptr);
            return;
        }
        rt::SetMessageSink([sink, context](const String& text) {
            const std::vector<uint16_t> units(text.begin(), text.end());
            const std::string utf8 = rt::ToUtf8(text);
            sink(units.data(), static_cast<int32_t>(units.size()), utf8.c_str(), context);
        });
    });
}
