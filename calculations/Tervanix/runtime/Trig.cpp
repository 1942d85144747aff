#include "Tervanix/runtime/Trig.h"

#include <cmath>

#include "Tervanix/runtime/AngleReduction.h"
#include "Tervanix/runtime/Config.h"
#include "Tervanix/runtime/DoubleDouble.h"
#include "Tervanix/runtime/TrigSlow.h"
#include "Tervanix/runtime/TrigTables.h"

namespace tervanix::rt::cr {

namespace {

using namespace trig;

// The relative error of every result below, before its rounding, is under 2^-70 (the
// tails evaluated in double dominate; see docs/design.md); the rounding test allows
// 2^-68.
constexpr double kRelativeError = 0x1p-68;

constexpr double kQuarterPi = 0x1.921fb54442d18p-1;

// Whether every value within kRelativeError*|hi| of hi + lo rounds to the same double,
// which is then the rounded result. lo may exceed half an ulp of hi.
bool RoundsUnambiguously(double hi, double lo, double& rounded) {
    const double err = std::fabs(hi) * kRelativeError;
    const double up = hi + (lo + err);
    const double down = hi + (lo - err);
    rounded = up;
    return up == down;
}

// sin r or cos r for 0 <= r <= pi/4 + 2^-30 (hi + lo, |lo| small beside hi), from the
// table at a = j/512 nearest r: with t = r - a (|t| <= 2^-10),
//   sin(a + t) = sin a + cos a * t + sin a * (cos t - 1) + cos a * (sin t - t),
//   cos(a + t) = cos a - sin a * t + cos a * (cos t - 1) - sin a * (sin t - t).
// The first two terms are formed exactly from the 27-bit heads of sin a and cos a and
// the 26-bit head of t; the rest, below 2^-20 of the result, in double. The tails
// cos t - 1 and sin t - t are Taylor polynomials (truncation below 2^-90 |t|).
bool SinOrCosOfReduced(double hi, double lo, bool cosine, double& result) {
    const int j = static_cast<int>(hi * 512.0 + 0.5);
    const dd::DoubleDouble t = dd::TwoSum(hi - j * 0x1p-9, lo);  // the difference is exact
    const double u = t.hi * t.hi;
    const double sinTail = (t.hi * u) * (-1.0 / 6.0 + u * (1.0 / 120.0 - u * (1.0 / 5040.0)));
    const double cosTail = u * (-0.5 + u * (1.0 / 24.0 - u * (1.0 / 720.0))) - t.hi * t.lo;
    if (j == 0) {
        return cosine ? RoundsUnambiguously(1.0, cosTail, result) : RoundsUnambiguously(t.hi, t.lo + sinTail, result);
    }
    const double* row = kSinCosTable[j];
    const double t1 = (t.hi + 0x1.8p16) - 0x1.8p16;  // t to a multiple of 2^-36: 26 bits
    const double t2 = t.hi - t1;
    const double sinA = row[0] + row[1];
    const double cosA = row[2] + row[3];
    if (cosine) {
        const dd::DoubleDouble head = dd::FastTwoSum(row[2], -(row[0] * t1));
        const double rest = row[3] - ((row[1] * t.hi + row[0] * t2) + sinA * t.lo);
        return RoundsUnambiguously(head.hi, ((rest + head.lo) + (cosA * cosTail - sinA * sinTail)), result);
    }
    const dd::DoubleDouble head = dd::FastTwoSum(row[0], row[2] * t1);
    const double rest = row[1] + ((row[3] * t.hi + row[2] * t2) + cosA * t.lo);
    return RoundsUnambiguously(head.hi, ((rest + head.lo) + (sinA * cosTail + cosA * sinTail)), result);
}

// sin x (cosine false) or cos x (cosine true) for finite |x| >= 2^-27, or false when
// the rounding test cannot decide.
bool SinOrCos(double x, bool cosine, double& result) {
    const double ax = std::fabs(x);
    const ReducedAngle reduced = ax <= kQuarterPi ? ReducedAngle{0, {ax, 0.0}} : ReduceAngle(ax);
    const bool negativeR = reduced.r.hi < 0.0;
    // sin(k*pi/2 + r) cycles through sin r, cos r, -sin r, -cos r; cos through
    // cos r, -sin r, -cos r, sin r.
    const int step = (reduced.quadrant + (cosine ? 1 : 0)) & 3;
    const bool useCos = (step & 1) != 0;
    bool negative = (step & 2) != 0;
    if (!useCos && negativeR) negative = !negative;
    if (!cosine && x < 0.0) negative = !negative;
    const double hi = negativeR ? -reduced.r.hi : reduced.r.hi;
    const double lo = negativeR ? -reduced.r.lo : reduced.r.lo;
    if (!SinOrCosOfReduced(hi, lo, useCos, result)) return false;
    if (negative) result = -result;
    return true;
}

// atan x for 0 < x <= 2^60, from the table at c = j/256: for x <= 1, c nearest x and
// atan x = atan c + atan t with t = (x - c) / (1 + x*c); above 1, c nearest 1/x and
// atan x = (pi/2 - atan c) - atan t with t = (1 - c*x) / (x + c). |t| <= 2^-9; t is
// formed as a double-double quotient of exact double-doubles, and atan t - t =
// t^3 * (-1/3 + t^2/5 - t^4/7 + t^6/9) in double (truncation below 2^-90 |t|).
bool AtanOfPositive(double x, double& result) {
    const bool above1 = x > 1.0;
    const int j = static_cast<int>((above1 ? 1.0 / x : x) * 256.0 + 0.5);
    const double c = j * 0x1p-8;  // 8 bits (or c = 1)
    const dd::DoubleDouble xs = dd::Split(x);  // heads of 26 bits: xs.hi*c and xs.lo*c are exact
    dd::DoubleDouble numerator, denominator;
    if (above1) {
        numerator = dd::TwoSum(1.0 - xs.hi * c, -(xs.lo * c));  // the difference is exact
        denominator = dd::TwoSum(x, c);
    } else {
        numerator = {x - c, 0.0};  // exact
        const dd::DoubleDouble d = dd::FastTwoSum(1.0, xs.hi * c);
        denominator = dd::FastTwoSum(d.hi, d.lo + xs.lo * c);  // normalized, for the quotient
    }
    const double q = numerator.hi / denominator.hi;
    const dd::DoubleDouble p = dd::TwoProduct(q, denominator.hi);
    const double remainder = ((numerator.hi - p.hi) - p.lo) + (numerator.lo - q * denominator.lo);
    const double tLo = remainder / denominator.hi;
    const double s = q * q;
    const double tail = tLo + (q * s) * (-1.0 / 3.0 + s * (1.0 / 5.0 + s * (-1.0 / 7.0 + s * (1.0 / 9.0))));
    const double* row = kAtanTable[j];
    if (above1) {
        const dd::DoubleDouble head = dd::FastTwoSum(row[2], -q);
        return RoundsUnambiguously(head.hi, (head.lo + row[3]) - tail, result);
    }
    const dd::DoubleDouble head = j == 0 ? dd::DoubleDouble{q, 0.0} : dd::FastTwoSum(row[0], q);
    return RoundsUnambiguously(head.hi, (head.lo + row[1]) + tail, result);
}

}  // namespace

double Sin(double x) {
    if (!std::isfinite(x)) return x - x;  // NaN stays NaN; an infinity gives NaN (invalid)
    if (std::fabs(x) < 0x1p-26) return x;  // x^3/6 lies below half an ulp of x
    if constexpr (kStepByStep) return trig::SlowSin(x);
    double result;
    return SinOrCos(x, false, result) ? result : trig::SlowSin(x);
}

double Cos(double x) {
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) < 0x1p-27) return 1.0;  // x^2/2 lies below half an ulp below 1
    if constexpr (kStepByStep) return trig::SlowCos(x);
    double result;
    return SinOrCos(x, true, result) ? result : trig::SlowCos(x);
}

double Atan(double x) {
    if (std::isnan(x)) return x + x;
    const double ax = std::fabs(x);
    if (ax < 0x1p-27) return x;  // x^3/3 lies below half an ulp of x
    // Beyond 2^60, pi/2 - atan x < 2^-60 and pi/2 rounds 6.1e-17 below it, far from
    // the midpoint 1.1e-16 away: the rounded result is the double nearest pi/2.
    if (ax > 0x1p60) return x > 0.0 ? kHalfPiHi : -kHalfPiHi;
    if constexpr (kStepByStep) return trig::SlowAtan(x);
    double result;
    if (!AtanOfPositive(ax, result)) return trig::SlowAtan(x);
    return x < 0.0 ? -result : result;
}

}  // namespace tervanix::rt::cr
