#include "plain/Batch_plain.h"

#include <algorithm>

namespace plain {

void UpperBoundInterpolation(const double* x, const double* y, int n, const double* targets, double* results,
                             std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const double t = targets[i];
        const auto k = static_cast<int>(std::upper_bound(x, x + n, t) - x) - 1;
        const int j = std::clamp(k, 0, n - 2);
        const double f = (t - x[j]) / (x[j + 1] - x[j]);
        results[i] = (y[j + 1] - y[j]) * f + y[j];
    }
}

}  // namespace plain
