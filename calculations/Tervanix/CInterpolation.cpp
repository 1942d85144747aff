#include "Tervanix/CInterpolation.h"

#include <cmath>
#include <limits>

#include "Tervanix/CSort.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/Objects.h"
#include "Tervanix/runtime/Variant.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

using rt::Fp;
using rt::Stored;

namespace {

// FindBracketIndex's positions for a target below the first X and above the last X.
constexpr Integer kBelowTable = -9999;
constexpr Integer kAboveTable = 9999;

// FindBracketIndex scans from one position above the table's last; a table ending
// at 32767 leaves it no Integer position to start from.
[[noreturn]] void RaiseTableTooLong(Integer lo, Integer hi) {
    rt::MessageText<> text;
    text << "dXArray, with bounds " << lo << " to " << hi
         << ", is too long for Integer positions: the scan starts one position above the last, "
            "beyond 32767; end the table at position 32766 or below";
    rt::Raise(ErrorKind::OverflowError, text.c_str());
}

// A NaN target lies below no X value, so the scan runs down past the table's first
// position: it ends where that step does, below the Integer range when the table
// starts at -32768, else outside dXArray's bounds.
[[noreturn]] void RaiseNaNTarget(Integer lo) {
    rt::Raise(lo == std::numeric_limits<Integer>::min() ? ErrorKind::OverflowError : ErrorKind::SubscriptOutOfRange,
              "the target dXTarget is NaN, which no two positions of dXArray bracket; pass a number");
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

Double CInterpolation::LinearInterpolation1Way(Double dXIdx1, Double dXIdx2, Double dXFraction) const try {
    return rt::StoredFormula([=](auto F) { return (F(dXIdx2) - dXIdx1) * dXFraction + dXIdx1; });
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation1Way"); }

// The nested interpolations inline the public calls they are built from; each call
// keeps its own fault test.
TERVANIX_FLATTEN
Double CInterpolation::LinearInterpolation2Way(Double dXIdx11, Double dXIdx12, Double dXIdx21,
                                               Double dXIdx22, Double dXFraction,
                                               Double dYFraction) const try {
    const Double a = LinearInterpolation1Way(dXIdx11, dXIdx21, dXFraction);
    const Double b = LinearInterpolation1Way(dXIdx12, dXIdx22, dXFraction);
    return LinearInterpolation1Way(a, b, dYFraction);
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation2Way"); }

TERVANIX_FLATTEN
Double CInterpolation::LinearInterpolation3Way(Double dXIdx111, Double dXIdx121, Double dXIdx211,
                                               Double dXIdx221, Double dXIdx112, Double dXIdx122,
                                               Double dXIdx212, Double dXIdx222, Double dXFraction,
                                               Double dYFraction, Double dZFraction) const try {
    const Double a = LinearInterpolation2Way(dXIdx111, dXIdx121, dXIdx211, dXIdx221, dXFraction, dYFraction);
    const Double b = LinearInterpolation2Way(dXIdx112, dXIdx122, dXIdx212, dXIdx222, dXFraction, dYFraction);
    return LinearInterpolation1Way(a, b, dZFraction);
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation3Way"); }

TERVANIX_FLATTEN
Double CInterpolation::LinearInterpolation4Way(Double dX1111, Double dX1211, Double dX2111, Double dX2211,
                                               Double dX1121, Double dX1221, Double dX2121, Double dX2221,
                                               Double dX1112, Double dX1212, Double dX2112, Double dX2212,
                                               Double dX1122, Double dX1222, Double dX2122, Double dX2222,
                                               Double dXFraction, Double dYFraction, Double dZFraction,
                                               Double dAFraction) const try {
    const Double a = LinearInterpolation3Way(dX1111, dX1211, dX2111, dX2211, dX1121, dX1221, dX2121, dX2221,
                                             dXFraction, dYFraction, dZFraction);
    const Double b = LinearInterpolation3Way(dX1112, dX1212, dX2112, dX2212, dX1122, dX1222, dX2122, dX2222,
                                             dXFraction, dYFraction, dZFraction);
    return LinearInterpolation1Way(a, b, dAFraction);
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation4Way"); }

Boolean CInterpolation::InterpolationRatio(Double dIndex1, Double dIndex2, Double dValue,
                                           Double& dInterpFrac) const try {
    if (!BoundedBy(dValue, dIndex1, dIndex2)) {
        dInterpFrac = 0.0;
        return false;
    }
    if (dIndex1 == dIndex2) return false;
    rt::Assign(dInterpFrac, (Fp(dValue) - dIndex1) / (Fp(dIndex2) - dIndex1));
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.InterpolationRatio"); }

Boolean CInterpolation::LinearExtrapolation1Way(Double dX1, Double dY1, Double dX2, Double dY2, Double dX3,
                                                Double& dY3) const try {
    if (dX1 == dX2) return false;
    const Double m = Stored((Fp(dY1) - dY2) / (Fp(dX1) - dX2));
    const Double c = Stored(Fp(dY1) - Fp(m) * dX1);
    rt::Assign(dY3, Fp(m) * dX3 + c);
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.LinearExtrapolation1Way"); }

Boolean CInterpolation::LinearExtrapolation2Way(Double dX11, Double dY11, Double dX12, Double dY12,
                                                Double dZ1, Double dX21, Double dY21, Double dX22,
                                                Double dY22, Double dZ2, Double dX3, Double dZ3,
                                                Double& dY3) const try {
    Double y1 = 0.0, y2 = 0.0, f = 0.0;
    if (!LinearExtrapolation1Way(dX11, dY11, dX12, dY12, dX3, y1)) return false;
    if (!LinearExtrapolation1Way(dX21, dY21, dX22, dY22, dX3, y2)) return false;
    if (!InterpolationRatio(dZ1, dZ2, dZ3, f)) return false;
    dY3 = LinearInterpolation1Way(y1, y2, f);
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.LinearExtrapolation2Way"); }

Boolean CInterpolation::InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray,
                                               BoundaryCondition eExtrapolationType,
                                               Double& dYResult) const try {
    // The table's positions are Integers: bounds beyond them end the call before the sort.
    rt::IntegerPosition(dXArray.LBound(), "dXArray", /*upper=*/false);
    rt::IntegerPosition(dXArray.UBound(), "dXArray", /*upper=*/true);
    {
        const std::shared_ptr<CSort> sorter = rt::New<CSort>();  // let go at the brace, or when the sort fails
        Variant vXData = Variant::RefTo(dXArray);
        Variant vYData = Variant::RefTo(dYArray);
        sorter->BubbleSortXYPairsByX(vXData, vYData);
    }

    Integer i1 = 0, i2 = 0;
    Double f = 0.0;
    Boolean outside = false;
    if (!InterpolationIndices(dXTarget, dXArray, eExtrapolationType, i1, i2, f, outside)) return false;
    if (outside) {
        // A value outside the enumeration computes nothing here and still succeeds.
        if (eExtrapolationType == EXTRAPOLATE_FIXEDENDPT) dYResult = dYArray(i2);
        if (eExtrapolationType == EXTRAPOLATE_LINEARLY) {
            // Read in the order the call lists them, so that a bad position is reported the same way everywhere.
            const Double x1 = dXArray(i1), y1 = dYArray(i1), x2 = dXArray(i2), y2 = dYArray(i2);
            LinearExtrapolation1Way(x1, y1, x2, y2, dXTarget, dYResult);
        }
        return true;
    }
    const Double y1 = dYArray(i1), y2 = dYArray(i2);
    dYResult = LinearInterpolation1Way(y1, y2, f);
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.InterpolationOf1DArray"); }

Boolean CInterpolation::InterpolationIndices(Double dXTarget, const DoubleArray& dXArray,
                                             BoundaryCondition eExtrapolationType, Integer& nXIndex1,
                                             Integer& nXIndex2, Double& dInterpFraction,
                                             Boolean& bExtrapolationNeeded) const try {
    const Integer lo = rt::IntegerPosition(dXArray.LBound(), "dXArray", /*upper=*/false);
    const Integer hi = rt::IntegerPosition(dXArray.UBound(), "dXArray", /*upper=*/true);
    Integer k = 0;
    const Double first = dXArray(lo), last = dXArray(hi);
    if (BoundedBy(dXTarget, first, last)) {
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
    const Double x1 = dXArray(nXIndex1), x2 = dXArray(nXIndex2);
    if (x1 == x2) return false;
    rt::Assign(dInterpFraction, (Fp(dXTarget) - x1) / (Fp(x2) - x1));
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.InterpolationIndices"); }

Boolean CInterpolation::FindBracketIndex(Double dXTarget, const DoubleArray& dXArray, Integer& nIndex,
                                         Double& dFraction) const {
    const Integer lo = rt::IntegerPosition(dXArray.LBound(), "dXArray", /*upper=*/false);
    const Integer hi = rt::IntegerPosition(dXArray.UBound(), "dXArray", /*upper=*/true);
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
    if (hi == std::numeric_limits<Integer>::max()) RaiseTableTooLong(lo, hi);
    if (std::isnan(dXTarget)) RaiseNaNTarget(lo);
    nIndex = static_cast<Integer>(hi + 1);
    do {
        nIndex = rt::Sub(nIndex, Integer{1});
    } while (!(dXTarget >= dXArray(nIndex)));
    if (nIndex == hi) {
        nIndex = rt::Sub(hi, Integer{1});
        dFraction = 1.0;
        return true;
    }
    const Integer next = rt::Add(nIndex, Integer{1});
    rt::Assign(dFraction, (Fp(dXTarget) - dXArray(nIndex)) / (Fp(dXArray(next)) - dXArray(nIndex)));
    return true;
}

}  // namespace tervanix
