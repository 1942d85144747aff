#include "Arguments.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace rounding {

namespace {

double FromBits(std::uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

std::uint64_t Bits(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

}  // namespace

double AnyFinite(Random& rng) {
    for (;;) {
        const double x = FromBits(rng());
        if (std::isfinite(x)) return x;
    }
}

double LogUniform(Random& rng, double lo, double hi) {
    const double t = std::uniform_real_distribution<double>(std::log2(lo), std::log2(hi))(rng);
    const double x = std::exp2(t);
    return x < lo ? lo : (x > hi ? hi : x);
}

double Uniform(Random& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

double Near(Random& rng, double x, int ulps) {
    const std::int64_t step = std::uniform_int_distribution<std::int64_t>(-ulps, ulps)(rng);
    const std::uint64_t bits = Bits(std::fabs(x));
    const std::uint64_t moved = step < 0 && static_cast<std::uint64_t>(-step) > bits ? 0 : bits + step;
    return std::copysign(FromBits(moved), x);
}

double Negated(Random& rng, double x) { return (rng() & 1) != 0 ? -x : x; }

double DrawSqrtArgument(Random& rng) {
    switch (rng() % 3) {
        case 0: return std::fabs(AnyFinite(rng));
        case 1: return LogUniform(rng, 1e-300, 1e300);
        default: return LogUniform(rng, 4.9e-324, 2.2250738585072014e-308);  // subnormal
    }
}

// Exact squares and subnormal edges.
const std::vector<double> kSqrtCases = {
    0.0, -0.0, 1.0, 4.0, 2.0, 0.25, 4.9406564584124654e-324, 2.2250738585072014e-308,
    1.7976931348623157e308, std::numeric_limits<double>::infinity(),
    9007199254740993.0 * 9007199254740993.0};

}  // namespace rounding
