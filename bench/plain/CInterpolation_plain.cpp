#include "plain/CInterpolation_plain.h"

#include "plain/CSort_plain.h"

namespace plain {

double LinearInterpolation1Way(double x1, double x2, double fx) { return (x2 - x1) * fx + x1; }

double LinearInterpolation2Way(double x11, double x12, double x21, double x22, double fx, double fy) {
    return LinearInterpolation1Way(LinearInterpolation1Way(x11, x21, fx), LinearInterpolation1Way(x12, x22, fx), fy);
}

double LinearInterpolation3Way(double x111, double x121, double x211, double x221, double x112, double x122,
                               double x212, double x222, double fx, double fy, double fz) {
    return LinearInterpolation1Way(LinearInterpolation2Way(x111, x121, x211, x221, fx, fy),
                                   LinearInterpolation2Way(x112, x122, x212, x222, fx, fy), fz);
}

double LinearInterpolation4Way(double x1111, double x1211, double x2111, double x2211, double x1121, double x1221,
                               double x2121, double x2221, double x1112, double x1212, double x2112, double x2212,
                               double x1122, double x1222, double x2122, double x2222, double fx, double fy,
                               double fz, double fa) {
    return LinearInterpolation1Way(
        LinearInterpolation3Way(x1111, x1211, x2111, x2211, x1121, x1221, x2121, x2221, fx, fy, fz),
        LinearInterpolation3Way(x1112, x1212, x2112, x2212, x1122, x1222, x2122, x2222, fx, fy, fz), fa);
}

bool InterpolationOf1DArray(double t, double* x, double* y, int n, double& result) {
    BubbleSortPairs(x, y, n);
    if (t < x[0] || t > x[n - 1]) {  // beyond the ends: the line through the nearer end interval
        const int i1 = t < x[0] ? 1 : n - 2, i2 = t < x[0] ? 0 : n - 1;
        if (x[i1] == x[i2]) return false;
        const double m = (y[i1] - y[i2]) / (x[i1] - x[i2]);
        const double c = y[i1] - m * x[i1];
        result = m * t + c;
        return true;
    }
    int k = n - 1;
    while (!(t >= x[k])) --k;
    if (k == n - 1) {
        result = (y[k] - y[k - 1]) * 1.0 + y[k - 1];
        return true;
    }
    const double f = (t - x[k]) / (x[k + 1] - x[k]);
    result = (y[k + 1] - y[k]) * f + y[k];
    return true;
}

}  // namespace plain
