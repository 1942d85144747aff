#include "Tervanix/CInterpolation.h"

#include "Tervanix/CSort.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/Variant.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

using rt::Fp;
using rt::Stored;

namespace {

// FindBracketIndex's positions for a target below the first X and above the last X.
constexpr Integer kBelowTable = -9999;
constexpr Integer kAboveTable = 9999;

// LinearInterpolation1Way's formula, (x2 - x1) * fraction + x1, of the operand
// wrapper F (runtime/Formula.h).
template <typename Op>
auto OneWay(Op F, Double x1, Double x2, Double fraction) {
    return (F(x2) - x1) * fraction + x1;
}

// LinearInterpolation2Way's three steps, each stored: along X at the lower and the
// upper Y, then along Y.
template <typename Op>
Double TwoWay(Op F, Double x11, Double x12, Double x21, Double x22, Double fx, Double fy) {
    const Double a = rt::Stored(OneWay(F, x11, x21, fx));
    const Double b = rt::Stored(OneWay(F, x12, x22, fx));
    return rt::Stored(OneWay(F, a, b, fy));
}

// LinearInterpolation3Way's three steps: the faces at the lower and the upper Z, then
// along Z.
template <typename Op>
Double ThreeWay(Op F, Double x111, Double x121, Double x211, Double x221, Double x112, Double x122, Double x212,
                Double x222, Double fx, Double fy, Double fz) {
    const Double a = TwoWay(F, x111, x121, x211, x221, fx, fy);
    const Double b = TwoWay(F, x112, x122, x212, x222, fx, fy);
    return rt::Stored(OneWay(F, a, b, fz));
}

}  // namespace

const CInterpolation& CInterpolation::Default() {
    static const CInterpolation shared;
    return shared;
}

Boolean CInterpolation::BoundedBy(Double dCheckVal, Double dLowerBound, Double dUpperBound) const {
    if (dLowerBound < dUpperBound) return dCheckVal >= dLowerBound && dCheckVal <= dUpperBound;
    return dCheckVal >= dUpperBound && dCheckVal <= dLowerBound;
}

Double CInterpolation::LinearInterpolation1Way(Double dXIdx1, Double dXIdx2, Double dXFraction) const {
    return rt::StoredFormula([=](auto F) { return OneWay(F, dXIdx1, dXIdx2, dXFraction); });
}

// The nested interpolations are each one formula of LinearInterpolation1Way steps,
// every step a named value in call order (runtime/Formula.h): a step that faults
// leaves every step after it not finite, as each one subtracts and adds its lower
// value and multiplies by its fraction, so the one test on the value finds it, and
// only then are the steps evaluated again, each with its own test.
Double CInterpolation::LinearInterpolation2Way(Double dXIdx11, Double dXIdx12, Double dXIdx21,
                                               Double dXIdx22, Double dXFraction,
                                               Double dYFraction) const {
    return rt::StoredFormula([=](auto F) {
        const Double a = rt::Stored(OneWay(F, dXIdx11, dXIdx21, dXFraction));
        const Double b = rt::Stored(OneWay(F, dXIdx12, dXIdx22, dXFraction));
        return OneWay(F, a, b, dYFraction);
    });
}

Double CInterpolation::LinearInterpolation3Way(Double dXIdx111, Double dXIdx121, Double dXIdx211,
                                               Double dXIdx221, Double dXIdx112, Double dXIdx122,
                                               Double dXIdx212, Double dXIdx222, Double dXFraction,
                                               Double dYFraction, Double dZFraction) const {
    return rt::StoredFormula([=](auto F) {
        const Double a = TwoWay(F, dXIdx111, dXIdx121, dXIdx211, dXIdx221, dXFraction, dYFraction);
        const Double b = TwoWay(F, dXIdx112, dXIdx122, dXIdx212, dXIdx222, dXFraction, dYFraction);
        return OneWay(F, a, b, dZFraction);
    });
}

Double CInterpolation::LinearInterpolation4Way(Double dX1111, Double dX1211, Double dX2111, Double dX2211,
                                               Double dX1121, Double dX1221, Double dX2121, Double dX2221,
                                               Double dX1112, Double dX1212, Double dX2112, Double dX2212,
                                               Double dX1122, Double dX1222, Double dX2122, Double dX2222,
                                               Double dXFraction, Double dYFraction, Double dZFraction,
                                               Double dAFraction) const {
    return rt::StoredFormula([=](auto F) {
        const Double a = ThreeWay(F, dX1111, dX1211, dX2111, dX2211, dX1121, dX1221, dX2121, dX2221, dXFraction,
                                  dYFraction, dZFraction);
        const Double b = ThreeWay(F, dX1112, dX1212, dX2112, dX2212, dX1122, dX1222, dX2122, dX2222, dXFraction,
                                  dYFraction, dZFraction);
        return OneWay(F, a, b, dAFraction);
    });
}

Boolean CInterpolation::InterpolationRatio(Double dIndex1, Double dIndex2, Double dValue,
                                           Double& dInterpFrac) const {
    if (!BoundedBy(dValue, dIndex1, dIndex2)) {
        dInterpFrac = 0.0;
        return false;
    }
    if (dIndex1 == dIndex2) return false;
    rt::Assign(dInterpFrac, (Fp(dValue) - dIndex1) / (Fp(dIndex2) - dIndex1));
    return true;
}

Boolean CInterpolation::LinearExtrapolation1Way(Double dX1, Double dY1, Double dX2, Double dY2, Double dX3,
                                                Double& dY3) const {
    if (dX1 == dX2) return false;
    const Double m = Stored((Fp(dY1) - dY2) / (Fp(dX1) - dX2));
    const Double c = Stored(Fp(dY1) - Fp(m) * dX1);
    rt::Assign(dY3, Fp(m) * dX3 + c);
    return true;
}

Boolean CInterpolation::LinearExtrapolation2Way(Double dX11, Double dY11, Double dX12, Double dY12,
                                                Double dZ1, Double dX21, Double dY21, Double dX22,
                                                Double dY22, Double dZ2, Double dX3, Double dZ3,
                                                Double& dY3) const {
    Double y1 = 0.0, y2 = 0.0, f = 0.0;
    if (!LinearExtrapolation1Way(dX11, dY11, dX12, dY12, dX3, y1)) return false;
    if (!LinearExtrapolation1Way(dX21, dY21, dX22, dY22, dX3, y2)) return false;
    if (!InterpolationRatio(dZ1, dZ2, dZ3, f)) return false;
    dY3 = LinearInterpolation1Way(y1, y2, f);
    return true;
}

Boolean CInterpolation::InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray,
                                               BoundaryCondition eExtrapolationType,
                                               Double& dYResult) const {
    SortTable(dXArray, dYArray);
    return LookUpSortedTable(dXTarget, dXArray, dYArray, eExtrapolationType, dYResult);
}

// The lookup that follows the sort: the positions and the fraction, then the value.
Boolean CInterpolation::LookUpSortedTable(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                                          BoundaryCondition eExtrapolationType, Double& dYResult) const {
    Integer i1 = 0, i2 = 0;
    Double f = 0.0;
    Boolean outside = false;
    if (!InterpolationIndices(dXTarget, dXArray, eExtrapolationType, i1, i2, f, outside)) return false;
    AssignTableValue(dXTarget, dXArray, dYArray, eExtrapolationType, i1, i2, f, outside, dYResult);
    return true;
}

void CInterpolation::SortTable(DoubleArray& dXArray, DoubleArray& dYArray) const {
    // The table's positions are Integers: bounds beyond them end the call before the sort.
    rt::ToInteger(dXArray.LBound());
    rt::ToInteger(dXArray.UBound());
    const CSort sorter;  // it holds nothing: made in place, let go on return or when the sort fails
    Variant vXData = Variant::RefTo(dXArray);
    Variant vYData = Variant::RefTo(dYArray);
    sorter.BubbleSortXYPairsByX(vXData, vYData);
}

// The value at the positions InterpolationIndices found: the fraction form inside the
// table, the end point or the slope-and-intercept form beyond it.
void CInterpolation::AssignTableValue(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                                      BoundaryCondition eExtrapolationType, Integer i1, Integer i2, Double f,
                                      Boolean outside, Double& dYResult) const {
    if (outside) {
        // A value outside the enumeration computes nothing here and still succeeds.
        if (eExtrapolationType == EXTRAPOLATE_FIXEDENDPT) dYResult = dYArray(i2);
        if (eExtrapolationType == EXTRAPOLATE_LINEARLY) {
            LinearExtrapolation1Way(dXArray(i1), dYArray(i1), dXArray(i2), dYArray(i2), dXTarget, dYResult);
        }
        return;
    }
    dYResult = LinearInterpolation1Way(dYArray(i1), dYArray(i2), f);
}

// (target - X1) / (X2 - X1): the fraction of the way from the first table point to
// the second, inside the table and along an end interval alike.
Fp CInterpolation::FractionFrom(Double dXTarget, Double dX1, Double dX2) const {
    return (Fp(dXTarget) - dX1) / (Fp(dX2) - dX1);
}

Boolean CInterpolation::InterpolationIndices(Double dXTarget, const DoubleArray& dXArray,
                                             BoundaryCondition eExtrapolationType, Integer& nXIndex1,
                                             Integer& nXIndex2, Double& dInterpFraction,
                                             Boolean& bExtrapolationNeeded) const {
    const Integer lo = rt::ToInteger(dXArray.LBound());
    const Integer hi = rt::ToInteger(dXArray.UBound());
    Integer k = 0;
    if (BoundedBy(dXTarget, dXArray(lo), dXArray(hi))) {
        bExtrapolationNeeded = false;
        if (!FindBracketIndex(dXTarget, dXArray, k, dInterpFraction)) return false;
        nXIndex1 = k;
        nXIndex2 = rt::Add(k, Integer{1});
        return true;
    }

    bExtrapolationNeeded = true;
    if (eExtrapolationType == NO_EXTRAPOLATION) return false;
    FindBracketIndex(dXTarget, dXArray, k, dInterpFraction);
    // Only these two markers are recognised; any other position (a NaN among the X
    // values can produce one) leaves the indices as they were.
    if (k == kBelowTable) {
        nXIndex1 = rt::Add(lo, Integer{1});
        nXIndex2 = lo;
    } else if (k == kAboveTable) {
        nXIndex1 = rt::Sub(hi, Integer{1});
        nXIndex2 = hi;
    }
    if (dXArray(nXIndex1) == dXArray(nXIndex2)) return false;
    rt::Assign(dInterpFraction, FractionFrom(dXTarget, dXArray(nXIndex1), dXArray(nXIndex2)));
    return true;
}

Boolean CInterpolation::FindBracketIndex(Double dXTarget, const DoubleArray& dXArray, Integer& nIndex,
                                         Double& dFraction) const {
    const Integer lo = rt::ToInteger(dXArray.LBound());
    const Integer hi = rt::ToInteger(dXArray.UBound());
    if (dXTarget < dXArray(lo)) {
        nIndex = kBelowTable;
        dFraction = 0.0;
        return false;
    }
    if (dXTarget > dXArray(hi)) {
        nIndex = kAboveTable;
        dFraction = 1.0;
        return false;
    }
    // Formed as a Long, so that hi = 32767 overflows in the conversion.
    nIndex = rt::ToInteger(rt::Add(Long{hi}, Long{1}));
    nIndex = ScanDown(dXTarget, dXArray, lo, hi);
    if (nIndex == hi) {
        nIndex = rt::Sub(hi, Integer{1});
        dFraction = 1.0;
        return true;
    }
    const Integer next = rt::Add(nIndex, Integer{1});
    rt::Assign(dFraction, FractionFrom(dXTarget, dXArray(nIndex), dXArray(next)));
    return true;
}

// The scan from hi down: the highest position whose X is at most the target. The
// elements lo to hi are checked once, as a run.
Integer CInterpolation::ScanDown(Double dXTarget, const DoubleArray& dXArray, Integer lo, Integer hi) const {
    const Double* const x = dXArray.Elements(lo, hi);  // x[k] is dXArray(lo + k)
    for (int k = hi - lo; k >= 0; --k) {
        if (dXTarget >= x[k]) return static_cast<Integer>(lo + k);
    }
    // No X is at most the target (a NaN among them): the scan steps below lo, where
    // the subscript or the element read fails.
    dXArray(rt::Sub(lo, Integer{1}));
    TERVANIX_UNREACHABLE();
    return lo;
}

}  // namespace tervanix
