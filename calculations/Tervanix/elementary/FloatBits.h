// A Double's bit pattern and back, and the exact powers of two.
#pragma once

#include <cstdint>
#include <cstring>

namespace tervanix::rt {

inline std::uint64_t BitsOf(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline double FromBits(std::uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// 2^k, for -1074 <= k <= 1023.
inline double PowerOfTwo(int k) {
    return FromBits(k >= -1022 ? static_cast<std::uint64_t>(k + 1023) << 52 : std::uint64_t{1} << (k + 1074));
}

}  // namespace tervanix::rt
