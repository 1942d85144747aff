#include "Tervanix/elementary/MultiPrecision.h"

#include "Tervanix/elementary/FloatBits.h"

namespace tervanix::rt::mp {

namespace {

// A mantissa with one guard limb below it: value = w * 2^(exponent - 288), where w is
// the integer of the limbs, w[0] the least significant (the guard limb).
constexpr int kWide = kLimbs + 1;
struct Wide {
    std::uint32_t w[kWide];
};

constexpr Number kZero = {{0, 0, 0, 0, 0, 0, 0, 0}, 0, false};

Wide Widen(const Number& x) {
    Wide r{};
    for (int i = 0; i < kLimbs; ++i) r.w[i + 1] = x.limb[i];
    return r;
}

// w / 2^s, truncated.
Wide ShiftedRight(const Wide& x, int s) {
    Wide r{};
    if (s >= 32 * kWide) return r;
    const int q = s / 32;
    const int b = s % 32;
    for (int i = 0; i + q < kWide; ++i) {
        std::uint64_t v = x.w[i + q] >> b;
        if (b != 0 && i + q + 1 < kWide) v |= static_cast<std::uint64_t>(x.w[i + q + 1]) << (32 - b);
        r.w[i] = static_cast<std::uint32_t>(v);
    }
    return r;
}

int LeadingZeros(const Wide& x) {
    int n = 0;
    for (int i = kWide - 1; i >= 0; --i) {
        const std::uint32_t v = x.w[i];
        if (v == 0) {
            n += 32;
            continue;
        }
        for (std::uint32_t bit = 0x80000000u; (v & bit) == 0; bit >>= 1) ++n;
        return n;
    }
    return n;
}

// The Number of w * 2^(exponent - 288), truncated to 256 bits.
Number Normalized(const Wide& x, int exponent, bool negative) {
    const int z = LeadingZeros(x);
    if (z == 32 * kWide) return kZero;
    Wide s{};
    const int q = z / 32;
    const int b = z % 32;
    for (int i = kWide - 1; i - q >= 0; --i) {
        std::uint64_t v = static_cast<std::uint64_t>(x.w[i - q]) << b;
        if (b != 0 && i - q - 1 >= 0) v |= x.w[i - q - 1] >> (32 - b);
        s.w[i] = static_cast<std::uint32_t>(v);
    }
    Number r;
    for (int i = 0; i < kLimbs; ++i) r.limb[i] = s.w[i + 1];
    r.exponent = exponent - z;
    r.negative = negative;
    return r;
}

// -1, 0 or 1 as |a| is below, equal to or above |b|.
int CompareMagnitudes(const Number& a, const Number& b) {
    const bool za = IsZero(a);
    const bool zb = IsZero(b);
    if (za || zb) return za == zb ? 0 : (za ? -1 : 1);
    if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
    for (int i = kLimbs - 1; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i] ? -1 : 1;
    }
    return 0;
}

// |big| + |small| or |big| - |small|, for |big| >= |small|, with the sign of big.
Number CombineMagnitudes(const Number& big, const Number& small, bool subtract) {
    const Wide a = Widen(big);
    const Wide b = ShiftedRight(Widen(small), big.exponent - small.exponent);
    Wide r{};
    std::uint64_t carry = 0;
    for (int i = 0; i < kWide; ++i) {
        if (subtract) {
            const std::uint64_t d = static_cast<std::uint64_t>(a.w[i]) - b.w[i] - carry;
            r.w[i] = static_cast<std::uint32_t>(d);
            carry = (d >> 32) != 0 ? 1 : 0;
        } else {
            const std::uint64_t s = static_cast<std::uint64_t>(a.w[i]) + b.w[i] + carry;
            r.w[i] = static_cast<std::uint32_t>(s);
            carry = s >> 32;
        }
    }
    if (!subtract && carry != 0) {
        r = ShiftedRight(r, 1);
        r.w[kWide - 1] |= 0x80000000u;
        return Normalized(r, big.exponent + 1, big.negative);
    }
    return Normalized(r, big.exponent, big.negative);
}

// The nearest integer to m / 2^(256 - p), ties to even, for 0 <= p <= 53 (plus 2^256
// when `carry` is set; m is then far below 2^256, so the integer is 2^p).
std::uint64_t RoundedTop(const std::uint32_t (&m)[kLimbs], bool carry, int p) {
    if (carry) return std::uint64_t{1} << p;
    bool below = false;  // any bit below the top 64
    for (int i = 0; i < kLimbs - 2; ++i) below = below || m[i] != 0;
    const std::uint64_t top = (static_cast<std::uint64_t>(m[kLimbs - 1]) << 32) | m[kLimbs - 2];
    if (p == 0) {  // 1 above one half, 0 at or below it
        const std::uint64_t half = std::uint64_t{1} << 63;
        return (top > half || (top == half && below)) ? 1 : 0;
    }
    const std::uint64_t q = top >> (64 - p);
    const std::uint64_t roundBit = std::uint64_t{1} << (63 - p);
    const bool sticky = below || (top & (roundBit - 1)) != 0;
    const bool up = (top & roundBit) != 0 && (sticky || (q & 1) != 0);
    return up ? q + 1 : q;
}

}  // namespace

bool IsZero(const Number& x) {
    for (int i = 0; i < kLimbs; ++i) {
        if (x.limb[i] != 0) return false;
    }
    return true;
}

Number FromDouble(double x) {
    const std::uint64_t bits = BitsOf(x);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = biased - 1075;  // x = m * 2^e
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
    } else {
        e = -1074;
    }
    Wide w{};  // m * 2^224
    w.w[kWide - 1] = static_cast<std::uint32_t>(m >> 32);
    w.w[kWide - 2] = static_cast<std::uint32_t>(m);
    return Normalized(w, e + 64, negative);
}

Number Negate(Number x) {
    if (!IsZero(x)) x.negative = !x.negative;
    return x;
}

Number Scale(Number x, int k) {
    if (!IsZero(x)) x.exponent += k;
    return x;
}

Number Add(const Number& a, const Number& b) {
    if (IsZero(a)) return b;
    if (IsZero(b)) return a;
    const bool aIsBigger = CompareMagnitudes(a, b) >= 0;
    const Number& big = aIsBigger ? a : b;
    const Number& small = aIsBigger ? b : a;
    return CombineMagnitudes(big, small, a.negative != b.negative);
}

Number Subtract(const Number& a, const Number& b) { return Add(a, Negate(b)); }

Number Multiply(const Number& a, const Number& b) {
    if (IsZero(a) || IsZero(b)) return kZero;
    std::uint32_t p[2 * kLimbs] = {};
    for (int i = 0; i < kLimbs; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < kLimbs; ++j) {
            const std::uint64_t t = static_cast<std::uint64_t>(a.limb[i]) * b.limb[j] + p[i + j] + carry;
            p[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        p[i + kLimbs] = static_cast<std::uint32_t>(carry);
    }
    Wide w;  // the top 288 bits of the 512-bit product
    for (int i = 0; i < kWide; ++i) w.w[i] = p[kLimbs - 1 + i];
    return Normalized(w, a.exponent + b.exponent, a.negative != b.negative);
}

Number MultiplySmall(const Number& a, std::uint32_t k) {
    Wide w{};
    std::uint64_t carry = 0;
    for (int i = 0; i < kLimbs; ++i) {
        const std::uint64_t t = static_cast<std::uint64_t>(a.limb[i]) * k + carry;
        w.w[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    w.w[kLimbs] = static_cast<std::uint32_t>(carry);
    return Normalized(w, a.exponent + 32, a.negative);
}

Number DivideSmall(const Number& a, std::uint32_t k) {
    const Wide x = Widen(a);
    Wide q{};
    std::uint64_t rest = 0;
    for (int i = kWide - 1; i >= 0; --i) {
        const std::uint64_t cur = (rest << 32) | x.w[i];
        q.w[i] = static_cast<std::uint32_t>(cur / k);
        rest = cur % k;
    }
    return Normalized(q, a.exponent, a.negative);
}

Rounding RoundToDouble(const Number& x, int accurateBits) {
    if (IsZero(x)) return {0.0, true};
    const double sign = x.negative ? -1.0 : 1.0;
    const int e = x.exponent;
    if (e > 1024) return {sign * PowerOfTwo(1023) * 2.0, true};
    const int p = e + 1074 < 53 ? e + 1074 : 53;  // the bits the Double keeps
    if (p < 0) return {sign * 0.0, true};         // below half of 2^-1074

    // m - 2^s and m + 2^s, s = 256 - accurateBits, bound every value x stands for.
    std::uint32_t down[kLimbs];
    std::uint32_t up[kLimbs];
    const int s = 256 - accurateBits;
    std::uint64_t borrow = 0;
    std::uint64_t carry = 0;
    for (int i = 0; i < kLimbs; ++i) {
        const std::uint64_t unit = i == s / 32 ? std::uint64_t{1} << (s % 32) : 0;
        const std::uint64_t d = static_cast<std::uint64_t>(x.limb[i]) - unit - borrow;
        down[i] = static_cast<std::uint32_t>(d);
        borrow = (d >> 32) != 0 ? 1 : 0;
        const std::uint64_t u = static_cast<std::uint64_t>(x.limb[i]) + unit + carry;
        up[i] = static_cast<std::uint32_t>(u);
        carry = u >> 32;
    }
    const std::uint64_t q = RoundedTop(x.limb, false, p);
    const bool decided = RoundedTop(down, false, p) == q && RoundedTop(up, carry != 0, p) == q;
    // q * 2^(e - p): exact, or infinite beyond the range (2^(e - p) never is).
    return {sign * (static_cast<double>(q) * PowerOfTwo(e - p)), decided};
}

}  // namespace tervanix::rt::mp
