// The yardsticks of the batch lookups: for each target, std::upper_bound in a sorted
// table of n points and one linear interpolation on the interval it finds (the end
// intervals beyond the table); and the same search on each axis of a grid, then one
// bilinear or trilinear interpolation, with no check of the grid per target.
#pragma once

#include <cstddef>

namespace plain {

void UpperBoundInterpolation(const double* x, const double* y, int n, const double* targets, double* results,
                             std::size_t count);

// z holds the grid value at (i, j) at z[i * ny + j].
void BilinearLookups(const double* x, int nx, const double* y, int ny, const double* z, const double* X,
                     const double* Y, double* Z, std::size_t count);

// z holds the grid value at (i, j, k) at z[(i * nx + j) * ny + k].
void TrilinearLookups(const double* w, int nw, const double* x, int nx, const double* y, int ny, const double* z,
                      const double* W, const double* X, const double* Y, double* Z, std::size_t count);

}  // namespace plain
