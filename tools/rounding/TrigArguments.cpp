#include "TrigArguments.h"

#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "HardCase.h"

namespace rounding {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The double nearest k*pi/2^n, k a whole number below 2^1021.
double NearestMultipleOfPiOver(double k, unsigned n) {
    mpfr_t v;
    mpfr_init2(v, 1200);
    mpfr_const_pi(v, MPFR_RNDN);
    mpfr_mul_d(v, v, k, MPFR_RNDN);
    mpfr_div_2ui(v, v, n, MPFR_RNDN);
    const double x = mpfr_get_d(v, MPFR_RNDN);
    mpfr_clear(v);
    return x;
}

double NearMultipleOfHalfPi(Random& rng, double largestK) {
    const double k = std::floor(LogUniform(rng, 1.0, largestK));
    return Negated(rng, Near(rng, NearestMultipleOfPiOver(k, 1), 2));
}

// Near a row of the sine and cosine table (k even, a multiple of pi/1024) or halfway
// between two (k odd): across the one-step reduction evenly, and up to 2^20 and beyond.
double NearTableRowOrEdge(Random& rng) {
    const double k = std::floor(rng() % 2 == 0 ? Uniform(rng, 1.0, 2200000.0) : LogUniform(rng, 1.0, 0x1p31));
    return Negated(rng, Near(rng, NearestMultipleOfPiOver(k, 11), 2));
}

// |m * alpha - nearest whole number|.
double DistanceToWhole(std::uint64_t m, const mpfr_t alpha) {
    mpfr_t p;
    mpfr_init2(p, mpfr_get_prec(alpha));
    mpfr_mul_ui(p, alpha, static_cast<unsigned long>(m), MPFR_RNDN);
    mpfr_frac(p, p, MPFR_RNDN);
    const double f = mpfr_get_d(p, MPFR_RNDN);
    mpfr_clear(p);
    return std::min(f, 1.0 - f);
}

// The mantissas m in [2^52, 2^53) whose m * alpha lies nearest a whole number are
// found among the convergents of the continued fraction of alpha, their intermediate
// fractions and their multiples: these candidates, for 0 < alpha < 1.
std::vector<std::uint64_t> Candidates(const mpfr_t alpha) {
    constexpr std::uint64_t kLow = std::uint64_t{1} << 52;
    constexpr std::uint64_t kHigh = std::uint64_t{1} << 53;
    std::vector<std::uint64_t> found;
    mpfr_t x, a;
    mpfr_init2(x, mpfr_get_prec(alpha));
    mpfr_init2(a, mpfr_get_prec(alpha));
    mpfr_set(x, alpha, MPFR_RNDN);
    std::uint64_t before = 1, last = 0;  // the denominators q(n-2), q(n-1)
    for (;;) {
        mpfr_floor(a, x);
        const double quotient = mpfr_get_d(a, MPFR_RNDN);
        if (last > 0) {  // the largest intermediate fraction below 2^53
            const double t = std::min(quotient, std::floor(static_cast<double>(kHigh - 1 - before) / last));
            const std::uint64_t m = static_cast<std::uint64_t>(t) * last + before;
            if (m >= kLow && m < kHigh) found.push_back(m);
        }
        if (quotient >= static_cast<double>(kHigh)) break;
        const std::uint64_t next = static_cast<std::uint64_t>(quotient) * last + before;
        if (next >= kHigh) break;
        const std::uint64_t multiple = (kLow + next - 1) / next * next;
        if (multiple < kHigh) found.push_back(multiple);
        before = last;
        last = next;
        mpfr_sub(x, x, a, MPFR_RNDN);
        if (mpfr_zero_p(x)) break;
        mpfr_ui_div(x, 1, x, MPFR_RNDN);
    }
    mpfr_clear(x);
    mpfr_clear(a);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

std::vector<double> NearestToMultiplesOfHalfPi() {
    std::vector<double> cases;
    mpfr_t alpha;
    mpfr_init2(alpha, 1400);
    for (int e = -52; e <= 971; ++e) {  // x = m * 2^e
        mpfr_const_pi(alpha, MPFR_RNDN);
        mpfr_ui_div(alpha, 2, alpha, MPFR_RNDN);
        mpfr_mul_2si(alpha, alpha, e, MPFR_RNDN);
        mpfr_frac(alpha, alpha, MPFR_RNDN);
        std::vector<std::pair<double, std::uint64_t>> ranked;
        for (std::uint64_t m : Candidates(alpha)) ranked.emplace_back(DistanceToWhole(m, alpha), m);
        std::sort(ranked.begin(), ranked.end());
        for (std::size_t i = 0; i < ranked.size() && i < 2; ++i) {
            cases.push_back(std::ldexp(static_cast<double>(ranked[i].second), e));
        }
    }
    mpfr_clear(alpha);
    return cases;
}

}  // namespace

double DrawSinCosArgument(Random& rng) {
    switch (rng() % 7) {
        case 0: return AnyFinite(rng);
        case 1: return Negated(rng, LogUniform(rng, 0x1p-30, 0x1p30));
        case 2: return Negated(rng, LogUniform(rng, 4.9e-324, 0x1p-26));
        case 3: return NearMultipleOfHalfPi(rng, 0x1p20);
        case 4: return Uniform(rng, -3300.0, 3300.0);
        case 5: return NearTableRowOrEdge(rng);
        default: return NearMultipleOfHalfPi(rng, 0x1p1020);
    }
}

double DrawAtanArgument(Random& rng) {
    switch (rng() % 4) {
        case 0: return AnyFinite(rng);
        case 1: return Negated(rng, LogUniform(rng, 0x1p-30, 0x1p62));
        case 2: return Negated(rng, LogUniform(rng, 4.9e-324, 0x1p-26));
        default: return Uniform(rng, -2.0, 2.0);
    }
}

const std::vector<double> kSinCosCases = Joined(Joined(Joined(
    {0.0, -0.0, 4.9406564584124654e-324, 2.2250738585072014e-308, 0x1p-27, 0x1.fffffffffffffp-27, 0x1p-26,
     0x1.0000000000001p-26, 0x1.921fb54442d18p-1, 0x1.921fb54442d19p-1, 0x1.921fb54442d17p-1, 0x1p20,
     0x1.fffffffffffffp19, 0x1.0000000000001p20, 3200.0, 0x1.8ffffffffffffp11, 1.7976931348623157e308, kInf, -kInf, kNaN,
     // found by search, within 2^-25 units in the last place of a midpoint (sin, then cos)
     0x1.e5677e645d757p+19, 0x1.27c27c97a4543p+14, 0x1.0724df5bc63fdp-13, 0x1.85578dc2db6b3p-20,
     0x1.5541e814f9725p+13, 0x1.f2e57a6e542acp-1, 0x1.97d3b9210178cp+28, 0x1.34c68fc768d6cp+30,
     0x1.3ac21c2ba3eafp-14, 0x1.36687f25b406dp+29, 0x1.7e35f9d9ef1bp+32, 0x1.e837e79d61987p+24,
     0x1.c832608247e49p+4, 0x1.ae33e268630bap+39, 0x1.880be39db2d72p+25, 0x1.e43effbb6713ap+8,
     0x1.a8c463ae3ae79p-4, 0x1.79d26f0829fe3p-16, 0x1.74bf9d40fa6a3p+23, 0x1.cd4d95fe57f53p+18,
     0x1.ab86d7e5627a2p-12, 0x1.2651ce4e3ea41p-21, 0x1.55700c32fec42p-9, 0x1.d337b64d15c3dp+27},
    NearestToMultiplesOfHalfPi()), ArgumentsOf(kSinHardCases)), ArgumentsOf(kCosHardCases));

const std::vector<double> kAtanCases = Joined({
    0.0, -0.0, 4.9406564584124654e-324, 2.2250738585072014e-308, 0x1p-27, 0x1.fffffffffffffp-28,
    0x1.0000000000001p-27, 1.0, 0x1.fffffffffffffp-1, 0x1.0000000000001p0, 0x1p60, 0x1.0000000000001p60,
    0x1.fffffffffffffp59, 1.7976931348623157e308, kInf, -kInf, kNaN,
    // the ends of the fast path's rows: the series alone below 2^-10, a single row in
    // the binades of 2^-10, 2^-9 and from 2^9 on, 256 rows in [0.5, 4); the middle of a
    // row (x - c = 0); an argument 2^-68.4 from a midpoint that the fast path decides
    0x1p-10, 0x1.fffffffffffffp-11, 0x1.0000000000001p-10, 0x1p-9, 0x1.fffffffffffffp-10, 0x1p-8, 0.5,
    0x1.fffffffffffffp1, 4.0, 0x1p9, 0x1.fffffffffffffp8, 0x1.008p0, 0x1.8p-10, 0x1.8p59, 6.1484375,
    // found by search, within 2^-25 units in the last place of a midpoint
    0x1.a931f1ac9ce0bp-1, 0x1.c739e7a2bc175p+12, 0x1.196ae59edd19dp-8, 0x1.4b38f25f6177ep+40,
    0x1.f94f53cf8a13fp-15, 0x1.779a13ace09p+11, 0x1.e3e0d3b403d97p+2, 0x1.56a439a8f66a7p+8,
    0x1.133de30fa3afbp-3, 0x1.ae45eabb52371p-17, 0x1.c6a97cc26940fp+3}, ArgumentsOf(kAtanHardCases));

}  // namespace rounding
