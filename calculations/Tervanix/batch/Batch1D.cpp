// InterpolationOf1DArrayBatch: the 1-D table lookup of CInterpolation at many targets.
#include <algorithm>
#include <cmath>
#include <limits>

#include "Tervanix/CInterpolationSteps.h"
#include "Tervanix/batch/BatchSearch.h"
#include "Tervanix/batch/BatchSteps.h"
#include "Tervanix/runtime/NamedArrays.h"

namespace tervanix {

using batch::TableSteps;

namespace {

// A table in ascending order without NaN, of at least two points whose bounds are
// Integer positions: the single call's sort leaves it as it is (its first pass
// exchanges nothing), so the batch need not call it. One pass over X.
bool IsAscendingWithoutNaN(const DoubleArray& dXArray) {
    if (dXArray.size() < 2 || dXArray.LBound() < std::numeric_limits<Integer>::min() ||
        dXArray.UBound() > std::numeric_limits<Integer>::max()) {
        return false;
    }
    return batch::AscendsWithoutNaN(dXArray.begin(), dXArray.size());
}

// A sorted table whose every target the binary search answers as the scan does:
// ascending X without NaN (the sort has then reached its fixed point, so a later
// single call would not change it; a sort whose X and Y are one array leaves X as it
// was), at least two points, a last position below 32767 (the scan's start, hi + 1,
// must be an Integer) and a Y for every position.
bool IsSearchable(const DoubleArray& dXArray, const DoubleArray& dYArray, bool ascendingWithoutNaN) {
    const Long lo = dXArray.LBound();
    const Long hi = dXArray.UBound();
    return hi > lo && hi < std::numeric_limits<Integer>::max() && (ascendingWithoutNaN || batch::AscendsWithoutNaN(dXArray.begin(), dXArray.size())) &&
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
        // None at most t only when another thread rewrote x[0] since the test: the
        // single call, whose reads are checked, decides.
        if (k < 0) return TableSteps::LookUpSortedTable(t, dXArray, dYArray, eExtrapolationType, dYResult);
        const bool atEnd = k == last;
        const auto i1 = static_cast<Integer>(lo + (atEnd ? last - 1 : k));
        const Double f = atEnd ? 1.0 : rt::Stored(table_steps::Fraction(t, x[k], x[k + 1]));
        table_steps::AssignInside(dYArray, i1, static_cast<Integer>(i1 + 1), f, dYResult);
        return true;
    }
    if (t != t) return TableSteps::LookUpSortedTable(t, dXArray, dYArray, eExtrapolationType, dYResult);
    if (eExtrapolationType == NO_EXTRAPOLATION) return TableSteps::RefuseOutsideTable(t, dXArray);
    const bool below = t < x[0];
    const auto i1 = static_cast<Integer>(lo + (below ? 1 : last - 1));
    const auto i2 = static_cast<Integer>(lo + (below ? 0 : last));
    if (dXArray(i1) == dXArray(i2)) return TableSteps::RefuseEqualEnds(dXArray, i1, i2);
    const Double x1 = dXArray(i1), x2 = dXArray(i2);
    const Double f = rt::Stored(table_steps::Fraction(t, x1, x2));
    TableSteps::AssignTableValue(t, dXArray, dYArray, eExtrapolationType, i1, i2, f, true, dYResult);
    return true;
}

// One target the plain pass did not settle (outside the table, NaN, or a value
// that is not finite), and the single call's False: LookUpSearchable, with its
// outcome. Out of the way of the plain pass.
TERVANIX_COLD_NOINLINE BatchOutcome LookUpOneTarget(Double t, const DoubleArray& dXArray, const DoubleArray& dYArray,
                                                    BoundaryCondition eExtrapolationType, Double& dYResult,
                                                    FalseReason* reason) {
    return batch::OutcomeOfCall(
        [&] { return LookUpSearchable(t, dXArray, dYArray, eExtrapolationType, dYResult); }, reason);
}

// A searchable table as plain pointers: y[k] is the Y value at X value x[k]'s position.
struct PlainTable {
    const Double* x;
    const Double* y;
    std::size_t count;

    PlainTable(const DoubleArray& dXArray, const DoubleArray& dYArray)
        : x(dXArray.begin()),
          y(dYArray.begin() + (dXArray.LBound() - dYArray.LBound())),
          count(dXArray.size()) {}
};

// LookUpSearchable's value at a target inside the table, found at position k by the
// search, on plain Doubles: the same operations in the same order. True when the
// value is finite and so is the fraction's divisor; then no operation faulted (a
// fault leaves an infinity or a NaN that the later operations carry into the value,
// except a divisor that overflowed, which is tested on its own) and the value is the
// single call's.
inline bool PlainValueInside(const PlainTable& table, std::size_t k, Double t, Double& value) {
    const Double* const x = table.x;
    const Double* const y = table.y;
    if (k + 1 == table.count) {  // on the last point: the last interval, with the fraction 1
        value = (y[k] - y[k - 1]) * 1.0 + y[k - 1];
        return std::isfinite(value);
    }
    const Double divisor = x[k + 1] - x[k];
    const Double f = (t - x[k]) / divisor;
    value = (y[k + 1] - y[k]) * f + y[k];
    return std::isfinite(divisor) && std::isfinite(value);
}

// Targets begin to end of a searchable table, on plain Doubles where the value is
// finite and by LookUpOneTarget otherwise. Targets that come in ascending order
// (kAscending) walk on from the previous target's interval. `reasons` is null when
// no reasons were asked for.
template <bool kAscending>
void LookUpRun(const DoubleArray& dXArray, const DoubleArray& dYArray, BoundaryCondition eExtrapolationType,
               const Double* targets, Double* results, BatchOutcome* outcomes, FalseReason* reasons,
               std::size_t begin, std::size_t end) {
    const PlainTable table(dXArray, dYArray);
    const Double first = table.x[0];
    const Double last = table.x[table.count - 1];
    batch::SearchEach<batch::SearchFor::kLastNotAbove, kAscending>(
        table.x, table.count, targets, begin, end, [&](std::size_t i, std::size_t k) {
            const Double t = targets[i];
            if (TERVANIX_LIKELY(t >= first && t <= last)) {
                Double value;
                if (TERVANIX_LIKELY(PlainValueInside(table, k, t, value))) {
                    results[i] = value;
                    outcomes[i] = BatchOutcome::ReturnedTrue;
                    if (reasons != nullptr) reasons[i] = FalseReason::None;
                    return;
                }
            }
            outcomes[i] = LookUpOneTarget(t, dXArray, dYArray, eExtrapolationType, results[i],
                                          reasons == nullptr ? nullptr : reasons + i);
        });
}

}  // namespace

void InterpolationOf1DArrayBatch(DoubleArray& dXArray, DoubleArray& dYArray, BoundaryCondition eExtrapolationType,
                                 Span<const Double> targets, Span<Double> results, Span<BatchOutcome> outcomes,
                                 const BatchOptions& options) {
    InterpolationOf1DArrayBatch(dXArray, dYArray, eExtrapolationType, targets, results, outcomes, {}, options);
}

void InterpolationOf1DArrayBatch(DoubleArray& dXArray, DoubleArray& dYArray, BoundaryCondition eExtrapolationType,
                                 Span<const Double> targets, Span<Double> results, Span<BatchOutcome> outcomes,
                                 Span<FalseReason> reasons, const BatchOptions& options) try {
    const batch::KeepLastFalse kept;
    batch::RequireSameLength(targets.size(), {results.size(), outcomes.size()});
    batch::RequireReasons(targets.size(), reasons);
    batch::RequireApart({dXArray, dYArray}, {targets}, results, outcomes, reasons);
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
        if (!reasons.empty()) reasons[0] = FalseReason::None;
        const Span<FalseReason> otherReasons = reasons.empty() ? reasons : Span<FalseReason>(reasons.data() + 1, reasons.size() - 1);
        batch::ForEachTarget(targets.size() - 1, Span<BatchOutcome>(outcomes.data() + 1, outcomes.size() - 1), otherReasons, 1, [&](std::size_t i) {
            return single.InterpolationOf1DArray(targets[i + 1], dXArray, dYArray, eExtrapolationType, results[i + 1]);
        });
        return;
    }
    if (!rt::kStepByStep && IsSearchable(dXArray, dYArray, ascendingWithoutNaN)) {
        const bool ascendingTargets = batch::AscendsWithoutNaN(targets.data(), targets.size());
        batch::ForEachRun(targets.size(), batch::ThreadsFor(options, targets.size()),
                          [&](std::size_t begin, std::size_t end) {
                              const auto run = ascendingTargets ? LookUpRun<true> : LookUpRun<false>;
                              run(dXArray, dYArray, eExtrapolationType, targets.data(), results.data(),
                                  outcomes.data(), batch::ReasonSlot(reasons, 0), begin, end);
                          });
        return;
    }
    // Otherwise every target takes the single call, in order: with a NaN among the X
    // values each call's sort may move the table on. The first target's sort is done.
    batch::ForEachTarget(targets.size(), outcomes, reasons, 1, [&](std::size_t i) {
        if (i == 0) return TableSteps::LookUpSortedTable(targets[i], dXArray, dYArray, eExtrapolationType, results[i]);
        return single.InterpolationOf1DArray(targets[i], dXArray, dYArray, eExtrapolationType, results[i]);
    });
} catch (...) {
    rt::RethrowNamingPair("InterpolationOf1DArrayBatch", "dYArray", dYArray, "dXArray", dXArray);
}

}  // namespace tervanix
