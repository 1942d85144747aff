#include "Arguments.h"

#include "HardCase.h"

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

double DrawLogArgument(Random& rng) {
    switch (rng() % 6) {
        case 0: return std::fabs(AnyFinite(rng));                          // mostly huge and tiny
        case 1: return LogUniform(rng, 1e-10, 1e10);
        case 2: return 1.0 + Negated(rng, LogUniform(rng, 1e-16, 0.02));   // near 1
        case 3: return Near(rng, 1.0, 1 << 20);
        case 4: return LogUniform(rng, 4.9e-324, 2.2250738585072014e-308);  // subnormal
        default: return Uniform(rng, 0.5, 2.0);
    }
}

// 2^y: the whole finite range, the overflow threshold 1024, and the subnormal range
// down to where it rounds to 0 (-1075).
double DrawExp2Argument(Random& rng) {
    switch (rng() % 6) {
        case 0: return AnyFinite(rng);  // mostly overflow and 0, and tiny arguments
        case 1: return Uniform(rng, -1080.0, 1030.0);
        case 2: return Negated(rng, LogUniform(rng, 1e-20, 1.0));
        case 3: return Near(rng, 1024.0, 1 << 24);
        case 4: return Uniform(rng, -1076.0, -1021.0);  // subnormal results
        default: return Near(rng, std::round(Uniform(rng, -1075.0, 1024.0)), 1 << 12);
    }
}

// 10^y: overflow beyond 308.25, subnormal results below -307.65, 0 below -323.6.
double DrawExp10Argument(Random& rng) {
    switch (rng() % 6) {
        case 0: return AnyFinite(rng);
        case 1: return Uniform(rng, -330.0, 310.0);
        case 2: return Negated(rng, LogUniform(rng, 1e-20, 1.0));
        case 3: return Near(rng, 308.25471555991675, 1 << 24);
        case 4: return Uniform(rng, -324.0, -307.0);  // subnormal results
        default: return Near(rng, std::round(Uniform(rng, -324.0, 309.0)), 1 << 12);
    }
}

// Exact squares and subnormal edges.
const std::vector<double> kSqrtCases = {
    0.0, -0.0, 1.0, 4.0, 2.0, 0.25, 4.9406564584124654e-324, 2.2250738585072014e-308,
    1.7976931348623157e308, std::numeric_limits<double>::infinity(),
    9007199254740993.0 * 9007199254740993.0};

// The exact case 1, its neighbours, the ends of the range, and arguments whose
// logarithm lies within 2^-18 units in the last place of a midpoint (the closest of 3
// million drawn).
const std::vector<double> kLogCases = Joined({
    1.0, 0x1.0000000000001p+0, 0x1.fffffffffffffp-1, 0x1.0000000000002p+0, 0x1.ffffffffffffep-1,
    2.0, 10.0, 0.5, 4.9406564584124654e-324, 2.2250738585072014e-308, 2.2250738585072009e-308,
    1.7976931348623157e308,
    0x1.8608091335c8cp-68, 0x1.08a53c9946feap+0, 0x1.2de6d5af2728cp-1, 0x1.020fcb18df1fap-950,
    0x1.51d1c3699f2bap-81, 0x1.9902c3ce3e923p+623, 0x1.da75bff8db62ep-1, 0x1.62129690dad18p-1}, ArgumentsOf(kLogHardCases));

// Exact powers at whole numbers, 2^-1075 exactly halfway to 0, the neighbours of the
// overflow and underflow thresholds, tiny arguments, and the closest to a midpoint of
// 3 million drawn (within 2^-19 units in the last place).
const std::vector<double> kExp2Cases = Joined({
    0.0, -0.0, 1.0, -1.0, 1023.0, -1022.0, -1074.0, -1075.0, 0x1.fffffffffffffp+9,
    -0x1.0cbffffffffffp+10, -0x1.0cc0000000001p+10, 0x1p-60, -0x1p-60, 4.9406564584124654e-324,
    0x1.0000000000001p+0,
    -0x1.3214aae04a2p-5, -0x1.ab881b934f7eep-2, -0x1.0cd5f36918416p-1, -0x1.fe0e22f7f0938p-2,
    0x1.6fe649af03edp-3, 0x1.619ac661fdec4p+8, -0x1.b89df36007448p-2, -0x1.04e7f248e656ep+10}, ArgumentsOf(kExp2HardCases));

// Exact powers of ten (10^0 to 10^22 are), 10^23 exactly halfway between two Doubles,
// negative whole numbers, the thresholds of overflow (308.2547...) and of rounding to
// 0, and the closest to a midpoint of 3 million drawn (within 2^-19 units in the last
// place).
const std::vector<double> kExp10Cases = Joined({
    0.0, 1.0, 2.0, 3.0, 10.0, 15.0, 16.0, 21.0, 22.0, 23.0, 24.0, -1.0, -5.0, -22.0, -23.0,
    -307.0, -308.0, -323.0, -324.0, 308.0,
    0x1.34413509f79fep+8, 0x1.34413509f79ffp+8, 0x1.34413509f7a00p+8,
    -0x1.439b746e36b51p+8, -0x1.439b746e36b52p+8, -0x1.439b746e36b53p+8,
    0x1p-60, -0x1p-60, 4.9406564584124654e-324,
    -0x1.3e98bc35fddap-1, 0x1.afc939bc3348p+7, 0x1.3ee0ab5ec20b4p-2, -0x1.dba20a05a2514p-3,
    -0x1.5c4af59a4bacp+6, 0x1.1b851d90264a8p+8, -0x1.5a32e30d8dbd7p-1, 0x1.6e4e07cddfe44p-2}, ArgumentsOf(kExp10HardCases));

}  // namespace rounding
