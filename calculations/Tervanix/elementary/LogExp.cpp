#include "Tervanix/elementary/LogExp.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "Tervanix/elementary/Dispatch.h"
#include "Tervanix/elementary/DoubleDouble.h"
#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/elementary/LogExpTables.h"
#include "Tervanix/elementary/MultiPrecisionFunctions.h"
#include "Tervanix/elementary/TableColumns.h"
#include "Tervanix/platform/Config.h"

// Each function first evaluates its result as a double-double hi + lo with a proven
// bound on the error, and returns the rounding of hi + lo when every value within the
// bound rounds to the same Double. Otherwise (some arguments in a thousand or fewer)
// it evaluates again with the 256-bit Number, whose error bound decides every
// argument: no result of these functions lies closer to a midpoint between two
// Doubles than about 2^-120 of its value, except the exact cases, which are handled
// apart. The reference build takes the 256-bit evaluation for every argument.

namespace tervanix::rt::cr {

namespace {

using dd::DoubleDouble;
using dd::RoundsAlike;
using Rounded = mp::Rounding;

constexpr int kRows = 512;      // of the powers' table
constexpr int kLogRows = 1024;  // of the logarithm's

// Sums with 1.5 * 2^43, whose last bit is worth 1/512, and with 1.5 * 2^52, whose last
// bit is worth 1, round to those steps; while the sum stays within a factor 4/3 of the
// shift, its bits are the shift's plus the number of steps k.
constexpr double kStep512Shift = 13194139533312.0;  // 1.5 * 2^43
constexpr std::uint64_t kStep512ShiftBits = 0x42a8000000000000u;
constexpr double kWholeShift = 6755399441055744.0;  // 1.5 * 2^52
constexpr std::uint64_t kWholeShiftBits = 0x4338000000000000u;

// The nearest whole number to v, |v| < 2^51, as a Double.
inline double Nearest(double v) { return (v + kWholeShift) - kWholeShift; }

// ---------------------------------------------------------------- the logarithm

// ln x = y0 + ln(1 + d), d = x e^-y0 - 1, from the double-double estimate y0, which
// is within 2^-60 of ln x relatively, so |d| < 2^-50 and the series stops at d^5 with
// an error below 2^-277 of ln x. Computing d loses the 2^-238 error of x e^-y0 as an
// absolute error, so the relative bound is 2^-236 divided by |ln x|; ln x is at least
// 2^-54 in magnitude.
TERVANIX_COLD_NOINLINE double SlowLog(double x, DoubleDouble estimate) {
    const mp::Number y0 = mp::Add(mp::FromDouble(estimate.hi), mp::FromDouble(estimate.lo));
    const mp::Number product = mp::Multiply(mp::FromDouble(x), mp::Exp(mp::Negate(y0)));
    const mp::Number d = mp::Subtract(product, mp::FromDouble(1.0));
    mp::Number power = d;
    mp::Number series = d;
    for (std::uint32_t n = 2; n <= 5; ++n) {
        power = mp::Multiply(power, d);
        const mp::Number term = mp::DivideSmall(power, n);
        series = n % 2 == 0 ? mp::Subtract(series, term) : mp::Add(series, term);
    }
    const mp::Number log = mp::Add(y0, series);
    const int accurateBits = 230 + (log.exponent < 0 ? log.exponent : 0);
    return mp::RoundToDouble(log, accurateBits).value;
}

TERVANIX_COLD_NOINLINE double LogOfSpecial(double x) {
    if (x != x) return x + x;  // NaN
    if (x < 0.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0) return -std::numeric_limits<double>::infinity();
    return x;  // +infinity
}

// z = m r - 1 for the mantissa m in [1, 2) given by its bits and the r of its row:
// exact, as m r lies on the grid of 2^-63 and |z| < 2^-10. A fused multiply-add gives
// it at once; without one, m = mh + ml, where mh keeps the top 42 bits, so that mh r
// and ml r are exact, and so is their sum.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double ReducedMantissa(std::uint64_t mantissaBits, double r) {
    const double m = FromBits(mantissaBits);
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return __builtin_fma(m, r, -1.0);
#endif
    const double mh = FromBits(mantissaBits & ~std::uint64_t{0x7ff});
    const double ml = m - mh;
    return (mh * r - 1.0) + ml * r;
}

// big + z - z^2/2 as hi + lo, lo within 2^-103 |hi| of the rest, for the big and z of
// LogOfNormal, where big - hi and big + z - hi are exact. The square is exact within
// the fused multiply-add, or split without one.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline DoubleDouble SumLessHalfSquare(double big, double z) {
    const double half = -0.5 * z;
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) {
        const double hi = __builtin_fma(half, z, big + z);
        return {hi, __builtin_fma(half, z, (big - hi) + z)};
    }
#endif
    const DoubleDouble square = dd::TwoProduct(half, z);
    const double hi = (big + z) + square.hi;
    return {hi, (((big - hi) + z) + square.hi) + square.lo};
}

// The logarithm's table by columns: r, then -ln r's high and low parts.
constexpr auto kLogColumns =
    ByColumns<3>(tables::kLog, [](const tables::LogRow& row) { return std::array{row.r, row.t.hi, row.t.lo}; });

// Row i of the logarithm's table, 0 <= i < 1024.
TERVANIX_ALWAYS_INLINE inline tables::LogRow LogRowAt(int i) {
    const auto& c = kLogColumns;
    return {c[0][i], {c[1][i], c[2][i]}};
}

// x = 2^e m with m in [1, 2) given by its bits. In row i, ln x = E ln 2 + t_i + ln(1 + z),
// E = e (e + 1 in the rows from 1.5 on), z = m r_i - 1 exact, |z| < 2^-10.
// ln(1 + z) = z - z^2/2 + z^3 p(z), its Taylor series to z^7; the rest is below
// 2^-72.9 |z|. E ln2 + t_i sums exactly in the high parts (big, a multiple of 2^-42
// below 2^10) and within 2^-83 |ln x| in the low ones (small).
// big + z - z^2/2 comes as hi + rest (SumLessHalfSquare), whose two steps are exact:
// - where big is 0 (E = 0 in the first and the last row), hi is z - z^2/2 rounded, and
//   z - hi is exact (Sterbenz);
// - elsewhere hi lies within a factor 2 of big, so that big - hi is exact (Sterbenz):
//   |big| >= 0.28 where E is not 0, and make_tables checks every row where E is 0.
//   big, z and hi lie on the grid of 2^-64 (|hi| > 2^-12), and so does big + z - hi,
//   which is below 2^-20: exact.
// |ln x| >= |z| (1 - 2^-10) in every row. The roundings: of z^3 p(z), 2^-50.4 of
// |z^3|/3 (p's three with its coefficients', z^3's two, the product's), below
// 2^-71.9 |z|; of its sum with small, 2^-74.5 |z|; of the last sum, the one with the
// rest, last ready, 2^-74 |hi| (|lo| < 2^-21 |hi|); of the others, of terms below
// 2^-32 |ln x|, under 2^-83 |ln x|. With the series' rest, below 2^-70.9 |ln x|;
// eps = 2^-70 hi also covers the rounding of lo -+ eps. A fused multiply-add rounds
// once where the bound counts two roundings.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double LogOfNormal(double x, std::uint64_t bits, int e) {
    const std::uint64_t mantissaBits = (bits & 0x000fffffffffffffu) | 0x3ff0000000000000u;
    const int i = static_cast<int>((bits >> 42) & (kLogRows - 1));
    const tables::LogRow row = LogRowAt(i);
    const double z = ReducedMantissa<kFused>(mantissaBits, row.r);
    const double exponent = static_cast<double>(e + static_cast<int>((bits >> 51) & 1));  // e + 1 from 1.5 on

    const double big = dd::MulAdd<kFused>(exponent, tables::kLn2Short.hi, row.t.hi);  // exact
    const double small = dd::MulAdd<kFused>(exponent, tables::kLn2Short.lo, row.t.lo);
    const double zz = z * z;
    // p(z) = 1/3 - z/4 + z^2/5 - z^3/6 + z^4/7, in pairs.
    const double p = dd::MulAdd<kFused>(zz, dd::MulAdd<kFused>(zz, 1.0 / 7, dd::MulAdd<kFused>(z, -1.0 / 6, 1.0 / 5)),
                                        dd::MulAdd<kFused>(z, -1.0 / 4, 1.0 / 3));

    const DoubleDouble sum = SumLessHalfSquare<kFused>(big, z);
    const DoubleDouble log = {sum.hi, dd::MulAdd<kFused>(z * zz, p, small) + sum.lo};

    if constexpr (!kStepByStep) {
        double rounded;
        if (RoundsAlike(log, log.hi * 0x1p-70, rounded)) return rounded;
    }
    return SlowLog(x, dd::FastTwoSum(log.hi, log.lo));
}

// ---------------------------------------------------------------- the powers

// The low 32 bits of the mantissa of s, as a signed int: after a sum with 1.5 * 2^n
// that leaves its last bit worth 2^(n-52), the nearest multiple of that step, counted.
// (The reference build, which takes the 256-bit path at once, needs none of the steps
// marked maybe_unused.)
[[maybe_unused]] inline int LowWord(double s) { return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(BitsOf(s)))); }

// Whether a sum with a shift holds a k in (-1022 * 512, 1022 * 512), where 2^(k/512) e^g
// is normal, from the difference of their bits: one unsigned comparison, as every
// other sum (NaN, infinities and huge values included) differs by more.
inline bool InNormalRange(double sum, std::uint64_t shiftBits) {
    constexpr std::uint64_t kLimit = 1022 * kRows;
    return BitsOf(sum) - shiftBits + (kLimit - 1) < 2 * kLimit - 1;
}

// The powers' table by columns: 2^(j/512)'s high and low parts, then its product with
// ln 2's.
constexpr auto kPowerOf2Columns = ByColumns<4>(tables::kPowerOf2, [](const tables::PowerRow& row) {
    return std::array{row.power.hi, row.power.lo, row.ln2Times.hi, row.ln2Times.lo};
});

// Row j of the powers' table, 0 <= j < 512.
[[maybe_unused]] TERVANIX_ALWAYS_INLINE inline tables::PowerRow PowerRowAt(int j) {
    const auto& c = kPowerOf2Columns;
    return {{c[0][j], c[1][j]}, {c[2][j], c[3][j]}};
}

// 10^y reduced to 2^(k/512) e^g with e^g = one.hi + one.lo + poly within 2^-72 (the
// rest of the series and the argument's error); |one.hi - 1| <= 2^-10.5, |one.lo| <=
// 2^-52.9 and |poly| <= 2^-22. (2^y takes PowerOf2Row.)
struct ReducedPower {
    int k;
    DoubleDouble one;
    double poly;
};

// c0 + c1 x + x^2 (c2 + c3 x), given x2 = x^2 rounded. For |x| <= 2^-10, c0 in
// [0.24, 0.5] and c1 < c0, the five roundings of x^2 times it (c0's, x2's, this
// function's two that count and the product's) leave 2^-50.6 of the product.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double ExpSeriesFactor(double x, double x2, const double (&c)[4]) {
    return dd::MulAdd<kFused>(x2, dd::MulAdd<kFused>(x, c[3], c[2]), dd::MulAdd<kFused>(x, c[1], c[0]));
}

// x^2 (c0 + c1 x + x^2 (c2 + c3 x)), within 2^-50.6 of it (ExpSeriesFactor).
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double ExpPolynomial(double x, const double (&c)[4]) {
    const double x2 = x * x;
    return x2 * ExpSeriesFactor<kFused>(x, x2, c);
}

// 2^(j/512) (one.hi + one.lo + poly) as hi + lo in [0.9993, 2.0014), the product of the
// high parts exact. The errors, absolute, doubled by the row where relative: the
// reduction's 2^-71, the polynomial's roundings 2^-71.6; the rest's roundings 2^-104;
// the two of the last step, of a term below 2^-21, 2^-73; the table 2^-105. Together
// below 2^-70, and eps = 2^-69 also covers the rounding of lo -+ eps (2^-74).
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline DoubleDouble RowTimesExp(int j, ReducedPower r) {
    const DoubleDouble row = PowerRowAt(j).power;
    const DoubleDouble p = dd::ExactProduct<kFused>(row.hi, r.one.hi);
    const double rest = dd::MulAdd<kFused>(row.hi, r.one.lo, p.lo + row.lo * r.one.hi);
    return {p.hi, dd::MulAdd<kFused>(row.hi, r.poly, rest)};  // the polynomial, last ready, last
}
constexpr double kPowerEps = 0x1p-69;

// 2^(k/512) e^g rounded, for results in the normal range (|k| < 1022 * 512), from the
// product of row j = k mod 512 and e^g (RowTimesExp, PowerOf2Row), when the estimate
// decides it. The scale 2^K, K = (k - j)/512, is added to the exponent field of the
// rounded product, which is exact: the product lies in [0.9993, 2.0014) and is at
// least 1 where K is -1022 (there j > 0), so 2^K times it is normal and finite. The
// sum of the bits wraps where K is negative, as two's complement arithmetic should.
[[maybe_unused]] TERVANIX_ALWAYS_INLINE inline bool RoundsNormalPower(int k, DoubleDouble product, double& result) {
    double rounded;
    if (!RoundsAlike(product, kPowerEps, rounded)) return false;
    const auto scaledK = static_cast<std::uint64_t>(static_cast<std::int64_t>(k & ~(kRows - 1)));  // 512 K
    result = FromBits(BitsOf(rounded) + (scaledK << (52 - 9)));
    return true;
}

// 2^(k/512) e^g = 2^K 2^(j/512) e^g rounded where the result may overflow or be
// subnormal, from the product of row j and e^g, when the estimate decides it.
[[maybe_unused]] TERVANIX_COLD_NOINLINE Rounded RoundPowerNearRangeEnds(int k, DoubleDouble product) {
    const int j = k & (kRows - 1);
    const int K = (k - j) / kRows;  // exact
    const double eps = kPowerEps;

    if (K > -1022) {
        double rounded;
        if (!RoundsAlike(product, eps, rounded)) return {0.0, false};
        if (K > 1023) return {rounded * PowerOfTwo(1023) * PowerOfTwo(K - 1023), true};  // may overflow
        return {rounded * PowerOfTwo(K), true};
    }
    const DoubleDouble v = dd::FastTwoSum(product.hi, product.lo);
    // A result below 2^-1021 lies on the grid of 2^-1074, whose step is step = 2^-1074-K
    // at the scale of v. R is hi rounded to it; the exact v - R, known to lie within eps
    // of d + lo, decides between R and its neighbours. d, d -+ step/2 are exact.
    if (K < -1074) {  // below 2^-1074: 0 or 2^-1074, as v is below or above 2^(-1075-K)
        const double beyond = (v.hi - PowerOfTwo(-1075 - K)) + v.lo;  // exact difference first
        if (beyond > eps * 1.01) return {PowerOfTwo(-1074), true};
        if (beyond < -eps * 1.01) return {0.0, true};
        return {0.0, false};
    }
    const double R = v.hi * PowerOfTwo(K);
    const double d = v.hi - (R * PowerOfTwo(-K - 60)) * 0x1p60;
    const double halfStep = PowerOfTwo(-1075 - K);
    const double margin = eps * 1.01;
    const double aboveUpper = (d - halfStep) + v.lo;  // beyond the midpoint above R
    const double aboveLower = (d + halfStep) + v.lo;  // beyond the midpoint below R
    if (aboveUpper > margin) return {R + PowerOfTwo(-1074), true};
    if (aboveLower < -margin) return {R - PowerOfTwo(-1074), true};
    if (aboveUpper < -margin && aboveLower > margin) return {R, true};
    return {0.0, false};
}

// 2^y = 2^k e^((y - k) ln 2), k the nearest whole number to y.
TERVANIX_COLD_NOINLINE double SlowExp2(double y) {
    const double k = Nearest(y);
    const mp::Number r = mp::Multiply(mp::FromDouble(y - k), mp::Ln2());
    return mp::RoundToDouble(mp::Scale(mp::Exp(r), static_cast<int>(k)), 230).value;
}

TERVANIX_COLD_NOINLINE double SlowExp10(double y) {
    // 10^23 is the one power of ten exactly halfway between two Doubles: its digits
    // are those of the even one, as no evaluation can prove (nor decide otherwise).
    if (y == 23.0) return 0x1.52d02c7e14af6p+76;
    return mp::RoundToDouble(mp::Exp(mp::Multiply(mp::FromDouble(y), mp::Ln10())), 230).value;
}

// NaN, infinities and the arguments far beyond either end of the range.
TERVANIX_COLD_NOINLINE double PowerOutOfRange(double y) {
    if (y != y) return y + y;
    return y > 0.0 ? std::numeric_limits<double>::infinity() : 0.0;
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double LogOf(double x) {
    const std::uint64_t bits = BitsOf(x);
    // Positive normal numbers: sign and exponent fields from 1 to below that of infinity.
    const auto field = static_cast<std::uint32_t>(bits >> 52);
    if (TERVANIX_LIKELY(field - 1 < 0x7fe)) return LogOfNormal<kFused>(x, bits, static_cast<int>(field) - 1023);
    if (x > 0.0 && x < 0x1p-1022) {  // subnormal: 2^54 x is normal
        const std::uint64_t scaled = BitsOf(x * 0x1p54);
        return LogOfNormal<kFused>(x, scaled, static_cast<int>(scaled >> 52) - 1023 - 54);
    }
    return LogOfSpecial(x);
}

// t + a b as hi + lo, hi its rounding and lo the rest within 2^-105, for t in [1, 2)
// and |a b| <= 2^-9.5 t. With a fused multiply-add, hi comes at once, hi - t is exact
// (Sterbenz), and a b - (hi - t), below 2^-52, rounds by 2^-105; without one, a b is
// split exactly and t + its high part is a FastTwoSum.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline DoubleDouble SumWithProduct(double t, double a, double b) {
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) {
        const double hi = __builtin_fma(a, b, t);
        return {hi, __builtin_fma(a, b, -(hi - t))};
    }
#endif
    const DoubleDouble p = dd::TwoProduct(a, b);
    const DoubleDouble s = dd::FastTwoSum(t, p.hi);
    return {s.hi, s.lo + p.lo};
}

// k/512 is the nearest multiple of 1/512 to y, held by sum = y + 1.5 * 2^43, and f =
// y - k/512 is exact, |f| <= 2^-10.
struct PowerOf2Argument {
    int k;
    double f;
};
[[maybe_unused]] inline PowerOf2Argument ReduceExp2(double y, double sum) {
    return {LowWord(sum), y - (sum - kStep512Shift)};
}

// 2^(j/512) 2^f as hi + lo in [0.9993, 2.0014), from row j: T = 2^(j/512) and L =
// T ln 2. 2^f = 1 + f ln 2 + P(f), P its Taylor series from f^2 to f^5 (the rest below
// 2^-72.6), so 2^(j/512) 2^f = T.hi + f L.hi (SumWithProduct: |f L.hi| <= 2^-9.5) +
// f L.lo + T.lo + T.hi P(f) + T.lo P(f), the last below 2^-74 and left out. The
// polynomial is added last but for the rest of the first sum, so that the chain from f
// to lo stays short. The errors, absolute: the series' rest and the constants',
// doubled by the row, 2^-71; P's roundings (ExpSeriesFactor, T.hi x^2 its product)
// 2^-50.6 of T.hi P(f) < 2^-21, 2^-71.6; T.lo P(f), 2^-74; the two last roundings, of
// terms below 2^-21, 2^-74; the rest below 2^-100. Together below 2^-70, and eps =
// 2^-69 also covers the rounding of lo -+ eps (2^-75).
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline DoubleDouble PowerOf2Row(int j, double f) {
    const tables::PowerRow row = PowerRowAt(j);
    const DoubleDouble head = SumWithProduct<kFused>(row.power.hi, f, row.ln2Times.hi);
    const double x2 = f * f;
    const double tail = dd::MulAdd<kFused>(f, row.ln2Times.lo, row.power.lo);
    const double factor = ExpSeriesFactor<kFused>(f, x2, tables::kExp2Series);
    const double poly = dd::MulAdd<kFused>(row.power.hi * x2, factor, tail);
    return {head.hi, poly + head.lo};
}

// k is the nearest whole number to 512 y log2(10), held by sum; g = y ln 10 - k ln2/512:
// the product y ln 10 exact in its high part, k ln2/512 exact in its high part (a
// multiple of 2^-42), and their difference d exact: where k is not 0, y ln 10 is at
// least 2^-11, so its high part lies on the grid of 2^-63, and |d| < 2^-10. The low
// parts' roundings and the constants' errors leave g within 2^-75.6. e^g - 1 = g + its
// Taylor series from g^2 to g^5 at g.hi: with the series' rest and the terms of g.lo
// beyond the first, within 2^-72.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline ReducedPower ReduceExp10(double y, double sum) {
    static constexpr double kSeries[4] = {1.0 / 2, 1.0 / 6, 1.0 / 24, 1.0 / 120};
    const double k = sum - kWholeShift;
    const DoubleDouble p = dd::ExactProduct<kFused>(y, tables::kLn10.hi);
    const double d = p.hi - k * tables::kLn2Over512Short.hi;
    const double rest = dd::MulAdd<kFused>(-k, tables::kLn2Over512Short.lo,
                                           dd::MulAdd<kFused>(y, tables::kLn10.lo, p.lo));
    const DoubleDouble g = dd::TwoSum(d, rest);
    const DoubleDouble one = dd::FastTwoSum(1.0, g.hi);
    return {LowWord(sum), {one.hi, one.lo + g.lo}, ExpPolynomial<kFused>(g.hi, kSeries)};
}

// The argument of 10^y scaled to steps of 1/512 of a power of two.
inline double Exp10Steps(double y) { return y * (kRows * 3.321928094887362) + kWholeShift; }

// 2^y beyond the normal range and NaN: results that may overflow or be subnormal,
// reduced and rounded by the portable steps.
TERVANIX_COLD_NOINLINE double Exp2NearRangeEnds(double y) {
    if (!(y > -1076.0 && y < 1024.0)) return PowerOutOfRange(y);
    if constexpr (!kStepByStep) {
        const PowerOf2Argument a = ReduceExp2(y, y + kStep512Shift);
        const Rounded result = RoundPowerNearRangeEnds(a.k, PowerOf2Row<false>(a.k & (kRows - 1), a.f));
        if (result.decided) return result.value;
    }
    return SlowExp2(y);
}

TERVANIX_COLD_NOINLINE double Exp10NearRangeEnds(double y) {
    if (!(y > -324.0 && y < 309.0)) return PowerOutOfRange(y);
    if constexpr (!kStepByStep) {
        const ReducedPower r = ReduceExp10<false>(y, Exp10Steps(y));
        const Rounded result = RoundPowerNearRangeEnds(r.k, RowTimesExp<false>(r.k & (kRows - 1), r));
        if (result.decided) return result.value;
    }
    return SlowExp10(y);
}

// The sum that rounds y to steps of 1/512 also tells, in one comparison, whether the
// result is normal; the rest, NaN included, goes to the path for the ends of the range.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double Exp2Of(double y) {
    const double sum = y + kStep512Shift;
    if (TERVANIX_UNLIKELY(!InNormalRange(sum, kStep512ShiftBits))) return Exp2NearRangeEnds(y);
    if constexpr (!kStepByStep) {
        double result;
        const PowerOf2Argument a = ReduceExp2(y, sum);
        if (RoundsNormalPower(a.k, PowerOf2Row<kFused>(a.k & (kRows - 1), a.f), result)) return result;
    }
    return SlowExp2(y);
}

template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double Exp10Of(double y) {
    const double sum = Exp10Steps(y);
    if (TERVANIX_UNLIKELY(!InNormalRange(sum, kWholeShiftBits))) return Exp10NearRangeEnds(y);
    if constexpr (!kStepByStep) {
        double result;
        const ReducedPower r = ReduceExp10<kFused>(y, sum);
        if (RoundsNormalPower(r.k, RowTimesExp<kFused>(r.k & (kRows - 1), r), result)) return result;
    }
    return SlowExp10(y);
}

#if TERVANIX_FUSED_DISPATCH
TERVANIX_FUSED_TARGET double LogFused(double x) { return LogOf<true>(x); }
TERVANIX_FUSED_TARGET double Exp2Fused(double y) { return Exp2Of<true>(y); }
TERVANIX_FUSED_TARGET double Exp10Fused(double y) { return Exp10Of<true>(y); }

#endif

}  // namespace

double portable::Log(double x) { return LogOf<false>(x); }
double portable::Exp2(double y) { return Exp2Of<false>(y); }
double portable::Exp10(double y) { return Exp10Of<false>(y); }

#if TERVANIX_FUSED_DISPATCH
double Log(double x) { return dd::Dispatch<LogFused, portable::Log>::Call(x); }
double Exp2(double y) { return dd::Dispatch<Exp2Fused, portable::Exp2>::Call(y); }
double Exp10(double y) { return dd::Dispatch<Exp10Fused, portable::Exp10>::Call(y); }
#else
double Log(double x) { return portable::Log(x); }
double Exp2(double y) { return portable::Exp2(y); }
double Exp10(double y) { return portable::Exp10(y); }
#endif

}  // namespace tervanix::rt::cr
