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
    /// The library's pi, 3.14159265358979 (3.1E-15 below the Double nearest to pi):
    /// the only pi that any operation of the class uses.
    ///
    /// @code
    ///   cGeom().PI();   // 3.14159265358979
    /// @endcode
    TERVANIX_API Double PI() const;

    /// The distance between (x1, y1) and (x2, y2).
    ///
    /// @throws LibraryError FloatingPointFault when a difference or the sum of the
    ///         squares lies beyond the Double range (even where its root would not).
    ///
    /// @code
    ///   cGeom().Distance2D(0, 0, 3, 4);   // 5
    /// @endcode
    TERVANIX_API Double Distance2D(Double x1, Double y1, Double x2, Double y2) const;
    /// The distance between (x1, y1, z1) and (x2, y2, z2).
    ///
    /// @throws LibraryError FloatingPointFault as Distance2D.
    ///
    /// @code
    ///   cGeom().Distance3D(1, 2, 3, 3, 5, 9);   // 7
    /// @endcode
    TERVANIX_API Double Distance3D(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2) const;
    /// The line y = m * x + B through (x1, y1) and (x2, y2).
    ///
    /// @param x1, y1  the first point.
    /// @param x2, y2  the second point.
    /// @param[out] m  the slope, (y2 - y1) / (x2 - x1).
    /// @param[out] B  the intercept on the y axis, y1 - m * x1, from the stored m.
    /// @return True when the line has a slope; False when x1 = x2 (a vertical line) or
    ///         the two x values cannot be compared (a NaN): m and B are then left as
    ///         they were.
    /// @throws LibraryError FloatingPointFault when the slope faults (neither output is
    ///         written) or the intercept faults (m holds the new slope, B the faulting value).
    ///
    /// @code
    ///   Double m = 0, B = 0;
    ///   cGeom().Line2D(1, 2, 3, 6, m, B);   // True: m = 2, B = 0
    ///   cGeom().Line2D(1, 2, 1, 6, m, B);   // False: m = 2, B = 0 (unchanged)
    /// @endcode
    TERVANIX_API Boolean Line2D(Double x1, Double y1, Double x2, Double y2, Double& m, Double& B) const;

    /// The vector sum v3 = v1 + v2, component by component.
    ///
    /// @param v1i, v1j, v1k  the first vector's x, y and z components.
    /// @param v2i, v2j, v2k  the second vector's.
    /// @param[out] v3i, v3j, v3k  the sum, written in that order.
    /// @throws LibraryError FloatingPointFault when a component overflows or is
    ///         invalid: the components before it hold their new values, the faulting
    ///         one its infinity or NaN, the later ones are unchanged.
    ///
    /// @code
    ///   Double x, y, z;
    ///   cGeom().VectorAdd(1, 2, 3, 10, 20, 30, x, y, z);   // x = 11, y = 22, z = 33
    /// @endcode
    TERVANIX_API void VectorAdd(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k,
                   Double& v3i, Double& v3j, Double& v3k) const;
    /// The dot product v1 . v2 = v1i * v2i + v1j * v2j + v1k * v2k, summed in that order.
    ///
    /// @throws LibraryError FloatingPointFault when a product or the sum overflows
    ///         or is invalid.
    ///
    /// @code
    ///   cGeom().DotProduct(1, 2, 3, 4, -5, 6);   // 12
    /// @endcode
    TERVANIX_API Double DotProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k) const;
    /// The cross product v3 = v1 x v2, perpendicular to both, by the right-hand rule.
    ///
    /// @param[out] v3i, v3j, v3k  the product, written in that order.
    /// @throws LibraryError FloatingPointFault as VectorAdd.
    ///
    /// @code
    ///   Double x, y, z;
    ///   cGeom().CrossProduct(1, 0, 0, 0, 1, 0, x, y, z);   // x = 0, y = 0, z = 1
    /// @endcode
    TERVANIX_API void CrossProduct(Double v1i, Double v1j, Double v1k, Double v2i, Double v2j, Double v2k,
                      Double& v3i, Double& v3j, Double& v3k) const;
    /// The plane A * x + B * y + c * z + d = 0 through three points. The normal
    /// (A, B, c) is (P2 - P1) x (P3 - P1), up to rounding, not normalised; three
    /// points on one line give coefficients that are 0 up to rounding.
    ///
    /// @param x1, y1, z1  the first point; x2 ... z2 and x3 ... z3 the others.
    /// @param[out] A, B, c, d  the plane's coefficients, written in that order.
    /// @throws LibraryError FloatingPointFault as VectorAdd.
    ///
    /// @code
    ///   Double A, B, c, d;
    ///   cGeom().PlaneCoeffsFrom3Pts(1, 0, 0, 0, 1, 0, 0, 0, 1, A, B, c, d);  // A = 1, B = 1, c = 1, d = -1
    /// @endcode
    TERVANIX_API void PlaneCoeffsFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2,
                             Double x3, Double y3, Double z3, Double& A, Double& B, Double& c,
                             Double& d) const;
    /// The normal (A, B, c) of the plane through three points, as PlaneCoeffsFrom3Pts
    /// gives it (d is computed and dropped, so a fault in d still raises).
    ///
    /// @param[out] A, B, c  the normal's x, y and z components.
    /// @throws LibraryError FloatingPointFault as PlaneCoeffsFrom3Pts.
    ///
    /// @code
    ///   Double A, B, c;
    ///   cGeom().SurfNormFrom3Pts(0, 0, 0, 1, 0, 0, 0, 1, 0, A, B, c);   // A = 0, B = 0, c = 1
    /// @endcode
    TERVANIX_API void SurfNormFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2,
                          Double x3, Double y3, Double z3, Double& A, Double& B, Double& c) const;
    /// The line where two planes a * x + b * y + c * z + d = 0 meet: a point on it and
    /// its direction.
    ///
    /// @param a1, b1, c1, d1  the first plane; a2 ... d2 the second.
    /// @param[out] v3i, v3j, v3k  the point of the line nearest the origin, written first.
    /// @param[out] v4i, v4j, v4k  the direction, (a1, b1, c1) x (a2, b2, c2), not
    ///        normalised, written after the point.
    /// @return True; False, with no output written, when the planes are parallel
    ///         (every direction component is 0 or a NaN).
    /// @throws LibraryError FloatingPointFault when a step faults; for nearly parallel
    ///         planes that can happen before any output is written.
    ///
    /// @code
    ///   Double px, py, pz, dx, dy, dz;
    ///   cGeom().Intersect2Planes(0, 0, 1, 0, 1, 0, 0, -1,   // the planes z = 0 and x = 1
    ///                            px, py, pz, dx, dy, dz);   // True: px = 1, py = 0, pz = 0, dx = 0, dy = 1, dz = 0
    /// @endcode
    TERVANIX_API Boolean Intersect2Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2,
                             Double c2, Double d2, Double& v3i, Double& v3j, Double& v3k,
                             Double& v4i, Double& v4j, Double& v4k) const;
    /// The one point where three planes a * x + b * y + c * z + d = 0 meet.
    ///
    /// @param a1, b1, c1, d1  the first plane; a2 ... d2 and a3 ... d3 the others.
    /// @param[out] X, Y, Z  the point, written in that order.
    /// @return True; False, with no output written, when the planes share no single
    ///         point: the triple product of the normals is exactly 0 (no tolerance).
    /// @throws LibraryError FloatingPointFault when a step faults; outputs as VectorAdd.
    ///
    /// @code
    ///   Double X, Y, Z;
    ///   cGeom().Intersect3Planes(1, 0, 0, -1, 0, 1, 0, -2, 0, 0, 1, -3, X, Y, Z);  // True: X = 1, Y = 2, Z = 3
    ///   cGeom().Intersect3Planes(1, 0, 0, -1, 2, 0, 0, -2, 0, 0, 1, -3, X, Y, Z);  // False: X = 1
    /// @endcode
    TERVANIX_API Boolean Intersect3Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2,
                             Double c2, Double d2, Double a3, Double b3, Double c3, Double d3,
                             Double& X, Double& Y, Double& Z) const;

    /// The polar coordinates of (X, Y): the distance r from the origin and the angle
    /// theta in degrees, counter-clockwise from the positive x axis, from 0 to 360.
    /// Points on the axes give exact angles; the others go through the library's pi.
    ///
    /// @param[out] r  the distance, written first.
    /// @param[out] theta  the angle in degrees; unchanged when X or Y is a NaN.
    /// @throws LibraryError FloatingPointFault when the sum of squares overflows
    ///         (neither output written) or Y / X does (r written, theta not).
    ///
    /// @code
    ///   Double r, theta;
    ///   cGeom().CartToPolar(0, -2, r, theta);   // r = 2, theta = 270
    ///   cGeom().CartToPolar(1, 1, r, theta);    // theta = 45.00000000000004
    /// @endcode
    TERVANIX_API void CartToPolar(Double X, Double Y, Double& r, Double& theta) const;
    /// The Cartesian point at distance r and angle theta (degrees, counter-clockwise
    /// from the positive x axis). Exact at 0, 90, 180 and 270 (a NaN or -0 angle
    /// counts as 0); other angles go through the library's pi and cos, sin.
    ///
    /// @param[out] X, Y  the point, written in that order.
    /// @throws LibraryError FloatingPointFault when a step faults; X keeps its new
    ///         value when Y faults.
    ///
    /// @code
    ///   Double X, Y;
    ///   cGeom().PolarToCart(2, 90, X, Y);   // X = 0, Y = 2
    ///   cGeom().PolarToCart(2, 60, X, Y);   // X = 1.0000000000000018, Y = 1.7320508075688763
    /// @endcode
    TERVANIX_API void PolarToCart(Double r, Double theta, Double& X, Double& Y) const;
    /// deg degrees in radians: (deg * PI()) / 180.
    ///
    /// @throws LibraryError FloatingPointFault when deg * PI() overflows.
    ///
    /// @code
    ///   cGeom().DegToRad(180);   // 3.14159265358979
    /// @endcode
    TERVANIX_API Double DegToRad(Double deg) const;
    /// rad radians in degrees: (rad * 180) / PI().
    ///
    /// @throws LibraryError FloatingPointFault when rad * 180 overflows.
    ///
    /// @code
    ///   cGeom().RadToDeg(cGeom().PI());   // 180
    ///   cGeom().RadToDeg(1);              // 57.29577951308238
    /// @endcode
    TERVANIX_API Double RadToDeg(Double rad) const;
    /// Whether (x3, y3) lies within tol of the line through (x1, y1) and (x2, y2),
    /// measured along y (not perpendicular to the line); a line whose x values differ by
    /// less than tol counts as vertical at x = x1, and the distance is then measured along x.
    /// Every comparison with tol is strict, so tol <= 0 gives False for every point
    /// without a NaN; a NaN difference or tol gives True.
    ///
    /// @throws LibraryError OverflowError when a difference lies beyond the Double range;
    ///         FloatingPointFault when the slope or the line's y at x3 faults.
    ///
    /// @code
    ///   cGeom().InLine2D(0, 0, 1, 1, 2, 2, 0.001);    // True
    ///   cGeom().InLine2D(5, 0, 5, 10, 6, 3, 0.01);    // False: 1 away from the vertical line
    /// @endcode
    TERVANIX_API Boolean InLine2D(Double x1, Double y1, Double x2, Double y2, Double x3, Double y3, Double tol) const;

private:
    void SetPolarAngle(Double X, Double Y, Double& theta) const;
    Double QuadrantAngle(Double X, Double Y) const;
    void WriteLinePoint(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2,
                        Double d2, Double& v3i, Double& v3j, Double& v3k) const;
};

}  // namespace tervanix
