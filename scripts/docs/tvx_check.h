// The checks that scripts/docs/snippets.py writes into the docs' snippets: each
// failure is reported with the place in the docs it comes from, and counted.
#pragma once

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <string>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/Types.h"

namespace tvx_check {

inline int& FailureCount() {
    static int count = 0;
    return count;
}

inline int Failures() { return FailureCount() == 0 ? 0 : 1; }

// The first failure also makes the program's exit status 1, for a snippet with a
// main() of its own.
inline void Fail(const char* where, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", where, what.c_str());
    if (FailureCount()++ == 0) std::atexit([] { std::_Exit(1); });
}

template <typename T>
std::string Show(const T& value) {
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
}

inline std::string Show(const std::u16string& value) {
    std::string text = "u\"";
    for (char16_t c : value) text += c < 128 ? static_cast<char>(c) : '?';
    return text + "\"";
}

inline std::string Show(double value) {  // the shortest text that reads back as value
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

inline std::string Show(std::int16_t value) { return std::to_string(value); }

template <typename A, typename E>
void Equal(const A& actual, const E& expected, const char* where) {
    if (!(actual == expected)) Fail(where, "the docs say " + Show(expected) + ", the library gives " + Show(actual));
}

inline void Equal(const char* actual, const char* expected, const char* where) {
    Equal(std::string(actual), std::string(expected), where);
}

inline void NoThrow(const char* where) { Fail(where, "the docs say this throws; it returned"); }

inline void Kind(const tervanix::LibraryError& e, tervanix::ErrorKind expected, const char* where) {
    if (e.kind() != expected) Fail(where, std::string("the docs say ") + tervanix::KindName(expected) + ", the library raised: " + e.what());
}

template <typename F>
void Run(F snippet, const char* where) {
    try {
        snippet();
    } catch (const std::exception& e) {
        Fail(where, std::string("the snippet ended with an error: ") + e.what());
    }
}

}  // namespace tvx_check
