#include "Tervanix/runtime/Strings.h"
#include "Tervanix/runtime/StringFunctions.h"

#include <string>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix::rt {

String Mid(const String& s, Long position) {
    if (position < 1) {
        MessageText<> text;
        Raise(ErrorKind::InvalidArgument, (text << "Mid: the position " << position << " is below 1").c_str());
    }
    if (static_cast<std::size_t>(position) > s.size()) return String();
    return String(1, s[static_cast<std::size_t>(position) - 1]);
}

bool StrEqual(const String& a, const String& b) noexcept { return a == b; }

String Concat(const String& left, const String& right) { return left + right; }

String Chr(Long code) {
    if (code < 0 || code > 0xFFFF) {
        MessageText<> text;
        Raise(ErrorKind::InvalidArgument, (text << "Chr: no character has the code " << code).c_str());
    }
    return String(1, static_cast<char16_t>(code));
}

std::string ToUtf8(const String& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

String FromUtf8(const std::string& s) {
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > s.size()) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

}  // namespace tervanix::rt
