#include <Tervanix/cGeom.h>

#include "Sections.h"

namespace fingerprint {

namespace {

constexpr double kUnwritten = -7.25;  // what every output holds before its call

struct Outputs {
    double v[6] = {kUnwritten, kUnwritten, kUnwritten, kUnwritten, kUnwritten, kUnwritten};
    void AddTo(Digest& d) const {
        for (double x : v) d.Add(x);
    }
};

// Mostly whole numbers from -2 to 2, so that normals are often parallel or null and
// points often coincident or collinear; otherwise any number.
double Coordinate(Inputs& in) {
    const std::uint64_t r = in.Next();
    return (r % 3 == 0) ? static_cast<double>(static_cast<std::int64_t>(r % 5) - 2) : in.Number();
}

// An angle in degrees: one of the special ones, a multiple of 45, or any number.
double Angle(Inputs& in) {
    const std::uint64_t r = in.Next();
    switch (r % 4) {
        case 0: return static_cast<double>(static_cast<std::int64_t>(r % 17) - 8) * 45.0;
        case 1: return (r & 16) ? -0.0 : 0.0;
        default: return in.Number();
    }
}

}  // namespace

void Geometry(Digest& d) {
    const tervanix::cGeom geom;
    d.Add(geom.PI());
    Inputs in(7);
    for (int i = 0; i < 6000; ++i) {
        double p[12];
        for (double& x : p) x = Coordinate(in);
        const double tol = in.Number(), theta = Angle(in);

        Try(d, [&] { d.Add(geom.Distance2D(p[0], p[1], p[2], p[3])); });
        Try(d, [&] { d.Add(geom.Distance3D(p[0], p[1], p[2], p[3], p[4], p[5])); });
        Try(d, [&] { d.Add(geom.DotProduct(p[0], p[1], p[2], p[3], p[4], p[5])); });
        Try(d, [&] { d.Add(geom.InLine2D(p[0], p[1], p[2], p[3], p[4], p[5], tol)); });
        Try(d, [&] { d.Add(geom.DegToRad(p[6])); });
        Try(d, [&] { d.Add(geom.RadToDeg(p[7])); });

        Outputs line, polar, cart, sum, cross, plane, norm, meet2, meet3;
        Try(d, [&] { d.Add(geom.Line2D(p[0], p[1], p[2], p[3], line.v[0], line.v[1])); });
        Try(d, [&] { geom.CartToPolar(p[8], p[9], polar.v[0], polar.v[1]); });
        Try(d, [&] { geom.PolarToCart(p[10], theta, cart.v[0], cart.v[1]); });
        Try(d, [&] { geom.VectorAdd(p[0], p[1], p[2], p[3], p[4], p[5], sum.v[0], sum.v[1], sum.v[2]); });
        Try(d, [&] { geom.CrossProduct(p[0], p[1], p[2], p[3], p[4], p[5], cross.v[0], cross.v[1], cross.v[2]); });
        Try(d, [&] {
            geom.PlaneCoeffsFrom3Pts(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], plane.v[0], plane.v[1],
                                     plane.v[2], plane.v[3]);
        });
        Try(d, [&] {
            geom.SurfNormFrom3Pts(p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10], p[11], norm.v[0], norm.v[1],
                                  norm.v[2]);
        });
        Try(d, [&] {
            d.Add(geom.Intersect2Planes(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], meet2.v[0], meet2.v[1],
                                        meet2.v[2], meet2.v[3], meet2.v[4], meet2.v[5]));
        });
        Try(d, [&] {
            d.Add(geom.Intersect3Planes(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10], p[11],
                                        meet3.v[0], meet3.v[1], meet3.v[2]));
        });
        for (const Outputs* o : {&line, &polar, &cart, &sum, &cross, &plane, &norm, &meet2, &meet3}) o->AddTo(d);
    }
}

}  // namespace fingerprint
