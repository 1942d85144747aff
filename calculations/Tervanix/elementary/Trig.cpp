#include "Tervanix/elementary/Trig.h"

#include <cmath>
#include <cstdint>

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

// The sine and cosine table's rows as p and q of the formula below, for k modulo 1024:
// row j < 512 holds (p, q) = (sin a, cos a) of a = j*pi/1024, for the first quadrant,
// and row 512 + j holds (cos a, -sin a), for the second (sin(pi/2 + a) = cos a). Each is
// a 27-bit head and a rest: p1, p2, q1, q2. The third and fourth quadrants are the first
// two negated (SinOrCosOfTableAngle).
struct SinCosRow {
    double p1, p2, q1, q2;
};
struct SinCosRows {
    SinCosRow row[1024];
};
constexpr SinCosRows ByQuadrant(const double (&table)[512][4]) {
    SinCosRows rows{};
    for (int j = 0; j < 512; ++j) {
        rows.row[j] = {table[j][0], table[j][1], table[j][2], table[j][3]};
        rows.row[512 + j] = {table[j][2], table[j][3], -table[j][0], -table[j][1]};
    }
    return rows;
}
constexpr SinCosRows kSinCosRows = ByQuadrant(kSinCosTable);

#if TERVANIX_FUSED_DISPATCH
// The same rows for the fused build, each p and q as the Double nearest it (p1, q1)
// and the rest (p2, q2): the portable row's head and rest, summed by a fast two-sum,
// exactly.
constexpr SinCosRows WithRoundedHeads(const SinCosRows& rows) {
    SinCosRows rounded{};
    for (int i = 0; i < 1024; ++i) {
        const dd::DoubleDouble p = dd::FastTwoSum(rows.row[i].p1, rows.row[i].p2);
        const dd::DoubleDouble q = dd::FastTwoSum(rows.row[i].q1, rows.row[i].q2);
        rounded.row[i] = {p.hi, p.lo, q.hi, q.lo};
    }
    return rounded;
}
constexpr SinCosRows kSinCosRoundedRows = WithRoundedHeads(kSinCosRows);

// Whether |q1*hi| < p1/2 in every row with p1 != 0, for |hi| up to pi/2048 + 2^-40:
// what makes the head's difference exact in SinOrCosNearRoundedRow (Sterbenz).
constexpr bool HeadDifferenceIsExact(const SinCosRows& rows) {
    constexpr double kLargestHi = 0x1.921fb54442d18p-10 + 0x1p-40;  // pi/2048 + 2^-40
    for (const SinCosRow& row : rows.row) {
        const double q = row.q1 < 0.0 ? -row.q1 : row.q1;
        if (row.p1 != 0.0 && !(q * kLargestHi < row.p1 / 2)) return false;
    }
    return true;
}
static_assert(HeadDifferenceIsExact(kSinCosRoundedRows), "a row's head difference would not be exact");
#endif

// p + q*t + p*(cos t - 1) + q*(sin t - t) for t = r = hi + lo (|t| <= pi/2048 + 2^-40),
// which is sin(a + t) for (p, q) = (sin a, cos a) and cos(a + t) for (cos a, -sin a):
//   sin(a + t) = sin a + cos a * t + sin a * (cos t - 1) + cos a * (sin t - t),
//   cos(a + t) = cos a - sin a * t + cos a * (cos t - 1) - sin a * (sin t - t).
// p + q*hi is formed exactly from the 27-bit heads of p and q and the two 26-bit halves
// of hi; the rest, below 2^-18.5 of the result, in double. The tails cos t - 1 and
// sin t - t are Taylor polynomials (truncation below 2^-88 |t|). False when the
// rounding test cannot decide. Every step is odd in (p, q), and rounding to nearest is
// symmetric: the row negated gives exactly the result negated.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline bool SinOrCosNearRow(const SinCosRow& row, dd::DoubleDouble r, double& rounded) {
    const double hi = r.hi;
    const double lo = r.lo;
    const double t = hi + lo;  // for the tails; lo may exceed half an ulp of hi
    const double u = t * t;
    const double u2 = u * u;
    const double sinTail = (t * u) * dd::MulAdd<kFused>(u2, -1.0 / 5040.0, dd::MulAdd<kFused>(u, 1.0 / 120.0, -1.0 / 6.0));
    const double cosTail = u * dd::MulAdd<kFused>(u2, -1.0 / 720.0, dd::MulAdd<kFused>(u, 1.0 / 24.0, -0.5));
    const double p = row.p1 + row.p2;
    const double q = row.q1 + row.q2;
    // q1 * hi exactly, with the 27-bit q1.
    const dd::DoubleDouble headProduct = ShortTimes<kFused>(row.q1, hi);
    // |p1| >= sin(pi/1024) > |q1*hi| or p1 = 0.
    const dd::DoubleDouble head = dd::FastTwoSum(row.p1, headProduct.hi);
    const double rest = row.p2 + dd::MulAdd<kFused>(q, lo, dd::MulAdd<kFused>(row.q2, hi, headProduct.lo));
    const double low = (rest + head.lo) + dd::MulAdd<kFused>(p, cosTail, q * sinTail);
    return dd::RoundsAlike({head.hi, low}, head.hi * kRelativeError, rounded);
}

#if TERVANIX_FUSED_DISPATCH
// The same in the fused build, from a row of kSinCosRoundedRows (p and q, the same as
// above, are p1 and q1 here) and r with |lo| <= 2^-53 |hi| + 2^-76:
// - The head p1 + q1*hi rounds once. Its error is q1*hi + d for d = p1 - head, exact
//   by Sterbenz (|q1*hi| < |p1|/2 - 2^-27.6, or p1 = 0), and rounds once: within
//   2^-106 of the head. The rest lies below 2^-52 of the result.
// - The tails are taken at hi, so that they need not wait for lo. Their share of lo,
//   -p*hi*lo to first order, joins lo's factor q; what is left out, about
//   q*(hi^2/2)*lo, stays below 2^-72.6 of the result.
// - cos t - 1 = -u/2 + u^2 (1/24 - u/720) with -u/2 exact, and the two tails summed
//   by one fused multiply-add.
// The errors relative to the result: three roundings of 2^-53 on p*(cos t - 1), at
// most 2^-18.7 of it, and six on q*(sin t - t), at most 2^-21.3 of it: 2^-69.7; lo's
// share left out, 2^-72.6; the last sum, 2^-71.5. Below 2^-69 together, as in the
// portable build.
TERVANIX_ALWAYS_INLINE inline bool SinOrCosNearRoundedRow(const SinCosRow& row, dd::DoubleDouble r, double& rounded) {
    const double hi = r.hi;
    const double lo = r.lo;
    const double u = hi * hi;
    const double u2 = u * u;
    const double cosTail = dd::MulAdd<true>(u2, dd::MulAdd<true>(u, -1.0 / 720.0, 1.0 / 24.0), -0.5 * u);
    const double sinPolynomial = dd::MulAdd<true>(u2, -1.0 / 5040.0, dd::MulAdd<true>(u, 1.0 / 120.0, -1.0 / 6.0));
    const double tails = dd::MulAdd<true>(row.p1, cosTail, ((row.q1 * hi) * u) * sinPolynomial);
    const double head = dd::MulAdd<true>(row.q1, hi, row.p1);
    const double headError = dd::MulAdd<true>(row.q1, hi, row.p1 - head);
    const double loFactor = dd::MulAdd<true>(-row.p1, hi, row.q1);
    const double rest = row.p2 + dd::MulAdd<true>(loFactor, lo, row.q2 * hi);
    const double low = (rest + headError) + tails;
    return dd::RoundsAlike({head, low}, head * kRelativeError, rounded);
}
#endif

// The row of index (k modulo 1024) evaluated at r, by the build's own table.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline bool SinOrCosAtIndex(unsigned index, dd::DoubleDouble r, double& rounded) {
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return SinOrCosNearRoundedRow(kSinCosRoundedRows.row[index & 1023u], r, rounded);
#endif
    return SinOrCosNearRow<kFused>(kSinCosRows.row[index & 1023u], r, rounded);
}

// sin x or cos x for the angle x = k*pi/1024 + r (k negative for negative x): k + 512
// quarterTurns modulo 1024 is the row (quarterTurns is 1 for the cosine), and its next
// bit, set in the third and fourth quadrants, flips the sign. False when the rounding
// test cannot decide.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline bool SinOrCosOfTableAngle(TableAngle angle, unsigned quarterTurns, double& result) {
    const unsigned index = static_cast<unsigned>(angle.k) + 512u * quarterTurns;
    double rounded;
    if (!SinOrCosAtIndex<kFused>(index, angle.r, rounded)) return false;
    result = FromBits(BitsOf(rounded) ^ (static_cast<std::uint64_t>(index & 1024u) << 53));
    return true;
}

inline double SlowSinOrCos(double x, bool cosine) { return cosine ? trig::SlowCos(x) : trig::SlowSin(x); }

// sin x (cosine false) or cos x (cosine true) for |x| >= 3200, infinities and NaN,
// and for the x near multiples of pi/2 that one Cody-Waite step reduces too coarsely.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double FarSinOrCos(double x, bool cosine) {
    // NaN stays NaN; an infinity gives NaN (invalid). No public method passes one:
    // cGeom.PolarToCart takes the cosine of the angle first, and that faults on it
    // (the rounding check passes them); differential: unreachable
    if (!std::isfinite(x)) return x - x;
    if constexpr (kStepByStep) return SlowSinOrCos(x, cosine);
    double result;
    if (SinOrCosOfTableAngle<kFused>(ReduceLargeToTable(x), cosine ? 1u : 0u, result)) return result;
    return SlowSinOrCos(x, cosine);
}

// Its two builds are calls of their own, so that the common path keeps no stack frame.
#if TERVANIX_FUSED_DISPATCH
[[maybe_unused]] TERVANIX_FUSED_TARGET TERVANIX_COLD_NOINLINE double FarSinOrCosFused(double x, bool cosine) { return FarSinOrCos<true>(x, cosine); }
#endif
TERVANIX_COLD_NOINLINE double FarSinOrCosPortable(double x, bool cosine) { return FarSinOrCos<false>(x, cosine); }

template <bool kFused>
double CallFarSinOrCos(double x, bool cosine) {
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return FarSinOrCosFused(x, cosine);
#endif
    return FarSinOrCosPortable(x, cosine);
}

// The table angle of x (|x| < 3200) into angle; false where its remainder lies below
// 2^-20 and may need more correct bits than the reduction gives: the table serves it
// when k = 0 (r = x exactly), and otherwise the far path must reduce x instead
// (FusedCodyWaiteToTable, ServesTable).
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline bool ReduceToTable(double x, TableAngle& angle) {
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return FusedCodyWaiteToTable(x, angle);
#endif
    angle = CodyWaiteToTable<kFused>(x);
    return ServesTable(angle);
}

// Whether sin x rounds to x (x^3/6 lies below half an ulp of x) or cos x to 1 (x^2/2
// lies below half an ulp below 1), for ax = |x|.
inline bool RoundsToFirstTerm(double ax, bool cosine) { return ax < (cosine ? 0x1p-27 : 0x1p-26); }

// sin x (cosine false) or cos x (cosine true), from ax = |x|. The one comparison with
// 3200 also sends infinities and NaN to the far path; the small arguments, whose
// remainder is x itself, leave the common path where the reduction does. Below 3200
// the reduction takes x with its sign: k is negative for negative x, and k modulo 2048
// still names the row and the quadrant (sin x = sin(k*pi/1024 + r), and cos x the
// same a quarter turn on), so the sign of x takes no step of its own.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double SinOrCos(double x, double ax, bool cosine) {
    if (TERVANIX_UNLIKELY(!(ax < 3200.0))) return CallFarSinOrCos<kFused>(x, cosine);
    if constexpr (kStepByStep) return RoundsToFirstTerm(ax, cosine) ? (cosine ? 1.0 : x) : SlowSinOrCos(x, cosine);
    TableAngle angle;
    if (TERVANIX_UNLIKELY(!ReduceToTable<kFused>(x, angle))) {
        if (RoundsToFirstTerm(ax, cosine)) return cosine ? 1.0 : x;
        if (angle.k != 0) return CallFarSinOrCos<kFused>(x, cosine);
    }
    double result;
    if (TERVANIX_LIKELY(SinOrCosOfTableAngle<kFused>(angle, cosine ? 1u : 0u, result))) return result;
    return SlowSinOrCos(x, cosine);
}

// atan t - t = t^3 (-1/3 + t^2/5 - t^4/7) for |t| <= 2^-10 (1 + 2^-51): the terms left
// out, t^9/9 - ..., stay below 2^-83 |t|. The roundings (of the coefficients, of s and
// t^3, of the two products and two sums) leave 2^-50 of |t^3|/3 <= 2^-21.5 |t|, that
// is 2^-71.5 |t|; a fused multiply-add rounds once where that counts two.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double AtanSeries(double t) {
    const double s = t * t;
    return (t * s) * dd::MulAdd<kFused>(s * s, -1.0 / 7.0, dd::MulAdd<kFused>(s, 1.0 / 5.0, -1.0 / 3.0));
}

// The binades of the arctangent's table (kAtanBinades) as masks and offsets: the
// middle c of the row of x has the bits of x that keep keeps, then the bit middle; the
// row is rowOffset + (the bits of x >> shift), modulo 2^64, where rowOffset is first
// less the exponent's bits that the shift brings along.
struct AtanBinadeMasks {
    std::uint64_t keep;
    std::uint64_t middle;
    std::uint64_t rowOffset;
    unsigned shift;
};
struct AtanBinadesWithMasks {
    AtanBinadeMasks binade[71];
};
constexpr AtanBinadesWithMasks WithMasks(const AtanBinade (&binades)[71]) {
    AtanBinadesWithMasks all{};
    for (int b = 0; b < 71; ++b) {
        const unsigned shift = binades[b].shift;
        const std::uint64_t biasedExponent = 1023 - 10 + b;
        all.binade[b] = {~((std::uint64_t{1} << shift) - 1), std::uint64_t{1} << (shift - 1),
                         static_cast<std::uint64_t>(binades[b].first) - (biasedExponent << (52 - shift)), shift};
    }
    return all;
}
constexpr AtanBinadesWithMasks kAtanBinadeMasks = WithMasks(kAtanBinades);

// n - q*D for the quotient q of n by D = Dhi + Dlo (|Dlo| <= 2^-53 Dhi), q within
// 2^-51 (1 + 2^-52) of n/D, within 2^-102.5 |n|. Portable: n - q*Dhi exactly (q*Dhi
// as an exact product, n less its head exact), then its low part and q*Dlo taken
// off. Fused: n - q*Dhi, below 2^-50.6 |n|, rounded once (2^-103.6 |n|), then q*Dlo
// taken off by a second fused multiply-add (2^-104 |n|): 2^-102.8 |n| together.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double Remainder(double n, double q, dd::DoubleDouble D) {
    if constexpr (kFused) {
        return dd::MulAdd<kFused>(-q, D.lo, dd::MulAdd<kFused>(-q, D.hi, n));
    } else {
        const dd::DoubleDouble qD = dd::ExactProduct<kFused>(q, D.hi);
        return ((n - qD.hi) - qD.lo) - q * D.lo;
    }
}

// D = 1 + c*x as Dhi + Dlo for c, x > 0, c with at most 10 significant bits, from d0,
// 1 + c*x rounded. Fused: Dhi = d0, and Dlo = c*x + (1 - d0) rounded once. While
// d0 < 2^53, 1 - d0 is exact (d0 - 1 is a multiple of d0's ulp, below d0), so Dlo is
// d0's error within 2^-53 of itself and D is within 2^-106 D; from d0 >= 2^53 (x above
// 2^26), 1 - d0 rounds by up to half an ulp of d0, and D is within 2^-52 D. Portable:
// c*x exactly as P + p (normalized: the portable product's low part may exceed half an
// ulp of its high part), 1 + P exactly as a two-sum, its error plus p rounded once: D
// within 2^-104.9 D.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline dd::DoubleDouble OnePlusProduct(double c, double x, double d0) {
    if constexpr (kFused) {
        return {d0, dd::MulAdd<kFused>(c, x, 1.0 - d0)};
    } else {
        dd::DoubleDouble cx = ShortTimes<kFused>(c, x);
        cx = dd::FastTwoSum(cx.hi, cx.lo);
        const dd::DoubleDouble one = dd::TwoSum(1.0, cx.hi);
        return dd::FastTwoSum(one.hi, one.lo + cx.lo);
    }
}

// atan x for 2^-10 <= x <= 2^60 into rounded; false when the rounding test cannot
// decide. The binade [2^e, 2^(e+1)) of x is cut into 2^k rows by the top k bits of
// its mantissa (kAtanBinades); c, the middle of the row of x, has k + 2 significant
// bits and lies in the same binade, so that
//   atan x = atan c + atan t,  t = (x - c) / (1 + c*x),
// with n = x - c exact (c/2 <= x <= 2c) and |t| <= 2^-10: half the row's width,
// 2^(e-k-1), over 1 + c*x, which is at least 1 below 1, 2 in [1, 2) and 2^(2e) above,
// where k = e + 9, 8 and 9 - e (at least 0). Only atan c comes from the table, and
// no division finds the row.
// The quotient takes one division. r is the reciprocal of d0, 1 + c*x rounded, and
// q = n*r: three roundings, q within 2^-51 (1 + 2^-52) of t. D = 1 + c*x is formed as
// Dhi + Dlo within 2^-104.9 D (OnePlusProduct), the remainder n - q*D within 2^-102.5
// |n| (Remainder), and divided by d0 within 2^-101.9 |t|: t = q + remainder*r within
// 2^-100 |t|. (Above 2^26 the fused D is only within 2^-52 D, and t within 2^-51.9
// |t|; but there |t| <= 2^-27 and atan x > 1.5, so every error below stays under
// 2^-79 atan x.)
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
TERVANIX_ALWAYS_INLINE inline bool AtanOfPositive(double x, double& rounded) {
    const std::uint64_t bits = BitsOf(x);
    const AtanBinadeMasks& binade = kAtanBinadeMasks.binade[(bits >> 52) - (1023 - 10)];
    const double c = FromBits((bits & binade.keep) | binade.middle);
    const double* row = kAtanTable[binade.rowOffset + (bits >> binade.shift)];
    const double n = x - c;  // exact
    const double d0 = dd::MulAdd<kFused>(c, x, 1.0);
    const double reciprocal = 1.0 / d0;
    const dd::DoubleDouble D = OnePlusProduct<kFused>(c, x, d0);
    const double q = n * reciprocal;
    const double remainder = Remainder<kFused>(n, q, D);
    const double tail = dd::MulAdd<kFused>(remainder, reciprocal, AtanSeries<kFused>(q));
    const dd::DoubleDouble head = dd::FastTwoSum(row[0], q);
    return dd::RoundsAlike({head.hi, (head.lo + row[1]) + tail}, head.hi * kAtanRelativeError, rounded);
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double SinOf(double x) { return SinOrCos<kFused>(x, std::fabs(x), false); }

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double CosOf(double x) { return SinOrCos<kFused>(x, std::fabs(x), true); }

// Below this, x^3/3 lies below half an ulp of x: atan x rounds to x.
constexpr double kAtanIsArgument = 0x1p-27;

// atan x for ax = |x| < 2^-10 into rounded: ax itself below kAtanIsArgument; above, t =
// x (c = 0) and the series alone, within 2^-71.4 |x|. False when the rounding test
// cannot decide.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline bool SmallAtan(double ax, double& rounded) {
    if (ax < kAtanIsArgument) {
        rounded = ax;
        return true;
    }
    return dd::RoundsAlike({ax, AtanSeries<kFused>(ax)}, ax * kAtanRelativeError, rounded);
}

// atan x for NaN and |x| > 2^60.
TERVANIX_COLD_NOINLINE double AtanBeyond(double x) {
    // No public method passes NaN: cGeom.CartToPolar's quotient faults first (the
    // rounding check passes it); differential: unreachable
    if (std::isnan(x)) return x + x;
    // Beyond 2^60, pi/2 - atan x < 2^-60 and pi/2 rounds 6.1e-17 below it, far from
    // the midpoint 1.1e-16 away: the rounded result is the double nearest pi/2.
    return x > 0.0 ? kHalfPiHi : -kHalfPiHi;
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double AtanOf(double x) {
    const double ax = std::fabs(x);
    if (TERVANIX_UNLIKELY(!(ax <= 0x1p60))) return AtanBeyond(x);  // NaN too
    if constexpr (kStepByStep) return ax < kAtanIsArgument ? x : trig::SlowAtan(x);
    double rounded;
    const bool decided = ax < 0x1p-10 ? SmallAtan<kFused>(ax, rounded) : AtanOfPositive<kFused>(ax, rounded);
    return TERVANIX_LIKELY(decided) ? std::copysign(rounded, x) : trig::SlowAtan(x);
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
