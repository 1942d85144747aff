// cInterp2: table interpolation. A table of X/Y pairs in any order is sorted in
// place and looked up piecewise-linearly, with or without extrapolation; grids of
// two and three independent variables, given in ascending order, are looked up
// bilinearly and trilinearly.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

namespace batch {
struct TableSteps;
}

/// What Interp2D_Extrap does with an X outside the table. Any other value behaves
/// as EXTRAP_LINEARLY.
enum BoundaryCondition2 : std::int32_t {
    EXTRAP_NO = 0,          // no result: the lookup returns False
    EXTRAP_LINEARLY = 1,    // along the first or the last interval
    EXTRAP_FIXEDENDPT = 2,  // X is clamped to the first or the last table point
};

/// The member's name as written in the enumeration; "UnknownBoundaryCondition2" for
/// any other value.
///
/// @code
///   ToString(EXTRAP_NO);   // "EXTRAP_NO"
/// @endcode
TERVANIX_API const char* ToString(BoundaryCondition2 condition) noexcept;

/// Writes the member's name, or the number of a value outside the enumeration.
///
/// @code
///   std::ostringstream text;
///   text << EXTRAP_LINEARLY;
///   std::string written = text.str();   // "EXTRAP_LINEARLY"
/// @endcode
TERVANIX_API std::ostream& operator<<(std::ostream& os, BoundaryCondition2 condition);

class cInterp2 {
public:
    /// Sorts X/Y pairs in place, ascending by X: a bubble sort that stops after a
    /// pass without an exchange and makes each exchange in YValues too. Stable; a NaN
    /// X is never exchanged.
    ///
    /// @param XValues  the X values, any bounds; only its bounds are read.
    /// @param YValues  the Y values: YValues(i) belongs to XValues(i).
    /// @throws LibraryError SubscriptOutOfRange for an XValues without bounds or
    ///         elements, or a YValues that lacks one of X's subscripts (the X exchange
    ///         of that step is already made).
    ///
    /// @code
    ///   DoubleArray x(0, {3.0, 1.0, 2.0}), y(0, {30.0, 10.0, 20.0});
    ///   cInterp2().SortXYPairsByX(x, y);   // x(0) = 1, y(0) = 10, y(2) = 30
    /// @endcode
    TERVANIX_API void SortXYPairsByX(DoubleArray& XValues, DoubleArray& YValues) const;

    /// One value from a table of X/Y pairs, in any order: sorts the pairs in place
    /// (SortXYPairsByX) and interpolates linearly between the two X values around X;
    /// beyond the ends, extrapolates along the first or the last interval when allowed.
    ///
    /// @param XValues, YValues  the table, both with bounds 1 to n, n >= 2, no two X
    ///        values equal. Once the bounds qualify, they are sorted and stay so
    ///        whatever the result.
    /// @param bAllowExtrap  whether an X beyond the ends gets a value.
    /// @param X  the X whose Y is wanted; read after the sort.
    /// @param[out] Y  the value, written only on True.
    /// @return True; False, with Y unchanged, when the bounds do not qualify, two X
    ///         values are equal, or X lies beyond the ends and bAllowExtrap is False.
    /// @throws LibraryError SubscriptOutOfRange for an array without bounds;
    ///         FloatingPointFault when the formula faults (Y then holds the faulting value).
    ///
    /// NaN is not refused, in the table or as X: every comparison with it is false,
    /// so a NaN X value is never out of order or equal to its neighbour, and a NaN
    /// target counts as inside and takes the first interval. The formula then carries
    /// the NaN: True with a NaN Y. With X = (1, NaN, 3), the targets 0.5, 1.5, 2.5 and
    /// 3.5 all give True and NaN; a NaN in YValues gives NaN wherever its interval
    /// is used. Check a table for NaN first when a NaN result would go unseen.
    ///
    /// @code
    ///   DoubleArray x(1, {3.0, 1.0, 2.0}), y(1, {30.0, 10.0, 20.0});
    ///   Double v = 0;
    ///   cInterp2().Interp2D(x, y, true, 1.5, v);    // True: v = 15, x(1) = 1
    ///   cInterp2().Interp2D(x, y, false, 4, v);     // False: v = 15
    /// @endcode
    TERVANIX_API Boolean Interp2D(DoubleArray& XValues, DoubleArray& YValues, const Boolean& bAllowExtrap,
                     const Double& X, Double& Y) const;

    /// A value from a grid of Z over X and Y, by bilinear interpolation: along X,
    /// then along Y, in the grid cell around (X, Y); beyond the grid, along the edge
    /// cell when allowed. Nothing is sorted.
    ///
    /// @param XValues, YValues  the grid lines, bounds 1 to nx and 1 to ny (each
    ///        2 or more), strictly ascending.
    /// @param ZValues  ZValues(i, j) is the value at (XValues(i), YValues(j)); bounds
    ///        1 to nx and 1 to ny.
    /// @param bAllowExtrap  whether a point beyond the grid gets a value.
    /// @param X, Y  the point whose Z is wanted.
    /// @param[out] Z  the value, written only by the last step.
    /// @return True; False, with Z unchanged, when the bounds do not fit, a grid is
    ///         not strictly ascending, or the point lies beyond the grid and
    ///         bAllowExtrap is False.
    /// @throws LibraryError SubscriptOutOfRange for an array without bounds;
    ///         FloatingPointFault when a step faults (Z holds the faulting value only
    ///         when the last step faults).
    ///
    /// NaN is not refused: a NaN grid line never fails the order check, and a NaN
    /// coordinate counts as inside. A point whose cell has a NaN corner in ZValues
    /// or a NaN grid line gives True with a NaN Z (XValues = (1, NaN, 3): True and
    /// NaN at X = 1.5, 2 and 2.5; False at 0.5 and 3.5 without extrapolation).
    ///
    /// @code
    ///   DoubleArray x(1, {1.0, 2.0}), y(1, {10.0, 20.0});
    ///   DoubleArray2D z(1, 2, 1, 2);
    ///   z(2, 1) = 1; z(1, 2) = 10; z(2, 2) = 11;
    ///   Double v = 0;
    ///   cInterp2().Interp3D(x, y, z, false, 1.5, 15, v);   // True: v = 5.5
    /// @endcode
    TERVANIX_API Boolean Interp3D(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                     const Boolean& bAllowExtrap, const Double& X, const Double& Y, Double& Z) const;

    /// A value from a grid of Z over W, X and Y, by trilinear interpolation: along X,
    /// then Y, then W; beyond the grid, along the edge cell when allowed.
    ///
    /// @param WValues, XValues, YValues  the grid lines, bounds from 1 (each 2 or
    ///        more values), strictly ascending.
    /// @param ZValues  ZValues(i, j, k) is the value at (WValues(i), XValues(j),
    ///        YValues(k)); bounds 1 to the three counts.
    /// @param bAllowExtrap  whether a point beyond the grid gets a value.
    /// @param W, X, Y  the point whose Z is wanted.
    /// @param[out] Z  the value, written only by the last step.
    /// @return True; False, with Z unchanged, as for Interp3D.
    /// @throws LibraryError as Interp3D.
    ///
    /// @code
    ///   DoubleArray g(1, {0.0, 1.0});
    ///   DoubleArray3D z(1, 2, 1, 2, 1, 2);
    ///   z(2, 2, 2) = 8;
    ///   Double v = 0;
    ///   cInterp2().Interp4D(g, g, g, z, false, 0.5, 0.5, 0.5, v);   // True: v = 1
    /// @endcode
    TERVANIX_API Boolean Interp4D(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                     const DoubleArray3D& ZValues, const Boolean& bAllowExtrap, const Double& W,
                     const Double& X, const Double& Y, Double& Z) const;

    /// As Interp2D, with a choice of what happens beyond the table's ends.
    ///
    /// @param ExtrapMethod  EXTRAP_NO gives False; EXTRAP_LINEARLY (and any value
    ///        outside the enumeration) extends the first or the last interval;
    ///        EXTRAP_FIXEDENDPT takes X as the nearer end X and evaluates there.
    /// @param X  the X whose Y is wanted (a copy: the caller's value never changes).
    /// @param[out] Y  the value, written only on True.
    /// @return True; False, with Y unchanged, as Interp2D.
    /// @throws LibraryError as Interp2D.
    ///
    /// @code
    ///   DoubleArray x(1, {1.0, 2.0}), y(1, {10.0, 20.0});
    ///   Double v = 0;
    ///   cInterp2().Interp2D_Extrap(x, y, EXTRAP_LINEARLY, 5, v);     // True: v = 50
    ///   cInterp2().Interp2D_Extrap(x, y, EXTRAP_FIXEDENDPT, 5, v);   // True: v = 20
    ///   cInterp2().Interp2D_Extrap(x, y, EXTRAP_NO, 5, v);           // False: v = 20
    /// @endcode
    TERVANIX_API Boolean Interp2D_Extrap(DoubleArray& XValues, DoubleArray& YValues, BoundaryCondition2 ExtrapMethod,
                            Double X, Double& Y) const;

private:
    // The batch lookups (Batch.h) share the private steps of the single lookups.
    friend struct batch::TableSteps;

    // The two neighbouring subscripts of a grid that bracket a coordinate, and the
    // grid's values there.
    struct Bracket {
        Long lower;
        Long upper;
        Double low;
        Double high;
    };

    bool MakeSortPass(DoubleArray& XValues, DoubleArray& YValues, Long lb, Long limit) const;
    void ExchangeElements(DoubleArray& values, Long i, Long j) const;

    bool HasPairTableBounds(const DoubleArray& XValues, const DoubleArray& YValues) const;
    bool HasDistinctX(const DoubleArray& XValues, Long n) const;
    bool PreparePairTable(DoubleArray& XValues, DoubleArray& YValues, Long& n) const;
    void AssignInterpolated(const DoubleArray& XValues, const DoubleArray& YValues, Long n, Double X,
                            Double& Y) const;
    void AssignOnInterval(const DoubleArray& YValues, const Bracket& b, Double X, Double& Y) const;

    bool HasGridBounds(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues) const;
    bool HasGridBounds(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                       const DoubleArray3D& ZValues) const;
    bool IsUsableGrid(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues) const;
    bool IsUsableGrid(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                      const DoubleArray3D& ZValues) const;
    void AssignBilinear(const DoubleArray2D& ZValues, const Bracket& x, const Bracket& y, Double X, Double Y,
                        Double& Z) const;
    void AssignTrilinear(const DoubleArray3D& ZValues, const Bracket& w, const Bracket& x, const Bracket& y,
                         Double W, Double X, Double Y, Double& Z) const;
    TERVANIX_COLD_NOINLINE void AssignTrilinearStepByStep(const DoubleArray3D& ZValues, const Bracket& w,
                                                          const Bracket& x, const Bracket& y, Double W, Double X,
                                                          Double Y, Double& Z) const;
    // Always inline, as the next one: clang's flatten (Interp4D) inlines only the calls
    // Interp4D itself makes, and these would stay calls in its path to True.
    TERVANIX_ALWAYS_INLINE void AssignTrilinearOfFractions(const DoubleArray3D& ZValues, const Bracket& w,
                                                           const Bracket& x, const Bracket& y, Double tw, Double tx,
                                                           Double ty, Double& Z) const;
    TERVANIX_ALWAYS_INLINE bool IsStrictlyAscending(const DoubleArray& grid, Long n) const;
    bool IsOutside(const DoubleArray& grid, Long n, Double value) const;
    Bracket FindBracket(const DoubleArray& grid, Long n, Double value) const;
    Double Fraction(const Bracket& b, Double value) const;

    // The False paths (cInterp2Reasons.cpp): each asks the checks again to find
    // which rule said no, records it and gives False. They take only what the method
    // has at hand, so that its path to True loads nothing more. `where` is the
    // method the caller called.
    TERVANIX_COLD_NOINLINE bool RefusePairTable(const char* where, const DoubleArray& XValues,
                                                   const DoubleArray& YValues) const;
    TERVANIX_COLD_NOINLINE bool RefuseInterp2D(const DoubleArray& XValues, const DoubleArray& YValues,
                                               Double X) const;
    TERVANIX_COLD_NOINLINE bool RefuseInterp2DExtrap(const DoubleArray& XValues, const DoubleArray& YValues,
                                                     Double X) const;
    TERVANIX_COLD_NOINLINE bool RefuseInterp3D(const DoubleArray& XValues, const DoubleArray& YValues,
                                               const DoubleArray2D& ZValues, Double X, Double Y) const;
    TERVANIX_COLD_NOINLINE bool RefuseInterp4D(const DoubleArray& WValues, const DoubleArray& XValues,
                                               const DoubleArray& YValues, const DoubleArray3D& ZValues, Double W,
                                               Double X, Double Y) const;
    TERVANIX_COLD_NOINLINE bool RefuseGrid(const char* where, const DoubleArray& XValues,
                                              const DoubleArray& YValues, const DoubleArray2D& ZValues) const;
    TERVANIX_COLD_NOINLINE bool RefuseGrid(const char* where, const DoubleArray& WValues,
                                              const DoubleArray& XValues, const DoubleArray& YValues,
                                              const DoubleArray3D& ZValues) const;
    // `target` (named `grid` along its axis) lies beyond values(1) to values(n);
    // `refusal` says which argument forbids extrapolation.
    TERVANIX_COLD_NOINLINE bool RefuseOutside(const char* where, const char* target, Double value,
                                                 const char* grid, const DoubleArray& values, Long n,
                                                 const char* refusal) const;
};

}  // namespace tervanix
