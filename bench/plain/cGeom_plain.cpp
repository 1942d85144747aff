#include "plain/cGeom_plain.h"

namespace plain {

double DotProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k) {
    return (v1i * v2i + v1j * v2j) + v1k * v2k;
}

void CrossProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k, double& v3i,
                  double& v3j, double& v3k) {
    v3i = v1j * v2k - v1k * v2j;
    v3j = v1k * v2i - v1i * v2k;
    v3k = v1i * v2j - v1j * v2i;
}

void PlaneCoeffsFrom3Pts(double x1, double y1, double z1, double x2, double y2, double z2, double x3, double y3,
                         double z3, double& A, double& B, double& c, double& d) {
    A = (z3 - z1) * y2 + (z2 - z3) * y1 + (z1 - z2) * y3;
    B = (x3 - x1) * z2 + (x2 - x3) * z1 + (x1 - x2) * z3;
    c = (y3 - y1) * x2 + (y2 - y3) * x1 + (y1 - y2) * x3;
    d = ((z1 * y3 - y1 * z3) * x2 + (y2 * z3 - z2 * y3) * x1 + (y1 * z2 - z1 * y2) * x3) * -1.0;
}

bool Intersect3Planes(double a1, double b1, double c1, double d1, double a2, double b2, double c2, double d2,
                      double a3, double b3, double c3, double d3, double& X, double& Y, double& Z) {
    double n23i, n23j, n23k, n31i, n31j, n31k, n12i, n12j, n12k;
    CrossProduct(a2, b2, c2, a3, b3, c3, n23i, n23j, n23k);
    const double den = DotProduct(a1, b1, c1, n23i, n23j, n23k);
    if (!(den < 0.0 || den > 0.0)) return false;
    const double m1 = d1 * -1.0, m2 = d2 * -1.0, m3 = d3 * -1.0;
    CrossProduct(a3, b3, c3, a1, b1, c1, n31i, n31j, n31k);
    CrossProduct(a1, b1, c1, a2, b2, c2, n12i, n12j, n12k);
    X = ((m1 * n23i + m2 * n31i) + m3 * n12i) / den;
    Y = ((m1 * n23j + m2 * n31j) + m3 * n12j) / den;
    Z = ((m1 * n23k + m2 * n31k) + m3 * n12k) / den;
    return true;
}

}  // namespace plain
