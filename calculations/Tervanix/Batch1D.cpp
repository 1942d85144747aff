// InterpolationOf1DArrayBatch: the 1-D table lookup of CInterpolation at many targets.
#include <algorithm>
#include <limits>

#include "Tervanix/BatchSteps.h"
#include "Tervanix/CInterpolationSteps.h"

namespace tervanix {

using batch::TableSteps;

namespace {

// A table in ascending order without NaN, of at least two points whose bounds are
// Integer positions: the single call's sort leaves it as it is (its first pass
// exchanges nothing), so the batch need not call it. One pass over X.
bool IsAscendingWithoutNaN(const DoubleArray& dXArray) {
    return dXArray.size() >= 2 && dXArray.LBound() >= std::numeric_limits<Integer>::min() &&
           dXArray.UBound() <= std::numeric_limits<Integer>::max() && batch::AscendingWithoutNaN(dXArray);
}

// A sorted table whose every target the binary search answers as the scan does:
// ascending X without NaN (the sort has then reached its fixed point, so a later
// single call would not change it; a sort whose X and Y are one array leaves X as it
// was), at least two points, a last position below 32767 (the scan's start, hi + 1,
// must be an Integer) and a Y for every position.
bool IsSearchable(const DoubleArray& dXArray, const DoubleArray& dYArray, bool ascendingWithoutNaN) {
    const Long lo = dXArray.LBound();
    const Long hi = dXArray.UBound();
    return hi > lo && hi < std::numeric_limits<Integer>::max() &&
           (ascendingWithoutNaN || batch::AscendingWithoutNaN(dXArray)) &&
           dYArray.size() > 0 && dYArray.LBound() <= lo && dYArray.UBound() >= hi;
}

// Whether a sort that failed can have exchanged elements: only one that got past the
// conversion of the bounds and the first comparison.
bool SortMovedElements(const DoubleArray& dXArray) {
    return dXArray.size() > 0 && dXArray.LBound() >= std::numeric_limits<Integer>::min() &&
           dXArray.UBound() <= std::numeric_limits<Integer>::max();
}

// InterpolationIndices's positions and fraction found by binary search, then the
// single call's own last step. A NaN target takes the scan.
Boolean LookUpSearchable(Double t, const DoubleArray& dXArray, const DoubleArray& dYArray,
                         BoundaryCondition eExtrapolationType, Double& dYResult) {
    const Double* const x = dXArray.begin();
    const auto last = static_cast<Long>(dXArray.size()) - 1;
    const auto lo = static_cast<Integer>(dXArray.LBound());
    if (t >= x[0] && t <= x[last]) {  // BoundedBy on an ascending table
        // The scan stops at the highest position whose X is at most t; at the last
        // position it reports the last interval with the fraction 1.
        const auto k = static_cast<Long>(std::upper_bound(x, x + last + 1, t) - x) - 1;
        const bool atEnd = k == last;
        const auto i1 = static_cast<Integer>(lo + (atEnd ? last - 1 : k));
        const Double f = atEnd ? 1.0 : rt::Stored(table_steps::Fraction(t, x[k], x[k + 1]));
        table_steps::AssignInside(dYArray, i1, static_cast<Integer>(i1 + 1), f, dYResult);
        return true;
    }
    if (t != t) return TableSteps::LookUpSortedTable(t, dXArray, dYArray, eExtrapolationType, dYResult);
    if (eExtrapolationType == NO_EXTRAPOLATION) return false;
    const bool below = t < x[0];
    const auto i1 = static_cast<Integer>(lo + (below ? 1 : last - 1));
    const auto i2 = static_cast<Integer>(lo + (below ? 0 : last));
    if (dXArray(i1) == dXArray(i2)) return false;
    const Double x1 = dXArray(i1), x2 = dXArray(i2);
    const Double f = rt::Stored(table_steps::Fraction(t, x1, x2));
    TableSteps::AssignTableValue(t, dXArray, dYArray, eExtrapolationType, i1, i2, f, true, dYResult);
    return true;
}

}  // namespace

void InterpolationOf1DArrayBatch(DoubleArray& dXArray, DoubleArray& dYArray, BoundaryCondition eExtrapolationType,
                                 Span<const Double> targets, Span<Double> results, Span<BatchOutcome> outcomes,
                                 const BatchOptions& options) try {
    batch::RequireSameLength(targets.size(), {results.size(), outcomes.size()});
    if (targets.empty()) return;  // no single call, so the arrays stay as they are
    // The first single call's sort. An error before it moved anything (bounds beyond
    // the Integer positions, an X array without elements) is what every single call
    // would raise: it ends the call. An exchange of Y elements that fails leaves X
    // partly sorted, so that the next call sorts on: the first target gets the error,
    // and the others take the single call.
    const CInterpolation& single = CInterpolation::Default();
    const bool ascendingWithoutNaN = !rt::kStepByStep && IsAscendingWithoutNaN(dXArray);
    try {
        if (!ascendingWithoutNaN) TableSteps::SortTable(dXArray, dYArray);
    } catch (const LibraryError& e) {
        if (!SortMovedElements(dXArray)) throw;
        outcomes[0] = batch::OutcomeOf(e.kind());
        batch::ForEachTarget(targets.size() - 1, Span<BatchOutcome>(outcomes.data() + 1, outcomes.size() - 1), 1, [&](std::size_t i) {
            return single.InterpolationOf1DArray(targets[i + 1], dXArray, dYArray, eExtrapolationType, results[i + 1]);
        });
        return;
    }
    if (!rt::kStepByStep && IsSearchable(dXArray, dYArray, ascendingWithoutNaN)) {
        batch::ForEachTarget(targets.size(), outcomes, batch::ThreadsFor(options, targets.size()),
                             [&](std::size_t i) {
                                 return LookUpSearchable(targets[i], dXArray, dYArray, eExtrapolationType,
                                                         results[i]);
                             });
        return;
    }
    // Otherwise every target takes the single call, in order: with a NaN among the X
    // values each call's sort may move the table on. The first target's sort is done.
    batch::ForEachTarget(targets.size(), outcomes, 1, [&](std::size_t i) {
        if (i == 0) return TableSteps::LookUpSortedTable(targets[i], dXArray, dYArray, eExtrapolationType, results[i]);
        return single.InterpolationOf1DArray(targets[i], dXArray, dYArray, eExtrapolationType, results[i]);
    });
} catch (...) { rt::RethrowFrom("InterpolationOf1DArrayBatch"); }

}  // namespace tervanix
