#include "Strings.h"

#include <cstring>
#include <string>

#include <Tervanix/runtime/Strings.h>

namespace tervanix::c {

namespace {

// The code point of the UTF-8 sequence at text[i], advancing i past it; -1 when the
// bytes there are not a valid sequence.
std::int32_t DecodeOne(const unsigned char* text, std::size_t& i) {
    const unsigned b = text[i];
    const int length = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : (b & 0xF0) == 0xE0 ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (length == 0) return -1;
    std::int32_t c = length == 1 ? b : b & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const unsigned next = text[i + k];  // the terminator fails this test, so no read goes past it
        if ((next & 0xC0) != 0x80) return -1;
        c = (c << 6) | (next & 0x3F);
    }
    const std::int32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    i += static_cast<std::size_t>(length);
    return c;
}

}  // namespace

String FromUnits(const std::uint16_t* units, std::int32_t length, const char* name) {
    if (length < 0) Throw(TVX_E_BAD_DESCRIPTOR, std::string(name) + ": a string of length " + std::to_string(length));
    if (length == 0) return String();
    if (units == nullptr) {
        Throw(TVX_E_NULL_POINTER, std::string(name) + " is a null pointer with length " + std::to_string(length) +
                                      "; point it at the code units, or give the length 0");
    }
    return String(units, units + length);
}

String FromUtf8(const char* text, const char* name) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&Ref(text, name));
    String s;
    for (std::size_t i = 0; bytes[i] != 0;) {
        const std::size_t at = i;
        const std::int32_t c = DecodeOne(bytes, i);
        if (c < 0) {
            // The valid text before the bad byte shows the caller where it lies; a long
            // one is cut with the rest of the message.
            Throw(TVX_E_INVALID_UTF8, std::string(name) + ": not valid UTF-8 at byte " + std::to_string(at) + ", after \"" +
                                          std::string(text, at) + "\"");
        }
        if (c >= 0x10000) {
            s += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            s += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            s += static_cast<char16_t>(c);
        }
    }
    return s;
}

void ToUnits(const String& s, std::uint16_t* units, std::int32_t capacity, std::int32_t* length, const char* name) {
    std::int32_t& n = Ref(length, "length");
    n = static_cast<std::int32_t>(s.size());
    if (capacity < n) {
        Throw(TVX_E_BUFFER_TOO_SMALL, std::string(name) + " holds " + std::to_string(capacity) + " code units where " +
                                          std::to_string(n) + " are needed");
    }
    std::uint16_t* out = &Ref(units, name);
    for (std::size_t k = 0; k < s.size(); ++k) out[k] = s[k];
}

void ToUtf8(const String& s, char* text, std::size_t capacity, const char* name) {
    const std::string utf8 = rt::ToUtf8(s);
    char* out = &Ref(text, name);
    if (capacity <= utf8.size()) {
        Throw(TVX_E_BUFFER_TOO_SMALL, std::string(name) + " holds " + std::to_string(capacity) + " bytes where " +
                                          std::to_string(utf8.size() + 1) + " are needed");
    }
    std::memcpy(out, utf8.c_str(), utf8.size() + 1);
}

}  // namespace tervanix::c
