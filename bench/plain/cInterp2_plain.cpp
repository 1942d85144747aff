#include "plain/cInterp2_plain.h"

#include <cstddef>
#include <utility>

namespace plain {

namespace {

using Size = std::size_t;

void SortPairs(std::vector<double>& x, std::vector<double>& y) {
    const Size n = x.size();
    if (n == 1) return;
    Size limit = n;
    for (;;) {
        bool exchanged = false;
        for (Size i = 1; i < limit; ++i) {
            if (x[i - 1] > x[i]) {
                std::swap(x[i - 1], x[i]);
                std::swap(y[i - 1], y[i]);
                exchanged = true;
            }
        }
        --limit;
        if (limit == 1 || !exchanged) return;
    }
}

bool Ascending(const std::vector<double>& g) {
    for (Size i = 1; i < g.size(); ++i) {
        if (g[i] <= g[i - 1]) return false;
    }
    return true;
}

bool Outside(const std::vector<double>& g, double v) { return v < g.front() || v > g.back(); }

// The upper subscript, counted from 0, of the bracketing interval.
Size Upper(const std::vector<double>& g, double v) {
    const Size last = g.size() - 1;
    Size i = 1;
    while (g[i] < v && i != last) ++i;
    return i;
}

double Fraction(const std::vector<double>& g, Size u, double v) { return (v - g[u - 1]) / (g[u] - g[u - 1]); }

double Along(double base, double far, double t) { return (far - base) * t + base; }

}  // namespace

bool Interp2D(std::vector<double>& x, std::vector<double>& y, bool allowExtrap, double X, double& Y) {
    if (x.size() != y.size() || x.size() < 2) return false;
    SortPairs(x, y);
    for (Size i = 1; i < x.size(); ++i) {
        if (x[i] == x[i - 1]) return false;
    }
    if (!allowExtrap && Outside(x, X)) return false;
    const Size u = Upper(x, X), l = u - 1;
    Y = (y[u] - y[l]) * (X - x[l]) / (x[u] - x[l]) + y[l];
    return true;
}

bool Interp3D(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& z,
              bool allowExtrap, double X, double Y, double& Z) {
    const Size nx = x.size(), ny = y.size();
    if (z.size() != nx * ny || nx < 2 || ny < 2) return false;
    if (!Ascending(x) || !Ascending(y)) return false;
    if (!allowExtrap && (Outside(x, X) || Outside(y, Y))) return false;
    const Size xu = Upper(x, X), yu = Upper(y, Y);
    const double tx = Fraction(x, xu, X), ty = Fraction(y, yu, Y);
    const auto at = [&](Size i, Size j) { return z[i * ny + j]; };
    const double z1 = Along(at(xu - 1, yu - 1), at(xu, yu - 1), tx);
    const double z2 = Along(at(xu - 1, yu), at(xu, yu), tx);
    Z = Along(z1, z2, ty);
    return true;
}

bool Interp4D(const std::vector<double>& w, const std::vector<double>& x, const std::vector<double>& y,
              const std::vector<double>& z, bool allowExtrap, double W, double X, double Y, double& Z) {
    const Size nw = w.size(), nx = x.size(), ny = y.size();
    if (z.size() != nw * nx * ny || nw < 2 || nx < 2 || ny < 2) return false;
    if (!Ascending(w) || !Ascending(x) || !Ascending(y)) return false;
    if (!allowExtrap && (Outside(w, W) || Outside(x, X) || Outside(y, Y))) return false;
    const Size wu = Upper(w, W), xu = Upper(x, X), yu = Upper(y, Y);
    const double tw = Fraction(w, wu, W), tx = Fraction(x, xu, X), ty = Fraction(y, yu, Y);
    const auto at = [&](Size i, Size j, Size k) { return z[(i * nx + j) * ny + k]; };
    const double a1 = Along(at(wu - 1, xu - 1, yu - 1), at(wu - 1, xu, yu - 1), tx);
    const double a2 = Along(at(wu - 1, xu - 1, yu), at(wu - 1, xu, yu), tx);
    const double zl = Along(a1, a2, ty);
    const double c1 = Along(at(wu, xu - 1, yu - 1), at(wu, xu, yu - 1), tx);
    const double c2 = Along(at(wu, xu - 1, yu), at(wu, xu, yu), tx);
    const double zu = Along(c1, c2, ty);
    Z = Along(zl, zu, tw);
    return true;
}

}  // namespace plain
