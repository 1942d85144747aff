#include "plain/Batch_plain.h"

#include <algorithm>

namespace plain {

namespace {

// The interval [j, j + 1] of a sorted axis of n values for t, and t's fraction along it.
struct Interval {
    int j;
    double f;
    Interval(const double* axis, int n, double t) {
        const auto k = static_cast<int>(std::upper_bound(axis, axis + n, t) - axis) - 1;
        j = std::clamp(k, 0, n - 2);
        f = (t - axis[j]) / (axis[j + 1] - axis[j]);
    }
};

double Along(double base, double far, double f) { return (far - base) * f + base; }

}  // namespace

void UpperBoundInterpolation(const double* x, const double* y, int n, const double* targets, double* results,
                             std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Interval at(x, n, targets[i]);
        results[i] = Along(y[at.j], y[at.j + 1], at.f);
    }
}

void BilinearLookups(const double* x, int nx, const double* y, int ny, const double* z, const double* X,
                     const double* Y, double* Z, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Interval a(x, nx, X[i]), b(y, ny, Y[i]);
        const double* const row = z + a.j * ny + b.j;
        Z[i] = Along(Along(row[0], row[ny], a.f), Along(row[1], row[ny + 1], a.f), b.f);
    }
}

void TrilinearLookups(const double* w, int nw, const double* x, int nx, const double* y, int ny, const double* z,
                      const double* W, const double* X, const double* Y, double* Z, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Interval c(w, nw, W[i]), a(x, nx, X[i]), b(y, ny, Y[i]);
        const auto plane = [&](int wi) {
            const double* const row = z + (wi * nx + a.j) * ny + b.j;
            return Along(Along(row[0], row[ny], a.f), Along(row[1], row[ny + 1], a.f), b.f);
        };
        Z[i] = Along(plane(c.j), plane(c.j + 1), c.f);
    }
}

}  // namespace plain
