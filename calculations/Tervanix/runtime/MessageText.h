// The text of an error message, built in a fixed buffer inside the object, so that
// raising an error never needs heap memory. Numbers are written with std::to_chars:
// independent of the locale, and the same digits with every compiler (a Double in
// its shortest form that reads back to the same value: 0.1, 1e+300, inf, -nan).
// Text beyond the buffer is cut off.
#pragma once

#include <charconv>
#include <cstddef>
#include <type_traits>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// Copies `source` into `target`, cut short to fit with its terminating zero.
template <std::size_t N>
void CopyCut(char (&target)[N], const char* source) noexcept {
    std::size_t n = 0;
    for (; n + 1 < N && source[n] != '\0'; ++n) target[n] = source[n];
    target[n] = '\0';
}

template <std::size_t N = LibraryError::kMessageCapacity>
class MessageText {
public:
    MessageText& operator<<(const char* s) noexcept {
        while (*s != '\0' && size_ + 1 < N) buffer_[size_++] = *s++;
        buffer_[size_] = '\0';
        return *this;
    }
    MessageText& operator<<(char c) noexcept {
        const char s[2] = {c, '\0'};
        return *this << s;
    }
    template <typename I, std::enable_if_t<std::is_integral_v<I> && !std::is_same_v<I, bool> &&
                                               !std::is_same_v<I, char>, int> = 0>
    MessageText& operator<<(I n) noexcept {
        char digits[24];
        *std::to_chars(digits, digits + sizeof digits - 1, n).ptr = '\0';
        return *this << static_cast<const char*>(digits);
    }
    MessageText& operator<<(Double x) noexcept {
        char digits[32];
        *std::to_chars(digits, digits + sizeof digits - 1, x).ptr = '\0';
        return *this << static_cast<const char*>(digits);
    }

    const char* c_str() const noexcept { return buffer_; }

private:
    char buffer_[N] = {};
    std::size_t size_ = 0;
};

}  // namespace tervanix::rt
