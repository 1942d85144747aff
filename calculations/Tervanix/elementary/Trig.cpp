#include "Tervanix/elementary/Trig.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "Tervanix/elementary/AngleReduction.h"
#include "Tervanix/elementary/Dispatch.h"
#include "Tervanix/elementary/DoubleDouble.h"
#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/elementary/TrigSlow.h"
#include "Tervanix/elementary/TrigTables.h"
#include "Tervanix/platform/Config.h"

namespace tervanix::rt::cr {

namespace {

using namespace trig;

// The relative error of the sine and cosine below, before their rounding, is under
// 2^-69 (the tails evaluated in double dominate; see docs/design.md); their rounding
// test allows 2^-68. The arctangent's is under 2^-70 (AtanOfPositive), and its test
// allows 2^-69.54: a test as wide as 2^-68 would leave to the slow path some
// arguments that the evaluation decides, such as 6.1484375, whose arctangent lies
// 2^-68.4 of itself from a midpoint.
constexpr double kRelativeError = 0x1p-68;
constexpr double kAtanRelativeError = 0x1.6p-70;

// The double that every value within bound*|hi| of hi + lo rounds to (dd::RoundsAlike),
// or NaN where they differ.
TERVANIX_ALWAYS_INLINE inline double RoundedOrNaN(double hi, double lo, double bound = kRelativeError) {
    double rounded;
    return dd::RoundsAlike({hi, lo}, hi * bound, rounded) ? rounded : std::numeric_limits<double>::quiet_NaN();
}

// a*b exactly as hi + lo, for a of at most 27 significant bits: by a fused multiply-add
// (normalized), or from the 26-bit halves of b, whose products with a are exact (then
// lo may exceed half an ulp of hi).
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline dd::DoubleDouble ShortTimes(double a, double b) {
    if constexpr (kFused) {
        return dd::ExactProduct<kFused>(a, b);
    } else {
        const dd::DoubleDouble halves = dd::Split(b);
        return {a * halves.hi, a * halves.lo};
    }
}

// +1 or -1 for a sign bit.
constexpr double kSign[2] = {1.0, -1.0};

// sin x or cos x, times sign, for the angle x = k*pi/1024 + r from the row a = j*pi/1024
// (j = k modulo 512) in quadrant q (k/512 modulo 4): with t = r = hi + lo
// (|t| <= pi/2048 + 2^-40),
//   sin(a + t) = sin a + cos a * t + sin a * (cos t - 1) + cos a * (sin t - t),
//   cos(a + t) = cos a - sin a * t + cos a * (cos t - 1) - sin a * (sin t - t),
// one formula p + q*t + p*(cos t - 1) + q*(sin t - t) with (p, q) = (sin a, cos a) or
// (cos a, -sin a), chosen by index so that no branch depends on the argument; the
// quadrant turns the sine into cos, -sin, -cos. quarterTurns adds to k's quadrant (1
// for the cosine). p + q*hi is formed exactly from the 27-bit heads of p and q and
// the two 26-bit halves of hi; the rest, below 2^-18.5 of the result, in double. The
// tails cos t - 1 and sin t - t are Taylor polynomials (truncation below 2^-88 |t|).
// NaN when the rounding test cannot decide.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double SinOrCosOfTableAngle(TableAngle angle, unsigned quarterTurns, double sign) {
    const unsigned index = static_cast<unsigned>(angle.k) + 512u * quarterTurns;
    const unsigned quadrant = (index >> 9) & 3u;
    const unsigned useCos = quadrant & 1u;
    sign *= kSign[quadrant >> 1];
    const double* row = kSinCosTable[index & 511u];
    const double p1 = row[2 * useCos] * sign;
    const double p2 = row[2 * useCos + 1] * sign;
    const double q1 = row[2 - 2 * useCos] * (kSign[useCos] * sign);
    const double q2 = row[3 - 2 * useCos] * (kSign[useCos] * sign);
    const double hi = angle.r.hi;
    const double lo = angle.r.lo;
    const double t = hi + lo;  // for the tails; lo may exceed half an ulp of hi
    const double u = t * t;
    const double u2 = u * u;
    const double sinTail = (t * u) * dd::MulAdd<kFused>(u2, -1.0 / 5040.0, dd::MulAdd<kFused>(u, 1.0 / 120.0, -1.0 / 6.0));
    const double cosTail = u * dd::MulAdd<kFused>(u2, -1.0 / 720.0, dd::MulAdd<kFused>(u, 1.0 / 24.0, -0.5));
    const double p = p1 + p2;
    const double q = q1 + q2;
    // q1 * hi exactly, with the 27-bit q1.
    const dd::DoubleDouble headProduct = ShortTimes<kFused>(q1, hi);
    // |p1| >= sin(pi/1024) > |q1*hi| or p1 = 0.
    const dd::DoubleDouble head = dd::FastTwoSum(p1, headProduct.hi);
    const double rest = p2 + dd::MulAdd<kFused>(q, lo, dd::MulAdd<kFused>(q2, hi, headProduct.lo));
    return RoundedOrNaN(head.hi, (rest + head.lo) + dd::MulAdd<kFused>(p, cosTail, q * sinTail));
}

// sin x (cosine false) or cos x (cosine true) for finite |x| >= 2^-27, or NaN when the
// rounding test cannot decide. sin(-x) = -sin x, cos(-x) = cos x.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double SinOrCos(double x, bool cosine) {
    const double sign = !cosine && x < 0.0 ? -1.0 : 1.0;
    return SinOrCosOfTableAngle<kFused>(ReduceToTable(std::fabs(x)), cosine ? 1u : 0u, sign);
}

// atan t - t = t^3 (-1/3 + t^2/5 - t^4/7) for |t| <= 2^-10 (1 + 2^-51): the terms left
// out, t^9/9 - ..., stay below 2^-83 |t|. The roundings (of the coefficients, of s and
// t^3, of the two products and two sums) leave 2^-50 of |t^3|/3 <= 2^-21.5 |t|, that
// is 2^-71.5 |t|.
TERVANIX_ALWAYS_INLINE inline double AtanSeries(double t) {
    const double s = t * t;
    return (t * s) * ((-1.0 / 3.0 + s * (1.0 / 5.0)) + (s * s) * (-1.0 / 7.0));
}

// atan x for 2^-10 <= x <= 2^60, or NaN when the rounding test cannot decide. The
// binade [2^e, 2^(e+1)) of x is cut into 2^k rows by the top k bits of its mantissa
// (kAtanBinades); c, the middle of the row of x, has k + 2 significant bits and lies
// in the same binade, so that
//   atan x = atan c + atan t,  t = (x - c) / (1 + c*x),
// with n = x - c exact (c/2 <= x <= 2c) and |t| <= 2^-10: half the row's width,
// 2^(e-k-1), over 1 + c*x, which is at least 1 below 1, 2 in [1, 2) and 2^(2e) above,
// where k = e + 9, 8 and 9 - e (at least 0). Only atan c comes from the table, and
// no division finds the row.
// The quotient takes one division. D = 1 + c*x is formed as Dhi + Dlo within
// 2^-104.9 (c*x exact as P + p; 1 + P exact as a two-sum; its error plus p rounded
// once). r is the reciprocal of d0, 1 + c*x rounded (started at once, beside the exact
// D), and q = n*r: three roundings, q within 2^-51 (1 + 2^-52) of t. The remainder
// n - q*D is formed within 2^-102.5 |n| (n - q*Dhi exact, q*Dhi by an exact product)
// and divided by d0 within 2^-101.9 |t|: t = q + remainder*r within 2^-100 |t|.
// The errors, in units of |t|:
//   the series taken at q, not at t: its slope -t^2 times 2^-51 |t|      2^-71
//   the series' roundings and the terms it leaves out                   2^-71.5
//   tail's sum; the last sum into the low part; the rounding test's own  3 * 2^-74.5
//   the quotient t's own, and atan c from the table (2^-106 of atan c,
//   at most twice atan x)                                               below 2^-99
// together below 2^-70 |t|, and |t| <= atan x: for x < 1, |t| <= |x - c| <= x/2
// and atan x >= 0.78 x; above 1, |t| <= 2^-10 < atan x. head.hi is atan x within
// 2^-20 of it, so the bound holds relative to it too: the rounding test allows
// 2^-69.54 (kAtanRelativeError). atan c >= atan(1.5 * 2^-10) exceeds |q|, so the
// head's fast two-sum is exact.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double AtanOfPositive(double x) {
    const std::uint64_t bits = BitsOf(x);
    const AtanBinade& binade = kAtanBinades[(bits >> 52) - (1023 - 10)];
    const unsigned shift = binade.shift;
    const double c = FromBits(((bits >> shift) << shift) | (std::uint64_t{1} << (shift - 1)));
    const double* row = kAtanTable[binade.first + static_cast<int>((bits & 0x000fffffffffffffu) >> shift)];
    const double n = x - c;  // exact
    const double reciprocal = 1.0 / dd::MulAdd<kFused>(c, x, 1.0);
    // c*x = P + p exactly (c has at most 10 bits), normalized: the portable product's
    // low part may exceed half an ulp of its high part.
    dd::DoubleDouble cx = ShortTimes<kFused>(c, x);
    if constexpr (!kFused) cx = dd::FastTwoSum(cx.hi, cx.lo);
    const dd::DoubleDouble one = dd::TwoSum(1.0, cx.hi);
    const dd::DoubleDouble D = dd::FastTwoSum(one.hi, one.lo + cx.lo);
    const double q = n * reciprocal;
    const dd::DoubleDouble qD = dd::ExactProduct<kFused>(q, D.hi);
    const double remainder = ((n - qD.hi) - qD.lo) - q * D.lo;
    const double tail = remainder * reciprocal + AtanSeries(q);
    const dd::DoubleDouble head = dd::FastTwoSum(row[0], q);
    return RoundedOrNaN(head.hi, (head.lo + row[1]) + tail, kAtanRelativeError);
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double SinOf(double x) {
    // NaN stays NaN; an infinity gives NaN (invalid). No public method passes one:
    // cGeom.PolarToCart takes the cosine of the angle first, and that faults on it
    // (the rounding check passes them); differential: unreachable
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) < 0x1p-26) return x;  // x^3/6 lies below half an ulp of x
    if constexpr (kStepByStep) return trig::SlowSin(x);
    const double result = SinOrCos<kFused>(x, false);
    return TERVANIX_LIKELY(result == result) ? result : trig::SlowSin(x);
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double CosOf(double x) {
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) < 0x1p-27) return 1.0;  // x^2/2 lies below half an ulp below 1
    if constexpr (kStepByStep) return trig::SlowCos(x);
    const double result = SinOrCos<kFused>(x, true);
    return TERVANIX_LIKELY(result == result) ? result : trig::SlowCos(x);
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double AtanOf(double x) {
    // No public method passes NaN: cGeom.CartToPolar's quotient faults first (the
    // rounding check passes it); differential: unreachable
    if (std::isnan(x)) return x + x;
    const double ax = std::fabs(x);
    if (ax < 0x1p-27) return x;  // x^3/3 lies below half an ulp of x
    // Beyond 2^60, pi/2 - atan x < 2^-60 and pi/2 rounds 6.1e-17 below it, far from
    // the midpoint 1.1e-16 away: the rounded result is the double nearest pi/2.
    if (ax > 0x1p60) return x > 0.0 ? kHalfPiHi : -kHalfPiHi;
    if constexpr (kStepByStep) return trig::SlowAtan(x);
    // Below 2^-10, t = x itself (c = 0): the series alone, within 2^-71.4 |x|.
    const double result = ax < 0x1p-10 ? RoundedOrNaN(ax, AtanSeries(ax), kAtanRelativeError) : AtanOfPositive<kFused>(ax);
    return TERVANIX_LIKELY(result == result) ? std::copysign(result, x) : trig::SlowAtan(x);
}

#if TERVANIX_FUSED_DISPATCH
TERVANIX_FUSED_TARGET double SinFused(double x) { return SinOf<true>(x); }
TERVANIX_FUSED_TARGET double CosFused(double x) { return CosOf<true>(x); }
TERVANIX_FUSED_TARGET double AtanFused(double x) { return AtanOf<true>(x); }
#endif

}  // namespace

double portable::Sin(double x) { return SinOf<false>(x); }
double portable::Cos(double x) { return CosOf<false>(x); }
double portable::Atan(double x) { return AtanOf<false>(x); }

#if TERVANIX_FUSED_DISPATCH
double Sin(double x) { return dd::Dispatch<SinFused, portable::Sin>::Call(x); }
double Cos(double x) { return dd::Dispatch<CosFused, portable::Cos>::Call(x); }
double Atan(double x) { return dd::Dispatch<AtanFused, portable::Atan>::Call(x); }
#else
double Sin(double x) { return portable::Sin(x); }
double Cos(double x) { return portable::Cos(x); }
double Atan(double x) { return portable::Atan(x); }
#endif

}  // namespace tervanix::rt::cr
