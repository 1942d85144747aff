// cGeom: plane and space geometry — the library's pi, distances, the line through two
// points and the point-on-line test, polar coordinates in degrees, angle conversion,
// vector sum and products, planes through three points and the intersections of two
// and of three planes.
//
// Angles in degrees are measured counter-clockwise from the positive x axis. A plane
// is held as a, b, c, d with a * x + b * y + c * z + d = 0; its normal (a, b, c) is
// never normalised. Every output passed by reference is written at the moment its
// step computes it, so after an error the outputs before the faulting one hold their
// new values.
#pragma once

#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cGeom {
public:
    // 3.14159265358979, 3.1E-15 below the Double nearest to pi: the only pi that any
    // operation of the class uses.
    TERVANIX_API Double PI() const;

    TERVANIX_API Double Distance2D(Double x1, Double y1, Double x2, Double y2) const;
    TERVANIX_API Double Distance3D(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2) const;
    TERVANIX_API Boolean Line2D(Double x1, Double y1, Double x2, Double y2, Double& m, Double& B) const;

    TERVANIX_API void VectorAdd(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k,
                   Double& v3i, Double& v3j, Double& v3k) const;
    TERVANIX_API Double DotProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) const;
    TERVANIX_API void CrossProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k,
                      Double& v3i, Double& v3j, Double& v3k) const;
    TERVANIX_API void PlaneCoeffsFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2,
                             Double x3, Double y3, Double z3, Double& A, Double& B, Double& c,
                             Double& d) const;
    TERVANIX_API void SurfNormFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2,
                          Double x3, Double y3, Double z3, Double& A, Double& B, Double& c) const;
    TERVANIX_API Boolean Intersect2Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2,
                             Double c2, Double d2, Double& v3i, Double& v3j, Double& v3k,
                             Double& v4i, Double& v4j, Double& v4k) const;
    TERVANIX_API Boolean Intersect3Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2,
                             Double c2, Double d2, Double a3, Double b3, Double c3, Double d3,
                             Double& X, Double& Y, Double& Z) const;

    TERVANIX_API void CartToPolar(Double X, Double Y, Double& r, Double& theta) const;
    TERVANIX_API void PolarToCart(Double r, Double theta, Double& X, Double& Y) const;
    TERVANIX_API Double DegToRad(Double deg) const;
    TERVANIX_API Double RadToDeg(Double rad) const;
    TERVANIX_API Boolean InLine2D(Double x1, Double y1, Double x2, Double y2, Double x3, Double y3, Double tol) const;

private:
    void SetPolarAngle(Double X, Double Y, Double& theta) const;
    Double QuadrantAngle(Double X, Double Y) const;
    void WriteLinePoint(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2,
                        Double d2, Double& v3i, Double& v3j, Double& v3k) const;
};

}  // namespace tervanix
