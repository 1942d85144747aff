// cGeom's vector and plane formulas written plainly, without fault tests: the
// yardstick for the cost of the library's checks.
#pragma once

namespace plain {

double DotProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k);
void CrossProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k, double& v3i,
                  double& v3j, double& v3k);
void PlaneCoeffsFrom3Pts(double x1, double y1, double z1, double x2, double y2, double z2, double x3, double y3,
                         double z3, double& A, double& B, double& c, double& d);
bool Intersect3Planes(double a1, double b1, double c1, double d1, double a2, double b2, double c2, double d2,
                      double a3, double b3, double c3, double d3, double& X, double& Y, double& Z);

}  // namespace plain
