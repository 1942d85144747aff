#include "Tervanix/cGeom.h"

#include <array>
#include <cmath>

#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MathFunctions.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix {

using rt::AssignFormulas;
using rt::Fp;
using rt::Stored;
using rt::StoredFormula;

namespace {

// The library's pi, bit pattern 400921FB54442D11: 3.14159265358979 as written in
// decimal, not the Double nearest to pi (which ends in ...2D18).
constexpr Double kPi = 0x1.921fb54442d11p+1;

// x = y, where an unordered comparison (a NaN on either side) counts as equal.
bool EqualOrUnordered(Double x, Double y) { return !(x < y || x > y); }

// Line2D's False: x1 and x2 equal (a vertical line), or one of them NaN.
TERVANIX_COLD_NOINLINE bool RefuseLine2D(Double x1, Double x2) {
    rt::MessageText<> text;
    if (std::isnan(x1) || std::isnan(x2)) {
        text << "x1 and x2 are " << x1 << " and " << x2 << "; a NaN gives no slope: pass numbers";
        return rt::RecordFalse(FalseReason::NotANumber, "cGeom.Line2D", text.c_str());
    }
    text << "x1 and x2 are both " << x1 << ": the line through (x1, y1) and (x2, y2) is vertical and has no "
         << "y = m * x + B form; give two points with different x";
    return rt::RecordFalse(FalseReason::VerticalLine, "cGeom.Line2D", text.c_str());
}

// Intersect2Planes's False: the normals' cross product (ui, uj, uk) is zero or NaN.
TERVANIX_COLD_NOINLINE bool RefuseIntersect2Planes(Double ui, Double uj, Double uk) {
    rt::MessageText<> text;
    if (std::isnan(ui) || std::isnan(uj) || std::isnan(uk)) {
        text << "the cross product of the normals (a1, b1, c1) and (a2, b2, c2) is (" << ui << ", " << uj << ", "
             << uk << "): a coefficient is NaN; pass numbers";
        return rt::RecordFalse(FalseReason::NotANumber, "cGeom.Intersect2Planes", text.c_str());
    }
    text << "the normals (a1, b1, c1) and (a2, b2, c2) have a zero cross product: the planes are parallel (or a "
            "normal is zero) and share no single line; give planes with normals that are not multiples of each other";
    return rt::RecordFalse(FalseReason::ParallelPlanes, "cGeom.Intersect2Planes", text.c_str());
}

// Intersect3Planes's False: the triple product of the normals is zero or NaN.
TERVANIX_COLD_NOINLINE bool RefuseIntersect3Planes(Double den) {
    rt::MessageText<> text;
    if (std::isnan(den)) {
        text << "the triple product of the normals is NaN: a coefficient is NaN or the products overflow in "
                "opposite directions; pass finite numbers";
        return rt::RecordFalse(FalseReason::NotANumber, "cGeom.Intersect3Planes", text.c_str());
    }
    text << "the triple product (a1, b1, c1) . ((a2, b2, c2) x (a3, b3, c3)) of the normals is 0: two of the planes "
            "are parallel or all three share a line, so they meet in no single point; give three independent "
            "normals";
    return rt::RecordFalse(FalseReason::NoSinglePoint, "cGeom.Intersect3Planes", text.c_str());
}

// x < y, where an unordered comparison counts as less than.
bool LessOrUnordered(Double x, Double y) { return !(x >= y); }

// DotProduct's formula, of the operand wrapper F (runtime/Formula.h).
template <typename Op>
auto DotFormula(Op F, Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) {
    return (F(v1i) * v2i + F(v1j) * v2j) + F(v1k) * v2k;
}

// CrossProduct's three formulas.
template <typename Op>
auto CrossFormulas(Op F, Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) {
    return std::array{F(v1j) * v2k - F(v1k) * v2j, F(v1k) * v2i - F(v1i) * v2k, F(v1i) * v2j - F(v1j) * v2i};
}

// A cross product as named values of a formula, stored in the order CrossProduct
// assigns them.
template <typename Op>
std::array<Double, 3> StoredCross(Op F, Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) {
    const auto v = CrossFormulas(F, v1i, v1j, v1k, v2i, v2j, v2k);
    const Double i = Stored(v[0]);
    const Double j = Stored(v[1]);
    return {i, j, Stored(v[2])};
}

}  // namespace

Double cGeom::PI() const { return kPi; }

Double cGeom::Distance2D(Double x1, Double y1, Double x2, Double y2) const try {
    const Double dx = Stored(Fp(x2) - x1);
    const Double dy = Stored(Fp(y2) - y1);
    const Double s = Stored(Fp(dy) * dy + Fp(dx) * dx);
    return Stored(rt::Sqr(s));
} catch (...) { rt::RethrowFrom("cGeom.Distance2D"); }

Double cGeom::Distance3D(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2) const try {
    const Double dx = Stored(Fp(x2) - x1);
    const Double dy = Stored(Fp(y2) - y1);
    const Double dz = Stored(Fp(z2) - z1);
    const Double s = Stored((Fp(dy) * dy + Fp(dx) * dx) + Fp(dz) * dz);
    return Stored(rt::Sqr(s));
} catch (...) { rt::RethrowFrom("cGeom.Distance3D"); }

Boolean cGeom::Line2D(Double x1, Double y1, Double x2, Double y2, Double& m, Double& B) const try {
    if (EqualOrUnordered(x1, x2)) return RefuseLine2D(x1, x2);  // vertical: no y = m * x + B
    // The slope is tested before m receives it; B is assigned straight from its formula.
    m = Stored((Fp(y2) - y1) / (Fp(x2) - x1));
    rt::Assign(B, Fp(y1) - Fp(m) * x1);
    return true;
} catch (...) { rt::RethrowFrom("cGeom.Line2D"); }

// The vector and plane formulas use only +, - and * and divide only by stored values,
// so each group of them is tested once, on its values (runtime/Formula.h).

void cGeom::VectorAdd(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k,
                      Double& v3i, Double& v3j, Double& v3k) const try {
    AssignFormulas([=](auto F) { return std::array{F(v1i) + v2i, F(v1j) + v2j, F(v1k) + v2k}; }, v3i, v3j, v3k);
} catch (...) { rt::RethrowFrom("cGeom.VectorAdd"); }

Double cGeom::DotProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) const try {
    return StoredFormula([=](auto F) { return DotFormula(F, v1i, v1j, v1k, v2i, v2j, v2k); });
} catch (...) { rt::RethrowFrom("cGeom.DotProduct"); }

void cGeom::CrossProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k,
                         Double& v3i, Double& v3j, Double& v3k) const try {
    AssignFormulas([=](auto F) { return CrossFormulas(F, v1i, v1j, v1k, v2i, v2j, v2k); }, v3i, v3j, v3k);
} catch (...) { rt::RethrowFrom("cGeom.CrossProduct"); }

void cGeom::PlaneCoeffsFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2,
                                Double x3, Double y3, Double z3, Double& A, Double& B, Double& c,
                                Double& d) const try {
    // The normal is (P2 - P1) x (P3 - P1), but formed by these sums, whose rounding
    // differs from the cross product's.
    AssignFormulas(
        [=](auto F) {
            return std::array{
                (F(z3) - z1) * y2 + (F(z2) - z3) * y1 + (F(z1) - z2) * y3,
                (F(x3) - x1) * z2 + (F(x2) - x3) * z1 + (F(x1) - x2) * z3,
                (F(y3) - y1) * x2 + (F(y2) - y3) * x1 + (F(y1) - y2) * x3,
                ((F(z1) * y3 - F(y1) * z3) * x2 + (F(y2) * z3 - F(z2) * y3) * x1 + (F(y1) * z2 - F(z1) * y2) * x3) *
                    -1.0,
            };
        },
        A, B, c, d);
} catch (...) { rt::RethrowFrom("cGeom.PlaneCoeffsFrom3Pts"); }

void cGeom::SurfNormFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2,
                             Double x3, Double y3, Double z3, Double& A, Double& B, Double& c) const try {
    Double discarded = 0.0;  // d: written, and faulting, after A, B and c
    PlaneCoeffsFrom3Pts(x1, y1, z1, x2, y2, z2, x3, y3, z3, A, B, c, discarded);
} catch (...) { rt::RethrowFrom("cGeom.SurfNormFrom3Pts"); }

Boolean cGeom::Intersect2Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2,
                                Double c2, Double d2, Double& v3i, Double& v3j, Double& v3k,
                                Double& v4i, Double& v4j, Double& v4k) const try {
    Double ui = 0.0, uj = 0.0, uk = 0.0;
    CrossProduct(a1, b1, c1, a2, b2, c2, ui, uj, uk);
    if (EqualOrUnordered(ui, 0.0) && EqualOrUnordered(uj, 0.0) && EqualOrUnordered(uk, 0.0)) {
        return RefuseIntersect2Planes(ui, uj, uk);  // parallel planes, or a null normal
    }
    WriteLinePoint(a1, b1, c1, d1, a2, b2, c2, d2, v3i, v3j, v3k);
    v4i = ui;  // the direction goes last, once the point is complete
    v4j = uj;
    v4k = uk;
    return true;
} catch (...) { rt::RethrowFrom("cGeom.Intersect2Planes"); }

// The point of the line where the planes meet that lies nearest the origin: the
// combination s1 * N1 + s2 * N2 that satisfies both plane equations.
void cGeom::WriteLinePoint(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2,
                           Double d2, Double& v3i, Double& v3j, Double& v3k) const {
    const Double g22 = DotProduct(a2, b2, c2, a2, b2, c2);
    const Double g12 = DotProduct(a1, b1, c1, a2, b2, c2);
    const Double g11 = DotProduct(a1, b1, c1, a1, b1, c1);
    // A divisor, so tested by itself. Nearly parallel planes can round det to 0: s1
    // then faults before any output.
    const Double det = StoredFormula([=](auto F) { return F(g22) * g11 - F(g12) * g12; });
    AssignFormulas(
        [=](auto F) {
            const Double s1 = Stored(((F(d1) * -1.0) * g22 + F(g12) * d2) / det);
            const Double s2 = Stored(((F(d2) * -1.0) * g11 + F(g12) * d1) / det);
            return std::array{F(s1) * a1 + F(s2) * a2, F(s1) * b1 + F(s2) * b2, F(s1) * c1 + F(s2) * c2};
        },
        v3i, v3j, v3k);
}

// Intersect3Planes by Cramer's rule in vector form: the triple product N1 . (N2 x N3),
// a divisor tested by itself, then the point. Cross(N2, N3) serves both the triple
// product and the first numerator term. Every step is a named value in call order,
// so the step-by-step pass faults where the method's own CrossProduct, DotProduct
// and products would.
namespace {

template <typename Op>
auto PlanePoint(Op F, Double a1, Double b1, Double c1, Double d1, Double a2, Double b2,
                                 Double c2, Double d2, Double a3, Double b3, Double c3, Double d3,
                                 const std::array<Double, 3>& n23, Double den) {
    const std::array<Double, 3> n31 = StoredCross(F, a3, b3, c3, a1, b1, c1);
    const std::array<Double, 3> n12 = StoredCross(F, a1, b1, c1, a2, b2, c2);
    const Double m1 = Stored(F(d1) * -1.0), m2 = Stored(F(d2) * -1.0), m3 = Stored(F(d3) * -1.0);
    const Double t1i = Stored(F(m1) * n23[0]), t1j = Stored(F(m1) * n23[1]), t1k = Stored(F(m1) * n23[2]);
    const Double t2i = Stored(F(m2) * n31[0]), t2j = Stored(F(m2) * n31[1]), t2k = Stored(F(m2) * n31[2]);
    const Double t3i = Stored(F(m3) * n12[0]), t3j = Stored(F(m3) * n12[1]), t3k = Stored(F(m3) * n12[2]);
    return std::array{((F(t1i) + t2i) + t3i) / den, ((F(t1j) + t2j) + t3j) / den, ((F(t1k) + t2k) + t3k) / den};
}

// The step-by-step pass: each value tested as it is made, the outputs assigned in
// order, the first that faults raising its fault.
TERVANIX_COLD_NOINLINE Boolean Intersect3PlanesStepwise(Double a1, Double b1, Double c1, Double d1, Double a2,
                                                        Double b2, Double c2, Double d2, Double a3, Double b3,
                                                        Double c3, Double d3, Double& X, Double& Y, Double& Z) {
    const rt::CheckedOperand F;
    const std::array<Double, 3> n23 = StoredCross(F, a2, b2, c2, a3, b3, c3);
    const Double den = Stored(DotFormula(F, a1, b1, c1, n23[0], n23[1], n23[2]));
    if (EqualOrUnordered(den, 0.0)) return RefuseIntersect3Planes(den);  // no single point; no tolerance
    const std::array<Fp, 3> point = PlanePoint(F, a1, b1, c1, d1, a2, b2, c2, d2, a3, b3, c3, d3, n23, den);
    rt::Assign(X, point[0]);
    rt::Assign(Y, point[1]);
    rt::Assign(Z, point[2]);
    return true;
}

}  // namespace

// The whole method on plain Doubles first. A fault in any step leaves the triple
// product or a coordinate not finite (runtime/Formula.h), and only then is it done
// again step by step, which raises that fault in its place.
Boolean cGeom::Intersect3Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2,
                                Double d2, Double a3, Double b3, Double c3, Double d3, Double& X, Double& Y,
                                Double& Z) const try {
    if constexpr (rt::kStepByStep) return Intersect3PlanesStepwise(a1, b1, c1, d1, a2, b2, c2, d2, a3, b3, c3, d3, X, Y, Z);
    const rt::PlainOperand F;
    const std::array<Double, 3> n23 = StoredCross(F, a2, b2, c2, a3, b3, c3);
    const Double den = DotFormula(F, a1, b1, c1, n23[0], n23[1], n23[2]);
    if (TERVANIX_LIKELY(std::isfinite(den))) {
        if (EqualOrUnordered(den, 0.0)) return RefuseIntersect3Planes(den);
        const std::array<Double, 3> point =
            PlanePoint(F, a1, b1, c1, d1, a2, b2, c2, d2, a3, b3, c3, d3, n23, den);
        if (TERVANIX_LIKELY(std::isfinite((point[0] + point[1]) + point[2]))) {
            X = point[0];
            Y = point[1];
            Z = point[2];
            return true;
        }
    }
    return Intersect3PlanesStepwise(a1, b1, c1, d1, a2, b2, c2, d2, a3, b3, c3, d3, X, Y, Z);
} catch (...) { rt::RethrowFrom("cGeom.Intersect3Planes"); }

void cGeom::CartToPolar(Double X, Double Y, Double& r, Double& theta) const try {
    r = Distance2D(X, Y, 0.0, 0.0);
    SetPolarAngle(X, Y, theta);
} catch (...) { rt::RethrowFrom("cGeom.CartToPolar"); }

// The angle of (X, Y) in degrees, from 0 to 360, by the first case that holds. The
// axes are exact; in the quadrants the angle comes through the library's pi, so
// (1, 1) gives 45.00000000000004. When X or Y is a NaN no case holds and theta is
// left as it was.
void cGeom::SetPolarAngle(Double X, Double Y, Double& theta) const {
    if (X == 0.0 && Y == 0.0) {
        theta = 0.0;
    } else if (X > 0.0 && Y == 0.0) {
        theta = 0.0;
    } else if (X == 0.0 && Y > 0.0) {
        theta = 90.0;
    } else if (X < 0.0 && Y == 0.0) {
        theta = 180.0;
    } else if (X == 0.0 && Y < 0.0) {
        theta = 270.0;
    } else if (X > 0.0 && Y > 0.0) {
        theta = QuadrantAngle(X, Y);
    } else if (X < 0.0 && Y > 0.0) {
        rt::Assign(theta, Fp(QuadrantAngle(X, Y)) + 180.0);
    } else if (X < 0.0 && Y < 0.0) {
        rt::Assign(theta, Fp(QuadrantAngle(X, Y)) + 180.0);
    } else if (X > 0.0 && Y < 0.0) {
        rt::Assign(theta, Fp(QuadrantAngle(X, Y)) + 360.0);
    }
}

// a = (arctangent(Y / X) * 180) / pi, the quotient formed and tested first.
Double cGeom::QuadrantAngle(Double X, Double Y) const {
    const Double q = Stored(Fp(Y) / X);
    return RadToDeg(Stored(rt::Atn(q)));
}

void cGeom::PolarToCart(Double r, Double theta, Double& X, Double& Y) const try {
    if (EqualOrUnordered(theta, 0.0)) {  // -0 and NaN count as 0
        X = r;
        Y = 0.0;
    } else if (theta == 90.0) {
        X = 0.0;
        Y = r;
    } else if (theta == 180.0) {
        rt::Assign(X, Fp(r) * -1.0);
        Y = 0.0;
    } else if (theta == 270.0) {
        X = 0.0;
        rt::Assign(Y, Fp(r) * -1.0);
    } else {
        const Double a = DegToRad(theta);
        rt::Assign(X, rt::Cos(a) * r);
        rt::Assign(Y, rt::Sin(a) * r);
    }
} catch (...) { rt::RethrowFrom("cGeom.PolarToCart"); }

Double cGeom::DegToRad(Double deg) const try {
    return Stored((Fp(deg) * kPi) / 180.0);
} catch (...) { rt::RethrowFrom("cGeom.DegToRad"); }

Double cGeom::RadToDeg(Double rad) const try {
    return Stored((Fp(rad) * 180.0) / kPi);
} catch (...) { rt::RethrowFrom("cGeom.RadToDeg"); }

Boolean cGeom::InLine2D(Double x1, Double y1, Double x2, Double y2, Double x3, Double y3, Double tol) const try {
    const Double dx = rt::AbsDifferenceForComparison(x1, x2);
    if (LessOrUnordered(dx, tol)) {  // vertical within tol: measured along x
        const Double e = rt::AbsDifferenceForComparison(x1, x3);
        return LessOrUnordered(e, tol);
    }
    // Line2D's result is not used: when it gives False the line stays y = 0 * x + 0.
    Double slope = 0.0, intercept = 0.0;
    Line2D(x1, y1, x2, y2, slope, intercept);
    const Double y = Stored(Fp(slope) * x3 + intercept);
    const Double f = rt::AbsDifferenceForComparison(y3, y);  // along y, not perpendicular
    return LessOrUnordered(f, tol);
} catch (...) { rt::RethrowFrom("cGeom.InLine2D"); }

}  // namespace tervanix
