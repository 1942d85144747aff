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
    // The shared instance, for calls without an object of one's own. The class has
    // no fields, so every instance, this one included, behaves identically.
    TERVANIX_API static const CInterpolation& Default();

    TERVANIX_API Boolean BoundedBy(Double dCheckVal, Double dLowerBound, Double dUpperBound) const;
    TERVANIX_API Double LinearInterpolation1Way(Double dXIdx1, Double dXIdx2, Double dXFraction) const;
    TERVANIX_API Double LinearInterpolation2Way(Double dXIdx11, Double dXIdx12, Double dXIdx21, Double dXIdx22,
                                   Double dXFraction, Double dYFraction) const;
    TERVANIX_API Double LinearInterpolation3Way(Double dXIdx111, Double dXIdx121, Double dXIdx211, Double dXIdx221,
                                   Double dXIdx112, Double dXIdx122, Double dXIdx212, Double dXIdx222,
                                   Double dXFraction, Double dYFraction, Double dZFraction) const;
    TERVANIX_API Double LinearInterpolation4Way(Double dX1111, Double dX1211, Double dX2111, Double dX2211,
                                   Double dX1121, Double dX1221, Double dX2121, Double dX2221,
                                   Double dX1112, Double dX1212, Double dX2112, Double dX2212,
                                   Double dX1122, Double dX1222, Double dX2122, Double dX2222,
                                   Double dXFraction, Double dYFraction, Double dZFraction,
                                   Double dAFraction) const;
    TERVANIX_API Boolean InterpolationRatio(Double dIndex1, Double dIndex2, Double dValue, Double& dInterpFrac) const;
    TERVANIX_API Boolean LinearExtrapolation1Way(Double dX1, Double dY1, Double dX2, Double dY2, Double dX3,
                                    Double& dY3) const;
    TERVANIX_API Boolean LinearExtrapolation2Way(Double dX11, Double dY11, Double dX12, Double dY12, Double dZ1,
                                    Double dX21, Double dY21, Double dX22, Double dY22, Double dZ2,
                                    Double dX3, Double dZ3, Double& dY3) const;
    TERVANIX_API Boolean InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray,
                                   BoundaryCondition eExtrapolationType, Double& dYResult) const;
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
    rt::Fp FractionFrom(Double dXTarget, Double dX1, Double dX2) const;
    Integer ScanDown(Double dXTarget, const DoubleArray& dXArray, Integer lo, Integer hi) const;
    // The scan of the table from the top down: the highest position whose X is at
    // most the target and the fraction beyond it, or, with False, the marker -9999
    // (below the first X) or 9999 (above the last X).
    Boolean FindBracketIndex(Double dXTarget, const DoubleArray& dXArray, Integer& nIndex,
                             Double& dFraction) const;
};

}  // namespace tervanix
