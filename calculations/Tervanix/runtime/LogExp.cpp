#include "Tervanix/runtime/LogExp.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>

#include "Tervanix/runtime/Config.h"
#include "Tervanix/runtime/DoubleDouble.h"
#include "Tervanix/runtime/FloatBits.h"
#include "Tervanix/runtime/LogExpTables.h"
#include "Tervanix/runtime/MultiPrecisionFunctions.h"

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
using Rounded = mp::Rounding;

constexpr int kRows = 128;

// The nearest whole number to v, |v| < 2^51, as a Double.
inline double Nearest(double v) {
    const double shift = 6755399441055744.0;  // 1.5 * 2^52
    return (v + shift) - shift;
}

// Whether every value within eps of hi + lo rounds to the same Double, which it then
// stores in rounded: rounding is monotonic, so they do when the two ends do. lo need
// not be folded into hi; eps carries a margin for the rounding of lo -+ eps.
inline bool RoundsAlike(DoubleDouble v, double eps, double& rounded) {
    rounded = v.hi + (v.lo + eps);
    return rounded == v.hi + (v.lo - eps);
}

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

// z = m r - 1 for the mantissa m in [1, 2) given by its bits and the r of its row: exact,
// as m r lies on the grid of 2^-60 and |z| < 2^-7. A fused multiply-add gives it at
// once; without one, m = mh + ml, where mh keeps the top 45 bits, so that mh r and
// ml r are exact, and so is their sum.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double ReducedMantissa(std::uint64_t mantissaBits, double r) {
    const double m = FromBits(mantissaBits);
#if TERVANIX_FUSED_DISPATCH
    if constexpr (kFused) return __builtin_fma(m, r, -1.0);
#endif
    const double mh = FromBits(mantissaBits & ~std::uint64_t{0xff});
    const double ml = m - mh;
    return (mh * r - 1.0) + ml * r;
}

// x = 2^e m with m in [1, 2) given by its bits. In row i, ln x = e ln 2 + t_i + ln(1 + z),
// z = m r_i - 1 exact and |z| < 2^-7. ln(1 + z) = z - z^2/2 + z^3 p(z), its Taylor
// series to z^10, with z^2 exact. The error bound eps has two parts. The rounding of
// z^3 p(z) (four roundings, |p| < 0.34) and of its sum with the low parts: below
// 2^-51.5 |z|^3. The rest, relative to ln x: the series' remainder, below |z|^10/11 of z,
// so 2^-73.5 of ln x (where r_i is 1, ln x is close to z; elsewhere |ln x| >= 2^-7 >=
// |z|); e ln 2 and t_i, within 2^-85 absolutely where |ln x| >= 0.28 and 2^-106 of t_i
// elsewhere; the low parts' other roundings, 2^-100: below 2^-73 |ln x|. With margin,
// eps = 2^-50 |z^3| + 2^-72 |hi|.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double LogOfNormal(double x, std::uint64_t bits, int e) {
    const std::uint64_t mantissaBits = (bits & 0x000fffffffffffffu) | 0x3ff0000000000000u;
    const int i = static_cast<int>((bits >> 45) & (kRows - 1));
    const tables::LogRow& row = tables::kLog[i];
    const double z = ReducedMantissa<kFused>(mantissaBits, row.r);
    const double exponent = static_cast<double>(e + (i >> 6));

    const DoubleDouble z2 = dd::ExactProduct<kFused>(z, z);
    const DoubleDouble half = {-0.5 * z2.hi, -0.5 * z2.lo};  // -z^2/2, exact
    // p(z) = 1/3 - z/4 + ... - z^7/10 in pairs (short chains of dependent operations).
    const double zz = z2.hi;
    const double p = ((1.0 / 3 + z * (-1.0 / 4)) + zz * (1.0 / 5 + z * (-1.0 / 6))) +
                     (zz * zz) * ((1.0 / 7 + z * (-1.0 / 8)) + zz * (1.0 / 9 + z * (-1.0 / 10)));
    const double z3 = z * z2.hi;
    const double cubic = z3 * p;

    const DoubleDouble big = dd::FastTwoSum(exponent * tables::kLn2Short.hi, row.t.hi);
    const DoubleDouble series = dd::FastTwoSum(z, half.hi);
    // big.hi is 0 (rows 0 and 127 at exponent 0) or larger than series.hi: at least
    // 0.28 where the exponent is not 0, and |t_i| >= 1.9 |z| in every other row.
    const DoubleDouble sum = dd::FastTwoSum(big.hi, series.hi);
    const double low = (exponent * tables::kLn2Short.lo + row.t.lo) + ((big.lo + sum.lo) + (series.lo + half.lo) + cubic);
    const DoubleDouble log = {sum.hi, low};

    if constexpr (!kStepByStep) {
        const double eps = std::fabs(z3) * 0x1p-50 + std::fabs(log.hi) * 0x1p-72;
        double rounded;
        if (RoundsAlike(log, eps, rounded)) return rounded;
    }
    return SlowLog(x, dd::FastTwoSum(log.hi, log.lo));
}

// ---------------------------------------------------------------- the powers

// The low 32 bits of the mantissa of s, as a signed int: after a sum with 1.5 * 2^n
// that leaves its last bit worth 2^(n-52), the nearest multiple of that step, counted.
inline int LowWord(double s) { return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(BitsOf(s)))); }

// The nearest whole number to v, |v| < 2^31, as a Double and as an int.
struct Whole {
    double value;
    int number;
};
inline Whole NearestWhole(double v) {
    const double shift = 6755399441055744.0;  // 1.5 * 2^52
    const double sum = v + shift;
    return {sum - shift, LowWord(sum)};
}

// 2^(k/128) e^g, |g| <= ln2/256 + 2^-40 given within 2^-80 as g.hi + g.lo with
// |g.lo| < 2^-60, rounded when the estimate
// decides it. e^g = 1 + g + g^2 (1/2 + g/6 + g^2/24 + g^3/120 + g^4/720), its Taylor
// series to g^6 (the rest is below 2^-71.8); the polynomial's roundings leave 2^-69.7
// (three of a term below 2^-18; the higher terms' own roundings are 2^-8 smaller);
// 1 + g.hi is exact as a double-double, and adding its low part to the rest (below
// 2^-17.8) rounds by 2^-71.8; the product with the table's row rounds three terms
// below 2^-16.8 (its low part carries that rest): 2^-69.2; the table 2^-105:
// together below 2^-68.3 of the result (in [0.99, 2.01)), and eps is 2^-67 |hi|, which
// also covers the rounding of lo -+ eps (2^-70).
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline Rounded PowerOfTwoTimesExp(int k, DoubleDouble g) {
    const int j = k & (kRows - 1);
    const int K = (k - j) / kRows;  // exact
    const double gh = g.hi;
    const double g2 = gh * gh;
    const double poly = g2 * ((0.5 + gh * (1.0 / 6)) + g2 * ((1.0 / 24 + gh * (1.0 / 120)) + g2 * (1.0 / 720))) + gh * g.lo;
    const DoubleDouble head = dd::FastTwoSum(1.0, gh);
    const DoubleDouble expG = {head.hi, head.lo + (g.lo + poly)};
    const DoubleDouble product = dd::UnfoldedMultiply<kFused>(tables::kPowerOf2[j], expG);  // in [0.99, 2.01)
    const double eps = product.hi * 0x1p-67;

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
    // Positive normal numbers: bits from 2^52 to below the pattern of infinity.
    if (TERVANIX_LIKELY(bits - 0x0010000000000000u < 0x7fe0000000000000u)) {
        return LogOfNormal<kFused>(x, bits, static_cast<int>(bits >> 52) - 1023);
    }
    if (x > 0.0 && x < 0x1p-1022) {  // subnormal: 2^54 x is normal
        const std::uint64_t scaled = BitsOf(x * 0x1p54);
        return LogOfNormal<kFused>(x, scaled, static_cast<int>(scaled >> 52) - 1023 - 54);
    }
    return LogOfSpecial(x);
}

// k/128 is the nearest multiple of 1/128 to y: the sum of y and 1.5 * 2^45, whose
// last bit is worth 1/128, holds k in its low word. g = (y - k/128) ln 2, exactly
// y - k/128 times ln 2, as the exact product by the high part of ln 2 plus the rest,
// left unfolded (it stays within 2^-61 of g): the polynomial starts from the product
// without waiting for a sum.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double Exp2Of(double y) {
    if (TERVANIX_UNLIKELY(!(y > -1076.0 && y < 1024.0))) return PowerOutOfRange(y);
    const double shift = 52776558133248.0;  // 1.5 * 2^45
    const double sum = y + shift;
    const int k = LowWord(sum);
    const double f = y - (sum - shift);
    const DoubleDouble p = dd::ExactProduct<kFused>(f, tables::kLn2.hi);
    const Rounded result = PowerOfTwoTimesExp<kFused>(k, {p.hi, p.lo + f * tables::kLn2.lo});
    if constexpr (!kStepByStep) {
        if (result.decided) return result.value;
    }
    return SlowExp2(y);
}

// k/128 is the nearest multiple of 1/128 to y log2(10); g = y ln 10 - k ln2/128: the
// product y ln 10 exact in its high part, k ln2/128 exact in its high part, and their
// difference d exact, since both lie within a factor of two of each other or k is 0.
template <bool kFused>
TERVANIX_ALWAYS_INLINE inline double Exp10Of(double y) {
    if (TERVANIX_UNLIKELY(!(y > -324.0 && y < 309.0))) return PowerOutOfRange(y);
    // 10^23 is the one power of ten exactly halfway between two Doubles: its digits
    // are those of the even one, as no evaluation can prove.
    if (TERVANIX_UNLIKELY(y == 23.0)) return 0x1.52d02c7e14af6p+76;
    const Whole k = NearestWhole(y * (kRows * 3.321928094887362));
    const DoubleDouble p = dd::ExactProduct<kFused>(y, tables::kLn10.hi);
    const double d = p.hi - k.value * tables::kLn2Over128Short.hi;
    const double rest = (p.lo + y * tables::kLn10.lo) - k.value * tables::kLn2Over128Short.lo;
    const Rounded result = PowerOfTwoTimesExp<kFused>(k.number, dd::TwoSum(d, rest));
    if constexpr (!kStepByStep) {
        if (result.decided) return result.value;
    }
    return SlowExp10(y);
}

#if TERVANIX_FUSED_DISPATCH
TERVANIX_FUSED_TARGET double LogFused(double x) { return LogOf<true>(x); }
TERVANIX_FUSED_TARGET double Exp2Fused(double y) { return Exp2Of<true>(y); }
TERVANIX_FUSED_TARGET double Exp10Fused(double y) { return Exp10Of<true>(y); }

// Each function is reached through a pointer that starts at Choose, whose first call
// sets it to the version for this processor; every later call costs one indirect
// jump. Relaxed order suffices: both versions give the same bits, so a thread that
// still sees Choose merely chooses again.
using Function = double (*)(double);
template <Function kFused, Function kPortable>
struct Dispatch {
    static double Choose(double x) {
        const Function chosen = dd::HasFusedMultiplyAdd() ? kFused : kPortable;
        function.store(chosen, std::memory_order_relaxed);
        return chosen(x);
    }
    static inline std::atomic<Function> function{Choose};
    static double Call(double x) { return function.load(std::memory_order_relaxed)(x); }
};
#endif

}  // namespace

double portable::Log(double x) { return LogOf<false>(x); }
double portable::Exp2(double y) { return Exp2Of<false>(y); }
double portable::Exp10(double y) { return Exp10Of<false>(y); }

#if TERVANIX_FUSED_DISPATCH
double Log(double x) { return Dispatch<LogFused, portable::Log>::Call(x); }
double Exp2(double y) { return Dispatch<Exp2Fused, portable::Exp2>::Call(y); }
double Exp10(double y) { return Dispatch<Exp10Fused, portable::Exp10>::Call(y); }
#else
double Log(double x) { return portable::Log(x); }
double Exp2(double y) { return portable::Exp2(y); }
double Exp10(double y) { return portable::Exp10(y); }
#endif

}  // namespace tervanix::rt::cr
