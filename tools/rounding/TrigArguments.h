// How the rounding check draws arguments of the sine, cosine and arctangent, and their
// hard cases.
#pragma once

#include <vector>

#include "Arguments.h"

namespace rounding {

// Every finite double, the common range, subnormals, and the doubles next to k*pi/2
// for k up to 2^20 and up to 2^1020 (where the reduction cancels most).
double DrawSinCosArgument(Random& rng);
double DrawAtanArgument(Random& rng);

// For each binade of doubles from 1 up, the two nearest to a multiple of pi/2 (the
// hardest reductions; the nearest of all is 6381956970095103 * 2^797), the edges of
// the code's ranges, and arguments found whose results lie within 2^-26 units in the
// last place of a midpoint.
extern const std::vector<double> kSinCosCases;
extern const std::vector<double> kAtanCases;

}  // namespace rounding
