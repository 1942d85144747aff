#include "Tervanix/elementary/Trig.h"

#include <cmath>
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

// The relative error of every result below, before its rounding, is under 2^-69 for
// the sine and cosine and 2^-69.3 for the arctangent (the tails evaluated in double
// dominate; see docs/design.md); the rounding test allows 2^-68.
constexpr double kRelativeError = 0x1p-68;

// Whether every value within kRelativeError*|hi| of hi + lo rounds to the same double:
// then that double, otherwise NaN. lo may exceed half an ulp of hi.
TERVANIX_ALWAYS_INLINE inline double RoundedOrNaN(double hi, double lo) {
    const double err = std::fabs(hi) * kRelativeError;
    const double up = hi + (lo + err);
    const double down = hi + (lo - err);
    return up == down ? up : std::numeric_limits<double>::quiet_NaN();
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
    const double sinTail = (t * u) * ((-1.0 / 6.0 + u * (1.0 / 120.0)) - u2 * (1.0 / 5040.0));
    const double cosTail = u * ((-0.5 + u * (1.0 / 24.0)) - u2 * (1.0 / 720.0));
    const double p = p1 + p2;
    const double q = q1 + q2;
    // q1 * hi exactly, as headProduct + headError: by a fused multiply-add, or from the
    // 26-bit halves of hi, whose products with the 27-bit q1 are exact.
    double headProduct, headError;
    if constexpr (kFused) {
        const dd::DoubleDouble product = dd::ExactProduct<kFused>(q1, hi);
        headProduct = product.hi;
        headError = product.lo;
    } else {
        const dd::DoubleDouble halves = dd::Split(hi);
        headProduct = q1 * halves.hi;
        headError = q1 * halves.lo;
    }
    // |p1| >= sin(pi/1024) > |q1*hi| or p1 = 0.
    const dd::DoubleDouble head = dd::FastTwoSum(p1, headProduct);
    const double rest = p2 + ((q2 * hi + headError) + q * lo);
    return RoundedOrNaN(head.hi, (rest + head.lo) + (p * cosTail + q * sinTail));
}

// sin x (cosine false) or cos x (cosine true) for finite |x| >= 2^-27, or NaN when the
// rounding test cannot decide. sin(-x) = -sin x, cos(-x) = cos x.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double SinOrCos(double x, bool cosine) {
    const double sign = !cosine && x < 0.0 ? -1.0 : 1.0;
    return SinOrCosOfTableAngle<kFused>(ReduceToTable(std::fabs(x)), cosine ? 1u : 0u, sign);
}

// atan x for 0 < x <= 2^60, from the table at c = j/256: for x <= 1, c nearest x and
// atan x = atan c + atan t with t = (x - c) / (1 + c*x); above 1, c nearest 1/x and
// atan x = (pi/2 - atan c) - atan t with t = (1 - c*x) / (x + c). Both are
// t = (a - c*b) / (b + c*a) with {a, b} = {x, 1}, the quotient of exact double-doubles
// taken as a double-double; |t| <= 2^-9, and atan t - t = t^3 * (-1/3 + t^2/5 - t^4/7 +
// t^6/9) in double (truncation below 2^-90 |t|). NaN when the rounding test cannot
// decide.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double AtanOfPositive(double x) {
    const int above1 = x > 1.0 ? 1 : 0;
    const int j = static_cast<int>((above1 != 0 ? 1.0 / x : x) * 256.0 + 0.5);
    const double c = j * 0x1p-8;  // 8 bits (or c = 1)
    const dd::DoubleDouble xs = dd::Split(x);  // heads of 26 bits: xs.hi*c and xs.lo*c are exact
    const double a = above1 != 0 ? 1.0 : x;
    const double b = above1 != 0 ? x : 1.0;
    const double cbHi = above1 != 0 ? xs.hi * c : c;  // c*b = cbHi + cbLo exactly
    const double cbLo = above1 != 0 ? xs.lo * c : 0.0;
    const double caHi = above1 != 0 ? c : xs.hi * c;
    const double caLo = above1 != 0 ? 0.0 : xs.lo * c;
    const dd::DoubleDouble numerator = dd::TwoSum(a - cbHi, -cbLo);  // the difference is exact
    const dd::DoubleDouble d = dd::TwoSum(b, caHi);
    const dd::DoubleDouble denominator = dd::FastTwoSum(d.hi, d.lo + caLo);  // normalized, for the quotient
    // q need not be the rounded quotient: the remainder, formed exactly, corrects it.
    const double reciprocal = 1.0 / denominator.hi;
    const double q = numerator.hi * reciprocal;
    const dd::DoubleDouble p = dd::ExactProduct<kFused>(q, denominator.hi);
    const double remainder = ((numerator.hi - p.hi) - p.lo) + (numerator.lo - q * denominator.lo);
    const double s = q * q;
    const double s2 = s * s;
    const double series = (-1.0 / 3.0 + s * (1.0 / 5.0)) + s2 * (-1.0 / 7.0 + s * (1.0 / 9.0));
    const double tail = remainder * reciprocal + (q * s) * series;
    // atan c + atan t, or (pi/2 - atan c) - atan t.
    const double* row = kAtanTable[j];
    const double sign = kSign[above1];
    const dd::DoubleDouble head = dd::FastTwoSum(row[2 * above1], sign * q);  // the table value is 0 or larger
    return RoundedOrNaN(head.hi, (head.lo + row[2 * above1 + 1]) + sign * tail);
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
    const double result = AtanOfPositive<kFused>(ax);
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
