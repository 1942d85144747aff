// cInterp2: table interpolation. A table of X/Y pairs in any order is sorted in
// place and looked up piecewise-linearly, with or without extrapolation; grids of
// two and three independent variables, given in ascending order, are looked up
// bilinearly and trilinearly.
#pragma once

#include <cstdint>

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

namespace batch {
struct TableSteps;
}

// What Interp2D_Extrap does with an X outside the table. Any other value behaves
// as EXTRAP_LINEARLY.
enum BoundaryCondition2 : std::int32_t {
    EXTRAP_NO = 0,          // no result: the lookup returns False
    EXTRAP_LINEARLY = 1,    // along the first or the last interval
    EXTRAP_FIXEDENDPT = 2,  // X is clamped to the first or the last table point
};

class cInterp2 {
public:
    // Bubble sort with early stop, ascending by X, stable for equal X; any bounds.
    // Only the bounds of XValues are read: YValues(i) is the element with subscript i.
    TERVANIX_API void SortXYPairsByX(DoubleArray& XValues, DoubleArray& YValues) const;

    // Both lookups sort the caller's arrays in place first. Y is written only by the
    // last step: after False it keeps its value.
    TERVANIX_API Boolean Interp2D(DoubleArray& XValues, DoubleArray& YValues, const Boolean& bAllowExtrap,
                     const Double& X, Double& Y) const;

    // The grids must arrive strictly ascending; only Z is written, by the last step.
    // ZValues(i, j) is the value at (XValues(i), YValues(j)).
    TERVANIX_API Boolean Interp3D(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                     const Boolean& bAllowExtrap, const Double& X, const Double& Y, Double& Z) const;

    // ZValues(i, j, k) is the value at (WValues(i), XValues(j), YValues(k)).
    TERVANIX_API Boolean Interp4D(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                     const DoubleArray3D& ZValues, const Boolean& bAllowExtrap, const Double& W,
                     const Double& X, const Double& Y, Double& Z) const;

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
    bool IsStrictlyAscending(const DoubleArray& grid, Long n) const;
    bool IsOutside(const DoubleArray& grid, Long n, Double value) const;
    Bracket FindBracket(const DoubleArray& grid, Long n, Double value) const;
    Double Fraction(const Bracket& b, Double value) const;
};

}  // namespace tervanix
