#include <Tervanix/cGeom.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

const cGeom geom;
constexpr double kOld = -123.0;  // what an output held before the call
constexpr double kNearestPi = 3.141592653589793;  // 400921FB54442D18
constexpr double kSqrt2 = 1.4142135623730951;

struct Vec {
    double i = kOld, j = kOld, k = kOld;
};

#define EXPECT_SAME_VEC(ei, ej, ek, v) \
    do {                               \
        EXPECT_SAME_DOUBLE(ei, (v).i); \
        EXPECT_SAME_DOUBLE(ej, (v).j); \
        EXPECT_SAME_DOUBLE(ek, (v).k); \
    } while (0)

TEST(cGeomTest, PiIsTheLibrarysValueNotTheNearestDouble) {
    EXPECT_SAME_DOUBLE(0x1.921fb54442d11p+1, geom.PI());  // 3.14159265358979 as written in decimal
    EXPECT_SAME_DOUBLE(geom.PI(), geom.DegToRad(180));
    EXPECT_SAME_DOUBLE(180.00000000000017, geom.RadToDeg(kNearestPi));
}

TEST(cGeomTest, DistancesAndDotProductSumInTheirOrder) {
    EXPECT_SAME_DOUBLE(7.6850504227363405, geom.Distance2D(4.5, -3, -2, 1.1));  // not the correctly rounded 7.68505042273634
    EXPECT_SAME_DOUBLE(10.853110153315502, geom.Distance3D(-3.5, -7, 3, -8.6, 0.7, -2.7));  // dz*dz added last
    EXPECT_SAME_DOUBLE(10.36, geom.DotProduct(7.7, -2.1, 4.1, -1.8, 7.6, 9.8));  // k term added last
}

TEST(cGeomTest, Line2DWritesSlopeThenInterceptOrNothing) {
    double m = kOld, B = kOld;
    EXPECT_EQ(True, geom.Line2D(0.1, 0.2, 0.3, 0.7, m, B));
    EXPECT_SAME_DOUBLE(2.5, m);
    EXPECT_SAME_DOUBLE(-0.04999999999999999, B);  // from the stored slope
    m = B = kOld;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, geom.Line2D(0, -kMax, 1, kMax, m, B));
    EXPECT_SAME_DOUBLE(kOld, m);  // the slope is tested before m receives it
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, geom.Line2D(1e300, 0, 1.0000000001e300, 1e300, m, B));
    EXPECT_SAME_DOUBLE(-kInf, B);  // B receives its value, then the fault
}

TEST(cGeomTest, InLine2DIsStrictAndMeasuresAlongY) {
    const struct { double x1, y1, x2, y2, x3, y3, tol; bool in; } cases[] = {
        {0, 0, 1, 1, 2, 2, 0.001, true},      {0, 0, 1, 1, 2, 3, 1, false},  // 1 < 1 fails
        {5, 0, 5, 10, 5, 3, 0.01, true},      {5, 0, 5, 10, 6, 3, 0.01, false},
        {0, 0, 1, 10, 1.05, 10, 0.1, false},  // 0.05 across the line, 0.5 along y
        {0, 0, 0.001, 5, 0.0005, 100, 0.01, true},  // dx < tol: taken as vertical
        {5, 0, 5, 10, 5, 0, 0, false},        {0, 0, 1, 1, 100, -5, kNaN, true},  // unordered counts as less than
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Boolean(c.in), geom.InLine2D(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.tol))
            << c.x1 << ' ' << c.y1 << ' ' << c.x2 << ' ' << c.y2 << ' ' << c.x3 << ' ' << c.y3 << ' ' << c.tol;
    }
}

TEST(cGeomTest, PolarConversionsAreExactOnTheAxesOnly) {
    using Op = void (cGeom::*)(Double, Double, Double&, Double&) const;
    const struct { Op op; double a, b, first, second; } cases[] = {
        {&cGeom::CartToPolar, -0.0, -0.0, 0, 0},   {&cGeom::CartToPolar, -2, -0.0, 2, 180},
        {&cGeom::CartToPolar, 1, 1, kSqrt2, 45.00000000000004},
        {&cGeom::CartToPolar, -1, -1, kSqrt2, 225.00000000000006},
        {&cGeom::CartToPolar, 1, -1, kSqrt2, 314.99999999999994},
        {&cGeom::CartToPolar, kNaN, 1, kNaN, kOld},  // no case holds
        {&cGeom::PolarToCart, 2, -0.0, 2, 0},      {&cGeom::PolarToCart, 2, kNaN, 2, 0},
        {&cGeom::PolarToCart, 2, 270, 0, -2},      {&cGeom::PolarToCart, 1, 360, 1, -6.462178297730347e-15},
        {&cGeom::PolarToCart, 2, 30, 1.7320508075688779, 0.9999999999999991},
    };
    for (const auto& c : cases) {
        double first = kOld, second = kOld;
        (geom.*c.op)(c.a, c.b, first, second);
        EXPECT_SAME_DOUBLE(c.first, first) << c.a << ", " << c.b;
        EXPECT_SAME_DOUBLE(c.second, second) << c.a << ", " << c.b;
    }
}

TEST(cGeomTest, PlaneCoefficientsComeFromTheirOwnSums) {
    const struct { double p[9], A, B, c, d; } cases[] = {
        {{0, 0, 0, 1, 1, 1, 2, 2, 2}, 0, 0, 0, -0.0},  // collinear, exactly null
        // The cross product (P2 - P1) x (P3 - P1) would round to (7.330000000000002, ...).
        {{-9.3, -0.8, 2.8, -9.1, -4.9, -0.2, -9.1, -5.6, -2.5}, 7.330000000000005, 0.46000000000000246,
         -0.13999999999999346, 68.92900000000002},
    };
    for (const auto& t : cases) {
        const double* p = t.p;
        double A = kOld, B = kOld, c = kOld, d = kOld;
        geom.PlaneCoeffsFrom3Pts(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], A, B, c, d);
        EXPECT_SAME_VEC(t.A, t.B, t.c, (Vec{A, B, c}));
        EXPECT_SAME_DOUBLE(t.d, d);
    }
}

TEST(cGeomTest, Intersect2PlanesGivesThePointNearestTheOriginAndTheDirectionOrNothing) {
    Vec p, u;
    EXPECT_EQ(True, geom.Intersect2Planes(1, 2, 3, -4, 0.5, -1, 0.25, 0.75, p.i, p.j, p.k, u.i, u.j, u.k));
    EXPECT_SAME_VEC(0.05263157894736842, 0.9473684210526315, 0.6842105263157895, p);
    EXPECT_SAME_VEC(3.5, 1.25, -2.0, u);
    // Parallel, a null normal, and a NaN that makes every component unordered.
    const double unmet[][8] = {{0, 0, 1, -5, 0, 0, 2, 3}, {0, 0, 0, 1, 1, 2, 3, 4}, {kNaN, 0, 0, 1, 0, 0, 1, 1}};
    for (const auto& q : unmet) {
        Vec p0, u0;
        EXPECT_EQ(False, geom.Intersect2Planes(q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], p0.i, p0.j, p0.k, u0.i, u0.j, u0.k));
        EXPECT_SAME_VEC(kOld, kOld, kOld, p0);
        EXPECT_SAME_VEC(kOld, kOld, kOld, u0);
    }
}

TEST(cGeomTest, Intersect3PlanesFailsOnlyOnAnExactZeroTripleProduct) {
    Vec x;
    // Each numerator summed left to right: t1 + (t2 + t3) would end in ...044, ...924, ...817.
    EXPECT_EQ(True, geom.Intersect3Planes(-7, -0.2, -9.2, 3.4, 5.3, 1.5, 7.5, -3.7, 3.9, 1.9, 1.6, -0.9, x.i, x.j, x.k));
    EXPECT_SAME_VEC(-0.30351245872110444, 0.6020214149904926, 0.5874111878314818, x);
    // A tiny triple product is not zero.
    EXPECT_EQ(True, geom.Intersect3Planes(1e-300, 0, 0, -1e-300, 0, 1, 0, 0, 0, 0, 1, 0, x.i, x.j, x.k));
    EXPECT_SAME_VEC(1.0, 0.0, 0.0, x);
    // A NaN makes the triple product unordered, which counts as zero: nothing is written.
    Vec x0;
    EXPECT_EQ(False, geom.Intersect3Planes(kNaN, 0, 0, -1, 0, 1, 0, -2, 0, 0, 1, -3, x0.i, x0.j, x0.k));
    EXPECT_SAME_VEC(kOld, kOld, kOld, x0);
}

}  // namespace
}  // namespace tervanix
