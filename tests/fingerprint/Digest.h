// A digest of results, bit for bit, so that two builds (compilers, optimisation
// levels) can be shown to compute the same digits: every section feeds the digest
// with each result it obtains, or with the kind of the error that ended the call.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include <Tervanix/runtime/Array.h>
#include <Tervanix/elementary/FloatBits.h>
#include <Tervanix/runtime/LibraryError.h>
#include <Tervanix/runtime/Types.h>

namespace fingerprint {

class Digest {
public:
    void Add(double x) {
        if (x != x) x = std::numeric_limits<double>::quiet_NaN();  // a NaN's sign and payload are not results
        Mix(tervanix::rt::BitsOf(x));
    }
    void Add(std::int64_t n) { Mix(static_cast<std::uint64_t>(n)); }
    void Add(tervanix::Boolean b) { Mix(static_cast<std::uint64_t>(b.Raw()) + 0x100000u); }
    void Add(const tervanix::String& s) {
        for (char16_t c : s) Mix(c);
        Mix(0xFFFFFFFFu);
    }
    void AddError(const tervanix::LibraryError& e) { Mix(0xE0000000u + static_cast<std::uint64_t>(e.kind())); }
    std::uint64_t Value() const { return state_; }

private:
    void Mix(std::uint64_t v) {  // FNV-1a over the eight bytes
        for (int i = 0; i < 8; ++i) {
            state_ ^= (v >> (8 * i)) & 0xFF;
            state_ *= 0x100000001B3ull;
        }
    }
    std::uint64_t state_ = 0xCBF29CE484222325ull;
};

// A reproducible stream of inputs: integer arithmetic only, the same on every build.
class Inputs {
public:
    explicit Inputs(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 11;
    }
    // Mostly ordinary magnitudes, now and then a zero, an extreme or a tie.
    double Number() {
        const std::uint64_t r = Next();
        switch (r % 16) {
            case 0: return 0.0;
            case 1: return 1.7e308 * ((r & 32) ? -1.0 : 1.0);
            case 2: return 1e-310;
            case 3: return static_cast<double>(static_cast<std::int64_t>(r % 21) - 10);
            default: {
                const double unit = static_cast<double>(r >> 11) / 9007199254740992.0;  // [0, 1)
                return (unit - 0.5) * static_cast<double>(std::int64_t{1} << ((r >> 4) % 24));
            }
        }
    }

private:
    std::uint64_t state_;
};

// Runs a call, feeding the digest with the error kind if it ends with one.
template <typename F>
void Try(Digest& d, F call) {
    try {
        call();
    } catch (const tervanix::LibraryError& e) {
        d.AddError(e);
    }
}

// An array with these bounds whose elements, in subscript order, are successive next().
template <typename A, typename Next>
A FilledArray(tervanix::Long lower, tervanix::Long count, Next next) {
    A a(lower, lower + count - 1);
    for (tervanix::Long i = lower; i < lower + count; ++i) a(i) = next();
    return a;
}

// Feeds the digest with every element of a one-dimensional array, in subscript order.
template <typename A>
void AddElements(Digest& d, const A& a) {
    for (tervanix::Long i = a.LBound(); i <= a.UBound(); ++i) d.Add(a(i));
}

}  // namespace fingerprint
