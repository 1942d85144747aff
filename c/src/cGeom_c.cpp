#include <Tervanix/cGeom.h>

#include "Binding.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

const cGeom geom;

}  // namespace

extern "C" {

tvx_status tvx_cGeom_PI(double* result) { return ResultOf("cGeom.PI", result, [&] { return geom.PI(); }); }

tvx_status tvx_cGeom_Distance2D(double x1, double y1, double x2, double y2, double* result) {
    return ResultOf("cGeom.Distance2D", result, [&] { return geom.Distance2D(x1, y1, x2, y2); });
}

tvx_status tvx_cGeom_Distance3D(double x1, double y1, double z1, double x2, double y2, double z2, double* result) {
    return ResultOf("cGeom.Distance3D", result, [&] { return geom.Distance3D(x1, y1, z1, x2, y2, z2); });
}

tvx_status tvx_cGeom_Line2D(double x1, double y1, double x2, double y2, double* m, double* B) {
    return Guard("cGeom.Line2D", [&] { return Verdict(geom.Line2D(x1, y1, x2, y2, Ref(m, "m"), Ref(B, "B"))); });
}

tvx_status tvx_cGeom_VectorAdd(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k, double* v3i,
                               double* v3j, double* v3k) {
    return Done("cGeom.VectorAdd", [&] {
        geom.VectorAdd(v1i, v1j, v1k, v2i, v2j, v2k, Ref(v3i, "v3i"), Ref(v3j, "v3j"), Ref(v3k, "v3k"));
    });
}

tvx_status tvx_cGeom_DotProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k,
                                double* result) {
    return ResultOf("cGeom.DotProduct", result, [&] { return geom.DotProduct(v1i, v1j, v1k, v2i, v2j, v2k); });
}

tvx_status tvx_cGeom_CrossProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k,
                                  double* v3i, double* v3j, double* v3k) {
    return Done("cGeom.CrossProduct", [&] {
        geom.CrossProduct(v1i, v1j, v1k, v2i, v2j, v2k, Ref(v3i, "v3i"), Ref(v3j, "v3j"), Ref(v3k, "v3k"));
    });
}

tvx_status tvx_cGeom_PlaneCoeffsFrom3Pts(double x1, double y1, double z1, double x2, double y2, double z2, double x3,
                                         double y3, double z3, double* A, double* B, double* c, double* d) {
    return Done("cGeom.PlaneCoeffsFrom3Pts", [&] {
        geom.PlaneCoeffsFrom3Pts(x1, y1, z1, x2, y2, z2, x3, y3, z3, Ref(A, "A"), Ref(B, "B"), Ref(c, "c"),
                                 Ref(d, "d"));
    });
}

tvx_status tvx_cGeom_SurfNormFrom3Pts(double x1, double y1, double z1, double x2, double y2, double z2, double x3,
                                      double y3, double z3, double* A, double* B, double* c) {
    return Done("cGeom.SurfNormFrom3Pts", [&] {
        geom.SurfNormFrom3Pts(x1, y1, z1, x2, y2, z2, x3, y3, z3, Ref(A, "A"), Ref(B, "B"), Ref(c, "c"));
    });
}

tvx_status tvx_cGeom_Intersect2Planes(double a1, double b1, double c1, double d1, double a2, double b2, double c2,
                                      double d2, double* v3i, double* v3j, double* v3k, double* v4i, double* v4j,
                                      double* v4k) {
    return Guard("cGeom.Intersect2Planes", [&] {
        return Verdict(geom.Intersect2Planes(a1, b1, c1, d1, a2, b2, c2, d2, Ref(v3i, "v3i"), Ref(v3j, "v3j"),
                                             Ref(v3k, "v3k"), Ref(v4i, "v4i"), Ref(v4j, "v4j"), Ref(v4k, "v4k")));
    });
}

tvx_status tvx_cGeom_Intersect3Planes(double a1, double b1, double c1, double d1, double a2, double b2, double c2,
                                      double d2, double a3, double b3, double c3, double d3, double* X, double* Y,
                                      double* Z) {
    return Guard("cGeom.Intersect3Planes", [&] {
        return Verdict(geom.Intersect3Planes(a1, b1, c1, d1, a2, b2, c2, d2, a3, b3, c3, d3, Ref(X, "X"), Ref(Y, "Y"),
                                             Ref(Z, "Z")));
    });
}

tvx_status tvx_cGeom_CartToPolar(double X, double Y, double* r, double* theta) {
    return Done("cGeom.CartToPolar", [&] { geom.CartToPolar(X, Y, Ref(r, "r"), Ref(theta, "theta")); });
}

tvx_status tvx_cGeom_PolarToCart(double r, double theta, double* X, double* Y) {
    return Done("cGeom.PolarToCart", [&] { geom.PolarToCart(r, theta, Ref(X, "X"), Ref(Y, "Y")); });
}

tvx_status tvx_cGeom_DegToRad(double deg, double* result) {
    return ResultOf("cGeom.DegToRad", result, [&] { return geom.DegToRad(deg); });
}

tvx_status tvx_cGeom_RadToDeg(double rad, double* result) {
    return ResultOf("cGeom.RadToDeg", result, [&] { return geom.RadToDeg(rad); });
}

tvx_status tvx_cGeom_InLine2D(double x1, double y1, double x2, double y2, double x3, double y3, double tol) {
    return Guard("cGeom.InLine2D", [&] { return Verdict(geom.InLine2D(x1, y1, x2, y2, x3, y3, tol)); });
}

}  // extern "C"
