// CInterpolation: linear interpolation in one to four ways, the interpolation ratio,
// straight-line extrapolation along one or two curves, and lookup in a
// one-dimensional table of X/Y values.
#pragma once

#include "Tervanix/BoundaryCondition.h"
#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

namespace rt {
class Fp;
}
namespace batch {
struct TableSteps;
}

class CInterpolation {
public:
    /// The shared instance, for calls without an object of one's own. The class has
    /// no fields, so every instance, this one included, behaves identically.
    ///
    /// @code
    ///   CInterpolation::Default().LinearInterpolation1Way(10, 20, 0.25);  // 12.5
    /// @endcode
    TERVANIX_API static const CInterpolation& Default();

    /// Whether dCheckVal lies between the two bounds, both included; the bounds may
    /// come in either order. False when any of the three is a NaN. Never raises.
    ///
    /// @code
    ///   CInterpolation().BoundedBy(5, 10, 0);    // True
    ///   CInterpolation().BoundedBy(10, 0, 10);   // True
    ///   CInterpolation().BoundedBy(11, 0, 10);   // False
    /// @endcode
    TERVANIX_API Boolean BoundedBy(Double dCheckVal, Double dLowerBound, Double dUpperBound) const;
    /// The value a fraction dXFraction of the way from dXIdx1 to dXIdx2:
    /// (dXIdx2 - dXIdx1) * dXFraction + dXIdx1. A fraction outside 0 to 1 extrapolates.
    ///
    /// @param dXIdx1, dXIdx2  the values at the two ends (fraction 0 and fraction 1).
    /// @param dXFraction  where between them: 0 gives dXIdx1, 0.5 the middle.
    /// @throws LibraryError FloatingPointFault when a step overflows or is invalid.
    ///
    /// @code
    ///   CInterpolation().LinearInterpolation1Way(10, 20, 0.25);  // 12.5
    ///   CInterpolation().LinearInterpolation1Way(10, 20, 1.5);   // 25
    /// @endcode
    TERVANIX_API Double LinearInterpolation1Way(Double dXIdx1, Double dXIdx2, Double dXFraction) const;
    /// Bilinear interpolation between the four corners of a rectangle: along X first
    /// (between dXIdx11 and dXIdx21, and between dXIdx12 and dXIdx22), then along Y,
    /// each step a LinearInterpolation1Way.
    ///
    /// @param dXIdx11, dXIdx12, dXIdx21, dXIdx22  the corner values; the digits give
    ///        the corner, first in X, then in Y (dXIdx21: second X, first Y).
    /// @param dXFraction, dYFraction  the fractions along X and along Y.
    /// @throws LibraryError FloatingPointFault as LinearInterpolation1Way.
    ///
    /// @code
    ///   CInterpolation().LinearInterpolation2Way(0, 100, 10, 110, 0.5, 0.5);  // 55
    /// @endcode
    TERVANIX_API Double LinearInterpolation2Way(Double dXIdx11, Double dXIdx12, Double dXIdx21, Double dXIdx22,
                                   Double dXFraction, Double dYFraction) const;
    /// Trilinear interpolation between the eight corners of a box: the rectangle at
    /// the first Z (corners ending in 1) and at the second Z (ending in 2) with
    /// LinearInterpolation2Way, then between the two along Z.
    ///
    /// @param dXIdx111 ... dXIdx222  the corner values; the digits give the corner in
    ///        X, Y and Z.
    /// @param dXFraction, dYFraction, dZFraction  the fractions along X, Y and Z.
    /// @throws LibraryError FloatingPointFault as LinearInterpolation1Way.
    ///
    /// @code
    ///   CInterpolation().LinearInterpolation3Way(0, 0, 0, 0, 8, 8, 8, 8, 0.5, 0.5, 0.25);  // 2
    /// @endcode
    TERVANIX_API Double LinearInterpolation3Way(Double dXIdx111, Double dXIdx121, Double dXIdx211, Double dXIdx221,
                                   Double dXIdx112, Double dXIdx122, Double dXIdx212, Double dXIdx222,
                                   Double dXFraction, Double dYFraction, Double dZFraction) const;
    /// Interpolation in four ways between the sixteen corners of a four-dimensional
    /// box: the box at the first A (corners ending in 1) and at the second A (ending
    /// in 2) with LinearInterpolation3Way, then between the two along A.
    ///
    /// @param dX1111 ... dX2222  the corner values; the digits give the corner in X,
    ///        Y, Z and A.
    /// @param dXFraction, dYFraction, dZFraction, dAFraction  the fractions along X,
    ///        Y, Z and A.
    /// @throws LibraryError FloatingPointFault as LinearInterpolation1Way.
    ///
    /// @code
    ///   CInterpolation().LinearInterpolation4Way(1, 1, 1, 1, 1, 1, 1, 1,
    ///       3, 3, 3, 3, 3, 3, 3, 3, 0.5, 0.5, 0.5, 0.5);  // 2
    /// @endcode
    TERVANIX_API Double LinearInterpolation4Way(Double dX1111, Double dX1211, Double dX2111, Double dX2211,
                                   Double dX1121, Double dX1221, Double dX2121, Double dX2221,
                                   Double dX1112, Double dX1212, Double dX2112, Double dX2212,
                                   Double dX1122, Double dX1222, Double dX2122, Double dX2222,
                                   Double dXFraction, Double dYFraction, Double dZFraction,
                                   Double dAFraction) const;
    /// The fraction of the way from dIndex1 to dIndex2 at which dValue lies:
    /// (dValue - dIndex1) / (dIndex2 - dIndex1), the inverse of LinearInterpolation1Way.
    ///
    /// @param dIndex1, dIndex2  the two ends, in either order.
    /// @param dValue  a value between them, ends included.
    /// @param[out] dInterpFrac  the fraction, from 0 at dIndex1 to 1 at dIndex2.
    /// @return True; False when dValue lies outside the ends (dInterpFrac is then set
    ///         to 0) or when the ends are equal (dInterpFrac unchanged).
    /// @throws LibraryError FloatingPointFault when the quotient faults; dInterpFrac
    ///         then holds the faulting value.
    ///
    /// @code
    ///   Double f = -1;
    ///   CInterpolation().InterpolationRatio(10, 20, 12.5, f);  // True: f = 0.25
    ///   CInterpolation().InterpolationRatio(10, 20, 25, f);    // False: f = 0
    /// @endcode
    TERVANIX_API Boolean InterpolationRatio(Double dIndex1, Double dIndex2, Double dValue, Double& dInterpFrac) const;
    /// The y at dX3 on the straight line through (dX1, dY1) and (dX2, dY2), whether
    /// dX3 lies between the points or beyond them.
    ///
    /// @param[out] dY3  the y at dX3.
    /// @return True; False when dX1 = dX2 (a vertical line): dY3 unchanged.
    /// @throws LibraryError FloatingPointFault when the slope or the intercept faults
    ///         (dY3 unchanged) or the final value does (dY3 holds it).
    ///
    /// @code
    ///   Double y = 0;
    ///   CInterpolation().LinearExtrapolation1Way(0, 0, 1, 2, 3, y);  // True: y = 6
    ///   CInterpolation().LinearExtrapolation1Way(1, 0, 1, 2, 3, y);  // False: y = 6
    /// @endcode
    TERVANIX_API Boolean LinearExtrapolation1Way(Double dX1, Double dY1, Double dX2, Double dY2, Double dX3,
                                    Double& dY3) const;
    /// The y at (dX3, dZ3) from two curves, each a straight line in X/Y known at one
    /// Z: y is extrapolated along each line to dX3, then interpolated between the
    /// two lines at the fraction that dZ3 lies from dZ1 to dZ2.
    ///
    /// @param dX11, dY11, dX12, dY12  two points of the first line, the curve at dZ1.
    /// @param dX21, dY21, dX22, dY22  two points of the second line, the curve at dZ2.
    /// @param dX3, dZ3  where y is wanted; dZ3 must lie between dZ1 and dZ2 (ends included).
    /// @param[out] dY3  the y found, written only on True.
    /// @return True; False when a line is vertical, dZ3 lies outside dZ1 to dZ2, or
    ///         dZ1 = dZ2: dY3 unchanged.
    /// @throws LibraryError FloatingPointFault when a step faults; dY3 unchanged.
    ///
    /// @code
    ///   Double y = 0;
    ///   CInterpolation().LinearExtrapolation2Way(0, 0, 1, 1, 0, 0, 0, 1, 3, 10, 2, 5, y);  // True: y = 4
    ///   CInterpolation().LinearExtrapolation2Way(0, 0, 1, 1, 0, 0, 0, 1, 3, 10, 2, 11, y); // False: y = 4
    /// @endcode
    TERVANIX_API Boolean LinearExtrapolation2Way(Double dX11, Double dY11, Double dX12, Double dY12, Double dZ1,
                                    Double dX21, Double dY21, Double dX22, Double dY22, Double dZ2,
                                    Double dX3, Double dZ3, Double& dY3) const;
    /// One value from a table of X/Y pairs: sorts the pairs in place, ascending by X
    /// (the caller's arrays stay sorted), finds the interval of dXTarget and
    /// interpolates linearly; beyond the table's ends eExtrapolationType decides.
    ///
    /// @param dXTarget  the X whose Y is wanted.
    /// @param dXArray, dYArray  the table: dYArray(i) is the Y of dXArray(i), with the
    ///        bounds of dXArray (any, within -32768 to 32767).
    /// @param eExtrapolationType  beyond the ends: NO_EXTRAPOLATION gives False,
    ///        EXTRAPOLATE_LINEARLY follows the end interval, EXTRAPOLATE_FIXEDENDPT
    ///        gives the Y of the nearer end; any other value gives True and leaves
    ///        dYResult unchanged.
    /// @param[out] dYResult  the Y at dXTarget.
    /// @return True; False, with dYResult unchanged, for a target beyond the ends with
    ///         NO_EXTRAPOLATION, two equal X values at the end used for extrapolating,
    ///         or a NaN target with NO_EXTRAPOLATION (FalseReason::NotANumber).
    /// @throws LibraryError OverflowError for bounds outside -32768 to 32767 (before
    ///         the sort); SubscriptOutOfRange for an array without bounds or without
    ///         elements, a dYArray that lacks a subscript of dXArray, or a NaN target
    ///         with any other eExtrapolationType; FloatingPointFault from the
    ///         arithmetic. The arrays keep the order the sort had reached.
    ///
    /// A NaN in the table is not refused: every comparison with it is false, so the
    /// sort leaves it where it is and the scan passes it. A target whose interval (or
    /// end interval) holds a NaN X or Y gives True with a NaN dYResult: with X = (1,
    /// NaN, 3), targets 0.5, 1.5, 2.5 and 3.5 all give True and NaN. A NaN as the
    /// first X leaves targets below the last X no position: SubscriptOutOfRange.
    /// Check a table for NaN before looking it up when a NaN result would go unseen.
    ///
    /// @code
    ///   DoubleArray x(1, {3.0, 1.0, 2.0}), y(1, {30.0, 10.0, 20.0});
    ///   Double v = 0;
    ///   CInterpolation().InterpolationOf1DArray(1.5, x, y, EXTRAPOLATE_LINEARLY, v);    // True: v = 15, x(1) = 1
    ///   CInterpolation().InterpolationOf1DArray(4, x, y, EXTRAPOLATE_FIXEDENDPT, v);    // True: v = 30
    ///   CInterpolation().InterpolationOf1DArray(4, x, y, NO_EXTRAPOLATION, v);          // False: v = 30
    /// @endcode
    TERVANIX_API Boolean InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray,
                                   BoundaryCondition eExtrapolationType, Double& dYResult) const;
    /// Where dXTarget lies in an ascending table of X values: the two subscripts to
    /// interpolate or extrapolate between and the fraction from the first to the
    /// second, so that y = Y(nXIndex1) + dInterpFraction * (Y(nXIndex2) - Y(nXIndex1)).
    ///
    /// @param dXArray  the X values, ascending, with any bounds within -32768 to 32767.
    /// @param eExtrapolationType  NO_EXTRAPOLATION makes a target beyond the ends
    ///        give False; every other value gives the end interval.
    /// @param[out] nXIndex1, nXIndex2  inside the table, the interval k, k + 1 with
    ///        the highest k whose X is at most the target (a target on the last X gets
    ///        the last interval); below it, the first two subscripts, second then
    ///        first; above it, the last two.
    /// @param[out] dInterpFraction  the fraction from nXIndex1 towards nXIndex2;
    ///        beyond the ends it exceeds 1.
    /// @param[out] bExtrapolationNeeded  whether the target lies beyond the ends;
    ///        written first, also when the result is False.
    /// @return True; False for a target beyond the ends with NO_EXTRAPOLATION, or when
    ///         the two X values at that end are equal.
    /// @throws LibraryError OverflowError for bounds outside -32768 to 32767;
    ///         SubscriptOutOfRange for an array without bounds or without elements,
    ///         or a NaN target with an eExtrapolationType other than NO_EXTRAPOLATION
    ///         (which gives False, FalseReason::NotANumber); FloatingPointFault
    ///         when the fraction faults (dInterpFraction then holds it). A NaN among
    ///         the X values makes the comparisons that meet it false, as in
    ///         InterpolationOf1DArray.
    ///
    /// @code
    ///   DoubleArray x(1, {1.0, 2.0, 4.0});
    ///   Integer i1 = 0, i2 = 0;  Double f = 0;  Boolean out = false;
    ///   CInterpolation().InterpolationIndices(3, x, NO_EXTRAPOLATION, i1, i2, f, out);     // True: i1 = 2, i2 = 3, f = 0.5, out = False
    ///   CInterpolation().InterpolationIndices(0, x, EXTRAPOLATE_LINEARLY, i1, i2, f, out); // True: i1 = 2, i2 = 1, f = 2, out = True
    /// @endcode
    TERVANIX_API Boolean InterpolationIndices(Double dXTarget, const DoubleArray& dXArray,
                                 BoundaryCondition eExtrapolationType, Integer& nXIndex1,
                                 Integer& nXIndex2, Double& dInterpFraction,
                                 Boolean& bExtrapolationNeeded) const;

private:
    // The batch lookups (Batch.h) share the private steps of the single lookup.
    friend struct batch::TableSteps;

    void SortTable(DoubleArray& dXArray, DoubleArray& dYArray) const;
    Boolean LookUpSortedTable(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                              BoundaryCondition eExtrapolationType, Double& dYResult) const;
    void AssignTableValue(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                          BoundaryCondition eExtrapolationType, Integer i1, Integer i2, Double f,
                          Boolean outside, Double& dYResult) const;
    Integer ScanDown(Double dXTarget, const DoubleArray& dXArray, Integer lo, Integer hi) const;
    // The scan of the table from the top down: the highest position whose X is at
    // most the target and the fraction beyond it, or, with False, the marker -9999
    // (below the first X) or 9999 (above the last X).
    Boolean FindBracketIndex(Double dXTarget, const DoubleArray& dXArray, Integer& nIndex,
                             Double& dFraction) const;

    // The False paths (CInterpolationReasons.cpp): each records which rule said no
    // and gives False. Those called from a method take only what it has at hand, so
    // that its path to True loads nothing more. `where` is the method the caller
    // called.
    TERVANIX_COLD_NOINLINE bool RefuseRatio(Double dIndex1, Double dIndex2, Double dValue) const;
    TERVANIX_COLD_NOINLINE bool RefuseVertical(Double dX1) const;
    TERVANIX_COLD_NOINLINE bool RefuseTwoWay(Double dX11, Double dX12, Double dZ1, Double dX21, Double dX22,
                                                Double dZ2, Double dZ3) const;
    TERVANIX_COLD_NOINLINE bool RefuseOutsideTable(const char* where, Double dXTarget,
                                                      const DoubleArray& dXArray) const;
    TERVANIX_COLD_NOINLINE bool RefuseEqualEnds(const char* where, const DoubleArray& dXArray, Integer i1,
                                                   Integer i2) const;
    TERVANIX_COLD_NOINLINE bool RefuseDescending(const DoubleArray& dXArray) const;
    TERVANIX_COLD_NOINLINE bool RefuseIndices(Double dXTarget, const DoubleArray& dXArray,
                                              BoundaryCondition eExtrapolationType, Integer i1, Integer i2) const;
    TERVANIX_COLD_NOINLINE bool RefuseFromInterpolationOf1DArray() const;
};

}  // namespace tervanix
