// The yardstick of the batch lookups: for each target, std::upper_bound in a sorted
// table of n points and one linear interpolation on the interval it finds (the end
// intervals beyond the table).
#pragma once

#include <cstddef>

namespace plain {

void UpperBoundInterpolation(const double* x, const double* y, int n, const double* targets, double* results,
                             std::size_t count);

}  // namespace plain
