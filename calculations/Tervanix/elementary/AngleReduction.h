// Reduction of an angle by multiples of pi/2 for the sine and cosine: x = k*pi/2 + r
// with |r| <= pi/4 (a little more when k is rounded at a boundary), r = hi + lo with
// |lo| below 2^-47 and 2^-27 |hi|, and a relative error below 2^-80 for every finite
// double.
#pragma once

#include <cmath>
#include <cstdint>

#include "Tervanix/elementary/DoubleDouble.h"
#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/elementary/TrigTables.h"

namespace tervanix::rt::trig {

struct ReducedAngle {
    int quadrant;          // k modulo 4
    dd::DoubleDouble r;    // x - k*pi/2, not always normalized
};

// An angle measured from the sine and cosine table's rows, which lie at the multiples
// of pi/1024: x = k*pi/1024 + r with |r| <= pi/2048 (a little more when k is rounded
// at a boundary), r = hi + lo. k modulo 512 is the row and k/512 modulo 4 the
// quadrant; k may be negative.
struct TableAngle {
    int k;
    dd::DoubleDouble r;
};

// x = k*(pi/2)/2^kShift + r by Cody-Waite, where k = round(x * 2^kShift * 2/pi) has at
// most 20 bits: k times each of the three 33-bit pieces of pi/2, scaled by 2^-kShift
// (exactly), is exact, and x - k*P1 is exact as the two lie within a factor of two;
// pi/2 is known to 2^-151. k*P3 is exact and below 2^-48-kShift; the sum and the
// difference round by 2^-101-kShift at most, the remainder's absolute error (with
// kFused the sum rounds once). k may be negative. The steps take -k, so that each
// product is added: the same values as k's products subtracted, bit for bit, as
// negation is exact.
template <int kShift, bool kFused = false>
TERVANIX_ALWAYS_INLINE inline TableAngle CodyWaiteSteps(double x) {
    constexpr double kScale = 1 << kShift;
    // 1.5*2^52 + k, whose last 32 bits are k modulo 2^32: read from there, k is ready
    // before the subtraction that gives -k as a Double.
    const double shifted = x * (0x1.45f306dc9c883p-1 * kScale) + 0x1.8p52;
    const double minusK = 0x1.8p52 - shifted;  // -k, k the whole number nearest x*2^kShift*2/pi
    const double r1 = dd::MulAdd<kFused>(minusK, kHalfPi1 / kScale, x);     // exact
    const dd::DoubleDouble r2 = dd::TwoSum(r1, minusK * (kHalfPi2 / kScale));  // exact
    const double rest = dd::MulAdd<kFused>(minusK, kHalfPi4 / kScale, minusK * (kHalfPi3 / kScale));
    const auto wholeK = static_cast<std::int32_t>(static_cast<std::uint32_t>(BitsOf(shifted)));
    return {wholeK, {r2.hi, r2.lo + rest}};
}

// Cody-Waite by pi/2, for x below 2^20.
inline ReducedAngle CodyWaite(double x) {
    const TableAngle a = CodyWaiteSteps<0>(x);
    return {a.k & 3, a.r};
}

// Payne-Hanek, for large x and where Cody-Waite leaves too few bits.
ReducedAngle PayneHanek(double x);

// x >= 0, finite. Below 1, k is 0 or |r| > 1/2, and r = x exactly when k is 0; above,
// a Cody-Waite remainder below 2^-20 (about one argument in a million) has too few
// correct bits, and the fixed-point product takes over.
inline ReducedAngle ReduceAngle(double x) {
    if (x < 0x1p20) {
        const ReducedAngle reduced = CodyWaite(x);
        if (reduced.r.hi >= 0x1p-20 || reduced.r.hi <= -0x1p-20 || x < 1.0) return reduced;
    }
    return PayneHanek(x);
}


// Cody-Waite by pi/1024, for |x| < 3200, so that k has at most 20 bits: the remainder
// to 2^-109.
template <bool kFused = false>
TERVANIX_ALWAYS_INLINE inline TableAngle CodyWaiteToTable(double x) { return CodyWaiteSteps<9, kFused>(x); }

// The bits of pi/2 after kHalfPi1, as the next 53 (hi) and the Double nearest the
// rest (lo), for the fused reduction below: kHalfPi2 + kHalfPi3 split exactly by a
// fast two-sum, kHalfPi4 added to its low part. With kHalfPi1, pi/2 to 2^-140.
inline constexpr dd::DoubleDouble kHalfPiTail = [] {
    const dd::DoubleDouble middle = dd::FastTwoSum(kHalfPi2, kHalfPi3);
    return dd::DoubleDouble{middle.hi, middle.lo + kHalfPi4};
}();

#if TERVANIX_FUSED_DISPATCH
// Cody-Waite by pi/1024 for |x| < 3200 with fused multiply-adds, for code compiled with
// TERVANIX_FUSED_TARGET, into which it is inlined; into angle, k and r = hi + lo with
// |lo| <= 2^-53 |hi| + 2^-76. As in CodyWaiteSteps, -k and r1 = x - k*P1 are exact.
// Then r = r1 - k*P2 rounds once, P2 being kHalfPiTail.hi (the product is exact inside
// the fused multiply-add), and its error is d - k*P2 for d = r1 - r, which is exact by
// Sterbenz when |k*P2| <= |r1|/2: true for |r1| >= 2^-20, as |k*P2/512| < 2^-22.9.
// That error, below half an ulp of r, rounds by 2^-106 |r|, and k*P3 (below 2^-75)
// joins it: the remainder within 2^-106 |r| + 2^-116. False for |r1| < 2^-20 (about
// one argument in 1600 near a row, and |x| below 2^-20): for k = 0, r = x exactly and
// serves; otherwise the reduction by pi/2 (ReduceLargeToTable) must take x, as for the
// x near multiples of pi/2, whose remainder needs more correct bits.
TERVANIX_ALWAYS_INLINE inline bool FusedCodyWaiteToTable(double x, TableAngle& angle) {
    constexpr double kScale = 512.0;
    const double shifted = dd::MulAdd<true>(x, 0x1.45f306dc9c883p-1 * kScale, 0x1.8p52);
    const double minusK = 0x1.8p52 - shifted;
    const double r1 = dd::MulAdd<true>(minusK, kHalfPi1 / kScale, x);  // exact
    const double r = dd::MulAdd<true>(minusK, kHalfPiTail.hi / kScale, r1);
    const double d = r1 - r;  // exact for |r1| >= 2^-20
    const double error = dd::MulAdd<true>(minusK, kHalfPiTail.hi / kScale, d);
    const double lo = dd::MulAdd<true>(minusK, kHalfPiTail.lo / kScale, error);
    angle = {static_cast<std::int32_t>(static_cast<std::uint32_t>(BitsOf(shifted))), {r, lo}};
    return !(std::fabs(r1) < 0x1p-20);
}
#endif

// x (finite) beyond the reach of one Cody-Waite step, or near a multiple of pi/2: |x|
// reduced by pi/2 first (ReduceAngle), then its remainder by pi/1024; r normalized,
// |lo| at most half an ulp of hi. For negative x, k and r are those of |x| negated,
// as the Cody-Waite steps give them for x with its sign.
TableAngle ReduceLargeToTable(double x);

// Whether the Cody-Waite remainder of x (|x| < 3200) serves the table: where k is a
// multiple of 512 other than 0, x lies near a multiple of pi/2, the result is about
// r, and a remainder below 2^-20 has too few correct bits relative to itself: the
// reduction by pi/2 takes over (ReduceLargeToTable). Elsewhere the result is at least
// sin(pi/2048) in magnitude, which the absolute error of r serves. For k = 0 the
// answer is false below 2^-20 too, though r = x exactly: the caller tells that case
// apart, off the common path.
inline bool ServesTable(const TableAngle& a) { return (a.k & 511) != 0 || !(std::fabs(a.r.hi) < 0x1p-20); }

// x * 2/pi = k + f with k whole and |f| <= 1/2, for x >= pi/4 finite: k modulo 4, the
// sign of f, and |f| as five 53-bit pieces, chunk[0] + ... + chunk[4], each within the
// last bit of the one before; with the bits of 2/pi left out they agree with |f| to
// within 2^-230 of its value for every double (|f| > 2^-63). The fast reduction of
// large x keeps the first two, the multiprecision path all five.
struct QuarterTurns {
    int quadrant;  // k modulo 4
    bool negative;
    double chunk[5];
};
QuarterTurns CountQuarterTurns(double x);

}  // namespace tervanix::rt::trig
