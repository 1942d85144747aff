#include "Tervanix/CInterpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Tervanix/CInterpolationSteps.h"
#include "Tervanix/CSort.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/NamedArrays.h"
#include "Tervanix/runtime/Variant.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

using rt::Fp;
using rt::Stored;
using namespace table_steps;

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

// Whether no element of the run x[0] to x[last] is greater than the next.
inline bool InOrder(const Double* x, Long last) {
    for (Long k = 0; k < last; ++k) {
        if (x[k] > x[k + 1]) return false;
    }
    return true;
}

// The scan from the top down on a run of X values: the highest k from `last` down
// whose x[k] is at most the target, or -1 when none is (a NaN among them or as the
// target).
inline Long HighestAtMost(Double dXTarget, const Double* x, Long last) {
    for (Long k = last; k >= 0; --k) {
        if (dXTarget >= x[k]) return k;
    }
    return -1;
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
    return StoredOneWay(dXIdx1, dXIdx2, dXFraction);
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation1Way"); }

// The nested interpolations are each one formula of LinearInterpolation1Way steps,
// every step a named value in call order (runtime/Formula.h): a step that faults
// leaves every step after it not finite, as each one subtracts and adds its lower
// value and multiplies by its fraction, so the one test on the value finds it, and
// only then are the steps evaluated again, each with its own test.
Double CInterpolation::LinearInterpolation2Way(Double dXIdx11, Double dXIdx12, Double dXIdx21,
                                               Double dXIdx22, Double dXFraction,
                                               Double dYFraction) const try {
    return rt::StoredFormula([=](auto F) {
        const Double a = rt::Stored(OneWay(F, dXIdx11, dXIdx21, dXFraction));
        const Double b = rt::Stored(OneWay(F, dXIdx12, dXIdx22, dXFraction));
        return OneWay(F, a, b, dYFraction);
    });
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation2Way"); }

Double CInterpolation::LinearInterpolation3Way(Double dXIdx111, Double dXIdx121, Double dXIdx211,
                                               Double dXIdx221, Double dXIdx112, Double dXIdx122,
                                               Double dXIdx212, Double dXIdx222, Double dXFraction,
                                               Double dYFraction, Double dZFraction) const try {
    return rt::StoredFormula([=](auto F) {
        const Double a = TwoWay(F, dXIdx111, dXIdx121, dXIdx211, dXIdx221, dXFraction, dYFraction);
        const Double b = TwoWay(F, dXIdx112, dXIdx122, dXIdx212, dXIdx222, dXFraction, dYFraction);
        return OneWay(F, a, b, dZFraction);
    });
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation3Way"); }

Double CInterpolation::LinearInterpolation4Way(Double dX1111, Double dX1211, Double dX2111, Double dX2211,
                                               Double dX1121, Double dX1221, Double dX2121, Double dX2221,
                                               Double dX1112, Double dX1212, Double dX2112, Double dX2212,
                                               Double dX1122, Double dX1222, Double dX2122, Double dX2222,
                                               Double dXFraction, Double dYFraction, Double dZFraction,
                                               Double dAFraction) const try {
    return rt::StoredFormula([=](auto F) {
        const Double a = ThreeWay(F, dX1111, dX1211, dX2111, dX2211, dX1121, dX1221, dX2121, dX2221, dXFraction,
                                  dYFraction, dZFraction);
        const Double b = ThreeWay(F, dX1112, dX1212, dX2112, dX2212, dX1122, dX1222, dX2122, dX2222, dXFraction,
                                  dYFraction, dZFraction);
        return OneWay(F, a, b, dAFraction);
    });
} catch (...) { rt::RethrowFrom("CInterpolation.LinearInterpolation4Way"); }

Boolean CInterpolation::InterpolationRatio(Double dIndex1, Double dIndex2, Double dValue,
                                           Double& dInterpFrac) const try {
    if (!BoundedBy(dValue, dIndex1, dIndex2)) {
        dInterpFrac = 0.0;
        return RefuseRatio(dIndex1, dIndex2, dValue);
    }
    if (dIndex1 == dIndex2) return RefuseRatio(dIndex1, dIndex2, dValue);
    rt::Assign(dInterpFrac, (Fp(dValue) - dIndex1) / (Fp(dIndex2) - dIndex1));
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.InterpolationRatio"); }

Boolean CInterpolation::LinearExtrapolation1Way(Double dX1, Double dY1, Double dX2, Double dY2, Double dX3,
                                                Double& dY3) const try {
    if (dX1 == dX2) return RefuseVertical(dX1);
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
    if (!LinearExtrapolation1Way(dX11, dY11, dX12, dY12, dX3, y1) ||
        !LinearExtrapolation1Way(dX21, dY21, dX22, dY22, dX3, y2) || !InterpolationRatio(dZ1, dZ2, dZ3, f)) {
        return RefuseTwoWay(dX11, dX12, dZ1, dX21, dX22, dZ2, dZ3);
    }
    dY3 = LinearInterpolation1Way(y1, y2, f);
    return true;
} catch (...) { rt::RethrowFrom("CInterpolation.LinearExtrapolation2Way"); }

Boolean CInterpolation::InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray,
                                               BoundaryCondition eExtrapolationType,
                                               Double& dYResult) const try {
    SortTable(dXArray, dYArray);
    return LookUpSortedTable(dXTarget, dXArray, dYArray, eExtrapolationType, dYResult);
} catch (...) {
    rt::RethrowNamingPair("CInterpolation.InterpolationOf1DArray", "dYArray", dYArray, "dXArray", dXArray);
}

// The lookup that follows the sort: the positions and the fraction, then the value.
// A target between the first and the last X of a table of two or more positions
// below 32767 is scanned for at once, on the run of X values read once; any other
// takes InterpolationIndices step by step.
Boolean CInterpolation::LookUpSortedTable(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                                          BoundaryCondition eExtrapolationType, Double& dYResult) const {
    const Long lo = dXArray.LBound();
    const Long hi = dXArray.UBound();
    if (!rt::kStepByStep && lo < hi && hi < std::numeric_limits<Integer>::max() &&
        // Always true after the sort, which raises on such bounds; differential: unreachable
        lo >= std::numeric_limits<Integer>::min()) {
        const Double* const x = dXArray.Elements(lo, hi);  // x[k] is dXArray(lo + k)
        const Long last = hi - lo;
        // Inside by BoundedBy and by FindBracketIndex's tests; the scan stops at lo
        // at the latest. It reads x[0] again, and finds none at most the target only
        // when another thread rewrote the table in between: the steps below, whose
        // every read is checked, then decide.
        const Long k = x[0] <= dXTarget && dXTarget <= x[last] ? HighestAtMost(dXTarget, x, last) : -1;
        if (k >= 0) {
            const bool atEnd = k == last;
            const auto i1 = static_cast<Integer>(lo + (atEnd ? last - 1 : k));
            const Double f = atEnd ? 1.0 : Stored(Fraction(dXTarget, x[k], x[k + 1]));
            AssignInside(dYArray, i1, static_cast<Integer>(i1 + 1), f, dYResult);
            return true;
        }
    }
    Integer i1 = 0, i2 = 0;
    Double f = 0.0;
    Boolean outside = false;
    if (!InterpolationIndices(dXTarget, dXArray, eExtrapolationType, i1, i2, f, outside)) {
        return RefuseFromInterpolationOf1DArray();
    }
    AssignTableValue(dXTarget, dXArray, dYArray, eExtrapolationType, i1, i2, f, outside, dYResult);
    return true;
}

void CInterpolation::SortTable(DoubleArray& dXArray, DoubleArray& dYArray) const {
    // The table's positions are Integers: bounds beyond them end the call before the sort.
    const Integer lo = rt::IntegerPosition(dXArray.LBound(), "dXArray", /*upper=*/false);
    const Integer hi = rt::IntegerPosition(dXArray.UBound(), "dXArray", /*upper=*/true);
    // A table already in order is left as it is: the sort's first pass, which reads
    // the same run of elements, would exchange nothing and end the sort.
    if (hi == lo) return;
    if (!rt::kStepByStep && InOrder(dXArray.Elements(lo, std::max(lo, hi)), Long{hi} - lo)) return;
    // BubbleSortXYPairsByX on two Variants that refer to the arrays, without making
    // the Variants: the same comparisons and exchanges on the same elements.
    const CSort sorter;  // it holds nothing: made in place, let go on return or when the sort fails
    sorter.SortPairs(dXArray, dYArray, lo, hi);
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
            // Read in the order the call lists them, so that a bad position is reported the same way everywhere.
            const Double x1 = dXArray(i1), y1 = dYArray(i1), x2 = dXArray(i2), y2 = dYArray(i2);
            LinearExtrapolation1Way(x1, y1, x2, y2, dXTarget, dYResult);
        }
        return;
    }
    AssignInside(dYArray, i1, i2, f, dYResult);
}

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
        if (!FindBracketIndex(dXTarget, dXArray, k, dInterpFraction)) {
            return RefuseIndices(dXTarget, dXArray, eExtrapolationType, nXIndex1, nXIndex2);
        }
        nXIndex1 = k;
        nXIndex2 = rt::Add(k, Integer{1});
        return true;
    }

    bExtrapolationNeeded = true;
    if (eExtrapolationType == NO_EXTRAPOLATION) {
        return RefuseIndices(dXTarget, dXArray, eExtrapolationType, nXIndex1, nXIndex2);
    }
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
    if (x1 == x2) return RefuseIndices(dXTarget, dXArray, eExtrapolationType, nXIndex1, nXIndex2);
    rt::Assign(dInterpFraction, Fraction(dXTarget, x1, x2));
    return true;
} catch (...) { rt::RethrowNamingArrays("CInterpolation.InterpolationIndices", "dXArray", dXArray); }

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
    nIndex = ScanDown(dXTarget, dXArray, lo, hi);
    if (nIndex == hi) {
        nIndex = rt::Sub(hi, Integer{1});
        dFraction = 1.0;
        return true;
    }
    const Integer next = rt::Add(nIndex, Integer{1});
    const Double x1 = dXArray(nIndex), x2 = dXArray(next);
    rt::Assign(dFraction, Fraction(dXTarget, x1, x2));
    return true;
}

// The scan from hi down: the highest position whose X is at most the target. The
// elements lo to hi are checked once, as a run.
Integer CInterpolation::ScanDown(Double dXTarget, const DoubleArray& dXArray, Integer lo, Integer hi) const {
    const Double* const x = dXArray.Elements(lo, hi);  // x[k] is dXArray(lo + k)
    const Long k = HighestAtMost(dXTarget, x, Long{hi} - lo);
    if (k >= 0) return static_cast<Integer>(lo + k);
    // No X is at most the target (a NaN among them): the scan steps below lo, where
    // the subscript or the element read fails.
    dXArray(rt::Sub(lo, Integer{1}));
    TERVANIX_UNREACHABLE();
    return lo;
}

}  // namespace tervanix
