// CInterpolation's formulas and table lookup written plainly, without fault tests,
// checked subscripts or Integer positions: the yardstick for the library's checks.
// The interpolations take their corners and fractions as the library's do.
#pragma once

namespace plain {

double LinearInterpolation1Way(double x1, double x2, double fx);
double LinearInterpolation2Way(double x11, double x12, double x21, double x22, double fx, double fy);
double LinearInterpolation3Way(double x111, double x121, double x211, double x221, double x112, double x122,
                               double x212, double x222, double fx, double fy, double fz);
double LinearInterpolation4Way(double x1111, double x1211, double x2111, double x2211, double x1121, double x1221,
                               double x2121, double x2221, double x1112, double x1212, double x2112, double x2212,
                               double x1122, double x1222, double x2122, double x2222, double fx, double fy,
                               double fz, double fa);

// Sorts the n pairs by x, then interpolates inside the table or extrapolates
// linearly along the nearer end interval.
bool InterpolationOf1DArray(double t, double* x, double* y, int n, double& result);

}  // namespace plain
