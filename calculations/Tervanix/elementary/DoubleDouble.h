// Double-double arithmetic for the correctly rounded functions: a value held as the
// unevaluated sum hi + lo of two Doubles. The error-free transformations are exact in
// IEEE double arithmetic rounding to nearest, with no contraction into fused
// multiply-adds (the library is built with -ffp-contract=off), so they give the same
// bits on every platform. The products split their operands (Dekker), which needs no
// fused multiply-add from the hardware; an operand must then lie below 2^996 in
// magnitude, and the error term of a product is exact only while it is not subnormal.
#pragma once

#include "Tervanix/elementary/Dispatch.h"
#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/platform/Config.h"

namespace tervanix::rt::dd {

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b exactly, when a is 0 or |a| >= |b|.
constexpr DoubleDouble FastTwoSum(double a, double b) {
    const double s = a + b;
    const double z = s - a;
    return {s, b - z};
}

// a + b exactly, whatever the magnitudes.
inline DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

// a as the sum of two halves of at most 26 significant bits each.
inline DoubleDouble Split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// a * b exactly.
inline DoubleDouble TwoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = Split(a);
    const DoubleDouble y = Split(b);
    const double err = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, err};
}

// a * a exactly.
inline DoubleDouble TwoSquare(double a) {
    const double p = a * a;
    const DoubleDouble x = Split(a);
    const double err = ((x.hi * x.hi - p) + 2.0 * (x.hi * x.lo)) + x.lo * x.lo;
    return {p, err};
}

#if TERVANIX_FUSED_DISPATCH
// TwoProduct and TwoSquare by a fused multiply-add: only for code compiled with
// TERVANIX_FUSED_TARGET, into which they are inlined (elsewhere fma would be a call).
TERVANIX_ALWAYS_INLINE inline DoubleDouble FusedTwoProduct(double a, double b) {
    const double p = a * b;
    return {p, __builtin_fma(a, b, -p)};
}
TERVANIX_ALWAYS_INLINE inline DoubleDouble FusedTwoSquare(double a) { return FusedTwoProduct(a, a); }
#endif

// The exact product by either method, as a template argument: kFused selects the
// fused multiply-add.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline DoubleDouble ExactProduct(double a, double b) {
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return FusedTwoProduct(a, b);
#endif
    return TwoProduct(a, b);
}

// The sum of two double-doubles, relative error about 2^-104 (Sloppy addition is not
// used: it loses everything when the operands cancel).
inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    const DoubleDouble t = TwoSum(a.lo, b.lo);
    const DoubleDouble u = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(u.hi, u.lo + t.lo);
}

// Whether every value within |eps| of hi + lo rounds to the same Double, which it then
// stores in rounded: rounding is monotonic, so they do when the two ends do. lo need
// not be folded into hi and may exceed half an ulp of it; eps carries a margin for the
// rounding of lo -+ eps. Its sign does not matter: the two ends only trade places.
// hi + lo must be finite. The ends are compared by their bits, which on x86-64 is
// cheaper than a floating-point comparison; for finite ends the two comparisons agree
// but on 0 and -0, which this test calls different (the caller then takes its slow,
// exact path).
TERVANIX_ALWAYS_INLINE inline bool RoundsAlike(DoubleDouble v, double eps, double& rounded) {
    rounded = v.hi + (v.lo + eps);
    return BitsOf(rounded) == BitsOf(v.hi + (v.lo - eps));
}

// A double-double plus a double.
inline DoubleDouble Add(DoubleDouble a, double b) {
    const DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

// a * b + c, rounded once by a fused multiply-add (kFused) or twice, product and sum.
// Where an error bound counts both roundings it holds for either.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double MulAdd(double a, double b, double c) {
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return __builtin_fma(a, b, c);
#endif
    return a * b + c;
}

// The product of two double-doubles before its low part is folded into the high one:
// hi is the rounded product of the high parts and lo the rest, which may exceed half
// an ulp of hi. The relative error is about 2^-102 when each operand's low part is
// below half an ulp of its high part; a larger low part adds the roundings of its
// products (about 2^-53 of them).
template <bool kFused = false>
TERVANIX_ALWAYS_INLINE inline DoubleDouble UnfoldedMultiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = ExactProduct<kFused>(a.hi, b.hi);
    return {p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi)};
}

// The product of two double-doubles, relative error about 2^-102.
template <bool kFused = false>
TERVANIX_ALWAYS_INLINE inline DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = UnfoldedMultiply<kFused>(a, b);
    return FastTwoSum(p.hi, p.lo);
}

// A double-double times a double.
inline DoubleDouble Multiply(DoubleDouble a, double b) {
    const DoubleDouble p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

}  // namespace tervanix::rt::dd
