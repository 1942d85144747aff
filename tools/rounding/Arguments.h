// How the rounding check draws its arguments: helpers that spread draws over a range
// of Doubles, and for each function a mix over its whole range with extra weight
// where its rounding is delicate.
#pragma once

#include <cstddef>
#include <random>
#include <vector>

namespace rounding {

using Random = std::mt19937_64;

double AnyFinite(Random& rng);                             // every finite bit pattern alike
double LogUniform(Random& rng, double lo, double hi);      // 0 < lo < hi, even in the exponent
double Uniform(Random& rng, double lo, double hi);
double Near(Random& rng, double x, int ulps);              // within ulps units of x
double Negated(Random& rng, double x);                     // x or -x, alike

double DrawSqrtArgument(Random& rng);
double DrawLogArgument(Random& rng);
double DrawExp2Argument(Random& rng);
double DrawExp10Argument(Random& rng);

// Arguments whose results lie unusually close to a midpoint between two Doubles, or
// that are exact cases, for each function: a few listed here, and the lists of
// tools/rounding/hard-cases/, whose results lie within 2^-20 units in the last place
// of a midpoint (find_hard_cases.cpp prints them).
extern const std::vector<double> kSqrtCases;

// One list followed by another.
inline std::vector<double> Joined(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

extern const std::vector<double> kLogCases;
extern const std::vector<double> kExp2Cases;
extern const std::vector<double> kExp10Cases;

}  // namespace rounding
