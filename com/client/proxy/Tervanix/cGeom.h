// Stand-in for <Tervanix/cGeom.h>: calls Tervanix.cGeom.
#pragma once
#include "Proxy.h"

namespace tervanix {

class cGeom {
public:
    cGeom();
    Double PI() const;
    Double Distance2D(Double x1, Double y1, Double x2, Double y2) const;
    Double Distance3D(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2) const;
    Boolean Line2D(Double x1, Double y1, Double x2, Double y2, Double& m, Double& B) const;
    void VectorAdd(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k, Double& v3i, Double& v3j,
                   Double& v3k) const;
    Double DotProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) const;
    void CrossProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k, Double& v3i,
                      Double& v3j, Double& v3k) const;
    void PlaneCoeffsFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2, Double x3, Double y3,
                             Double z3, Double& A, Double& B, Double& c, Double& d) const;
    void SurfNormFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2, Double x3, Double y3,
                          Double z3, Double& A, Double& B, Double& c) const;
    Boolean Intersect2Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2, Double d2,
                             Double& v3i, Double& v3j, Double& v3k, Double& v4i, Double& v4j, Double& v4k) const;
    Boolean Intersect3Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2, Double d2,
                             Double a3, Double b3, Double c3, Double d3, Double& X, Double& Y, Double& Z) const;
    void CartToPolar(Double X, Double Y, Double& r, Double& theta) const;
    void PolarToCart(Double r, Double theta, Double& X, Double& Y) const;
    Double DegToRad(Double deg) const;
    Double RadToDeg(Double rad) const;
    Boolean InLine2D(Double x1, Double y1, Double x2, Double y2, Double x3, Double y3, Double tol) const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
