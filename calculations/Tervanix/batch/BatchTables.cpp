// Interp2DBatch, Interp3DBatch, Interp4DBatch: the table lookups of cInterp2 at many
// targets.
//
// On a table whose X values (and grid axes) rise strictly without NaN, each target is
// looked up on plain Doubles: the binary search, then the single call's formula with
// the same operations in the same order. A value that is finite, from divisors that
// are finite, comes from operations none of which faulted (a fault leaves an infinity
// or a NaN that the later operations carry into the value; a divisor that overflowed
// would only make a fraction 0, so the divisors are tested on their own), and so is
// the single call's value. Any other target, and every False, takes the single call's
// own steps in a cold function.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "Tervanix/batch/BatchSearch.h"
#include "Tervanix/batch/BatchSteps.h"
#include "Tervanix/runtime/NamedArrays.h"

namespace tervanix {

using batch::RecordFalse;
using batch::TableSteps;

namespace {

using Bracket = TableSteps::Bracket;

bool RisesWithoutNaN(const DoubleArray& values) { return batch::RisesWithoutNaN(values.begin(), values.size()); }

// Inside the grid, or not compared at all when extrapolation is allowed; a NaN is not
// outside (IsOutside).
inline bool MayBeInside(Boolean bAllowExtrap, const Double* grid, Long n, Double value) {
    return bAllowExtrap || !(value < grid[0] || value > grid[n - 1]);
}

// The value a fraction of the way from `base` to `far`.
inline Double Along(Double base, Double far, Double fraction) { return (far - base) * fraction + base; }

// ---- Pairs ----------------------------------------------------------------------

// The single call's steps after its table check, for one target: False outside the
// table without extrapolation, else the value assigned on the interval found.
TERVANIX_COLD_NOINLINE BatchOutcome LookUpPair(const DoubleArray& XValues, const DoubleArray& YValues, Long n,
                                               Boolean bAllowExtrap, Double X, Double& Y, FalseReason* reason) {
    return batch::OutcomeOfCall(
        [&] {
            if (!bAllowExtrap && TableSteps::IsOutside(XValues, n, X)) return TableSteps::RefuseOutside(XValues, X);
            TableSteps::AssignOnInterval(YValues, TableSteps::SearchBracket(XValues, n, X), X, Y);
            return true;
        },
        reason);
}

// (YValues(upper) - YValues(lower)) * (X - low) / (high - low) + YValues(lower) on
// plain Doubles; true when it and its divisor are finite.
inline bool PlainPairValue(const Double* y, const Bracket& b, Double X, Double& value) {
    const Double yl = y[b.lower - 1];
    const Double divisor = b.high - b.low;
    value = (y[b.upper - 1] - yl) * (X - b.low) / divisor + yl;
    return std::isfinite(divisor) && std::isfinite(value);
}

// Targets begin to end on a pair table whose X values rise strictly without NaN.
// Targets that come in ascending order (kAscending) walk on from the previous one's
// interval. `reasons` is null when no reasons were asked for.
template <bool kAscending>
void LookUpPairRun(const DoubleArray& XValues, const DoubleArray& YValues, Long n, Boolean bAllowExtrap,
                   const Double* targets, Double* results, BatchOutcome* outcomes, FalseReason* reasons,
                   std::size_t begin, std::size_t end) {
    const Double* const x = XValues.begin();
    const Double* const y = YValues.begin();
    const auto inner = static_cast<std::size_t>(n - 2);  // the search's subscripts 2 to n - 1
    batch::SearchEach<batch::SearchFor::kCountBelow, kAscending>(
        x + 1, inner, targets, begin, end, [&](std::size_t i, std::size_t below) {
            const Double X = targets[i];
            if (TERVANIX_LIKELY(MayBeInside(bAllowExtrap, x, n, X))) {
                const auto upper = static_cast<Long>(below) + 2;
                Double value;
                if (TERVANIX_LIKELY(PlainPairValue(y, {upper - 1, upper, x[upper - 2], x[upper - 1]}, X, value))) {
                    results[i] = value;
                    outcomes[i] = BatchOutcome::ReturnedTrue;
                    if (reasons != nullptr) reasons[i] = FalseReason::None;
                    return;
                }
            }
            outcomes[i] = LookUpPair(XValues, YValues, n, bAllowExtrap, X, results[i],
                                     reasons == nullptr ? nullptr : reasons + i);
        });
}

// ---- Grids ----------------------------------------------------------------------

// Interp3D's steps after its grid check, for one target.
TERVANIX_COLD_NOINLINE BatchOutcome LookUpGrid(const DoubleArray& XValues, const DoubleArray& YValues,
                                               const DoubleArray2D& ZValues, Boolean bAllowExtrap, Double X,
                                               Double Y, Double& Z, FalseReason* reason) {
    return batch::OutcomeOfCall(
        [&] {
            const Long nx = XValues.UBound();
            const Long ny = YValues.UBound();
            if (!bAllowExtrap && (TableSteps::IsOutside(XValues, nx, X) || TableSteps::IsOutside(YValues, ny, Y))) {
                return TableSteps::RefuseOutside(XValues, YValues, X, Y);
            }
            const auto x = TableSteps::SearchBracket(XValues, nx, X);
            const auto y = TableSteps::SearchBracket(YValues, ny, Y);
            TableSteps::AssignBilinear(ZValues, x, y, X, Y, Z);
            return true;
        },
        reason);
}

// Interp4D's steps after its grid check, for one target.
TERVANIX_COLD_NOINLINE BatchOutcome LookUpGrid(const DoubleArray& WValues, const DoubleArray& XValues,
                                               const DoubleArray& YValues, const DoubleArray3D& ZValues,
                                               Boolean bAllowExtrap, Double W, Double X, Double Y, Double& Z,
                                               FalseReason* reason) {
    return batch::OutcomeOfCall(
        [&] {
            const Long nw = WValues.UBound();
            const Long nx = XValues.UBound();
            const Long ny = YValues.UBound();
            if (!bAllowExtrap && (TableSteps::IsOutside(WValues, nw, W) || TableSteps::IsOutside(XValues, nx, X) ||
                                  TableSteps::IsOutside(YValues, ny, Y))) {
                return TableSteps::RefuseOutside(WValues, XValues, YValues, W, X, Y);
            }
            const auto w = TableSteps::SearchBracket(WValues, nw, W);
            const auto x = TableSteps::SearchBracket(XValues, nx, X);
            const auto y = TableSteps::SearchBracket(YValues, ny, Y);
            TableSteps::AssignTrilinear(ZValues, w, x, y, W, X, Y, Z);
            return true;
        },
        reason);
}

// One axis of a grid as plain pointers.
struct Axis {
    const Double* values;
    Long n;
    explicit Axis(const DoubleArray& grid) : values(grid.begin()), n(grid.UBound()) {}
};

// The interval of a coordinate and its fraction, on plain Doubles; `finite` turns
// false when the fraction's divisor is not finite.
struct PlainFraction {
    Bracket bracket;
    Double fraction;
    PlainFraction(const Axis& axis, Double value, bool& finite)
        : bracket(TableSteps::BracketAt(axis.values, axis.n, value)) {
        const Double divisor = bracket.high - bracket.low;
        fraction = (value - bracket.low) / divisor;
        finite &= std::isfinite(divisor);
    }
};

// AssignBilinear's value on plain Doubles; true when it and the divisors are finite.
// ZValues(i, j) is z[(i - 1) * ny + (j - 1)]: the cell's corners lie at `corner`, one
// step along Y and ny steps along X from it.
inline bool PlainBilinear(const Double* z, Long ny, const Axis& xAxis, const Axis& yAxis, Double X, Double Y,
                          Double& value) {
    bool finite = true;
    const PlainFraction x(xAxis, X, finite);
    const PlainFraction y(yAxis, Y, finite);
    const Double* const corner = z + (x.bracket.lower - 1) * ny + (y.bracket.lower - 1);
    const Double z1 = Along(corner[0], corner[ny], x.fraction);
    const Double z2 = Along(corner[1], corner[ny + 1], x.fraction);
    value = Along(z1, z2, y.fraction);
    return finite && std::isfinite(value);
}

// AssignTrilinear's value on plain Doubles; true when it and the divisors are finite.
// ZValues(i, j, k) is z[((i - 1) * nx + (j - 1)) * ny + (k - 1)]: the cell's corners
// lie one step along Y, ny along X and nx * ny along W from `corner`.
inline bool PlainTrilinear(const Double* z, Long nx, Long ny, const Axis& wAxis, const Axis& xAxis,
                           const Axis& yAxis, Double W, Double X, Double Y, Double& value) {
    bool finite = true;
    const PlainFraction w(wAxis, W, finite);
    const PlainFraction x(xAxis, X, finite);
    const PlainFraction y(yAxis, Y, finite);
    const Double* const corner = z + ((w.bracket.lower - 1) * nx + (x.bracket.lower - 1)) * ny + (y.bracket.lower - 1);
    const auto plane = [&](const Double* c) {
        const Double a1 = Along(c[0], c[ny], x.fraction);
        const Double a2 = Along(c[1], c[ny + 1], x.fraction);
        return Along(a1, a2, y.fraction);
    };
    const Double zl = plane(corner);
    const Double zu = plane(corner + nx * ny);
    value = Along(zl, zu, w.fraction);
    return finite && std::isfinite(value);
}

}  // namespace

void Interp2DBatch(DoubleArray& XValues, DoubleArray& YValues, Boolean bAllowExtrap, Span<const Double> targets,
                   Span<Double> Y, Span<BatchOutcome> outcomes, const BatchOptions& options) {
    Interp2DBatch(XValues, YValues, bAllowExtrap, targets, Y, outcomes, {}, options);
}

void Interp2DBatch(DoubleArray& XValues, DoubleArray& YValues, Boolean bAllowExtrap, Span<const Double> targets,
                   Span<Double> Y, Span<BatchOutcome> outcomes, Span<FalseReason> reasons,
                   const BatchOptions& options) try {
    const batch::KeepLastFalse kept;
    batch::RequireSameLength(targets.size(), {Y.size(), outcomes.size()});
    batch::RequireReasons(targets.size(), reasons);
    batch::RequireApart({XValues, YValues}, {targets}, Y, outcomes, reasons);
    if (targets.empty()) return;  // no single call, so the arrays stay as they are
    // X values that rise strictly without NaN pass the first single call's check
    // without the sort moving anything: only its bounds need asking for.
    if (rt::kStepByStep || !(TableSteps::HasPairTableBounds(XValues, YValues) && RisesWithoutNaN(XValues))) {
        Long n = 0;
        const bool usable = TableSteps::PreparePairTable(XValues, YValues, n);  // the first single call's check
        if (rt::kStepByStep || !batch::AscendsWithoutNaN(XValues.begin(), XValues.size())) {
            // Each single call sorts again, and with a NaN the sort may move the table
            // on (with X and Y one array it leaves X out of order): every target takes
            // the single call, in order. The first one's sort is done.
            const cInterp2 single;
            batch::ForEachTarget(targets.size(), outcomes, reasons, 1, [&](std::size_t i) -> bool {
                if (i > 0) return static_cast<bool>(single.Interp2D(XValues, YValues, bAllowExtrap, targets[i], Y[i]));
                if (!usable) return TableSteps::RefusePairTable(XValues, YValues);
                if (!bAllowExtrap && TableSteps::IsOutside(XValues, n, targets[i])) {
                    return TableSteps::RefuseOutside(XValues, targets[i]);
                }
                TableSteps::AssignInterpolated(XValues, YValues, n, targets[i], Y[i]);
                return true;
            });
            return;
        }
        if (!usable) {
            TableSteps::RefusePairTable(XValues, YValues);
            return RecordFalse(outcomes, reasons);
        }
        // Sorted, without NaN and with distinct X values: the X values now rise strictly.
    }
    const Long n = XValues.UBound();
    const bool ascendingTargets = batch::AscendsWithoutNaN(targets.data(), targets.size());
    batch::ForEachRun(targets.size(), batch::ThreadsFor(options, targets.size()), [&](std::size_t begin, std::size_t end) {
        const auto run = ascendingTargets ? LookUpPairRun<true> : LookUpPairRun<false>;
        run(XValues, YValues, n, bAllowExtrap, targets.data(), Y.data(), outcomes.data(),
            batch::ReasonSlot(reasons, 0), begin, end);
    });
} catch (...) {
    rt::RethrowNamingPair("Interp2DBatch", "YValues", YValues, "XValues", XValues);
}

void Interp3DBatch(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                   Boolean bAllowExtrap, Span<const Double> X, Span<const Double> Y, Span<Double> Z,
                   Span<BatchOutcome> outcomes, const BatchOptions& options) {
    Interp3DBatch(XValues, YValues, ZValues, bAllowExtrap, X, Y, Z, outcomes, {}, options);
}

void Interp3DBatch(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                   Boolean bAllowExtrap, Span<const Double> X, Span<const Double> Y, Span<Double> Z,
                   Span<BatchOutcome> outcomes, Span<FalseReason> reasons, const BatchOptions& options) try {
    const batch::KeepLastFalse kept;
    batch::RequireSameLength(X.size(), {Y.size(), Z.size(), outcomes.size()});
    batch::RequireReasons(X.size(), reasons);
    batch::RequireApart({XValues, YValues, ZValues}, {X, Y}, Z, outcomes, reasons);
    if (X.empty()) return;
    const bool rising = !rt::kStepByStep && TableSteps::HasGridBounds(XValues, YValues, ZValues) &&
                        RisesWithoutNaN(XValues) && RisesWithoutNaN(YValues);
    if (!rising && !TableSteps::IsUsableGrid(XValues, YValues, ZValues)) {
        TableSteps::RefuseGrid(XValues, YValues, ZValues);
        return RecordFalse(outcomes, reasons);
    }
    const unsigned threads = rt::kStepByStep ? 1 : batch::ThreadsFor(options, X.size());
    if (!rising) {  // a NaN on an axis: the grid's own scan, target by target
        const cInterp2 single;
        batch::ForEachTarget(X.size(), outcomes, reasons, threads, [&](std::size_t i) {
            return static_cast<bool>(single.Interp3D(XValues, YValues, ZValues, bAllowExtrap, X[i], Y[i], Z[i]));
        });
        return;
    }
    const Axis xAxis(XValues), yAxis(YValues);
    batch::ForEachRun(X.size(), threads, [&](std::size_t begin, std::size_t end) {
        const Double* const z = ZValues.begin();
        for (std::size_t i = begin; i < end; ++i) {
            if (TERVANIX_LIKELY(MayBeInside(bAllowExtrap, xAxis.values, xAxis.n, X[i]) &&
                                MayBeInside(bAllowExtrap, yAxis.values, yAxis.n, Y[i]))) {
                Double value;
                if (TERVANIX_LIKELY(PlainBilinear(z, yAxis.n, xAxis, yAxis, X[i], Y[i], value))) {
                    Z[i] = value;
                    outcomes[i] = BatchOutcome::ReturnedTrue;
                    if (!reasons.empty()) reasons[i] = FalseReason::None;
                    continue;
                }
            }
            outcomes[i] = LookUpGrid(XValues, YValues, ZValues, bAllowExtrap, X[i], Y[i], Z[i],
                                     batch::ReasonSlot(reasons, i));
        }
    });
} catch (...) { rt::RethrowFrom("Interp3DBatch"); }

void Interp4DBatch(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                   const DoubleArray3D& ZValues, Boolean bAllowExtrap, Span<const Double> W, Span<const Double> X,
                   Span<const Double> Y, Span<Double> Z, Span<BatchOutcome> outcomes, const BatchOptions& options) {
    Interp4DBatch(WValues, XValues, YValues, ZValues, bAllowExtrap, W, X, Y, Z, outcomes, {}, options);
}

void Interp4DBatch(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                   const DoubleArray3D& ZValues, Boolean bAllowExtrap, Span<const Double> W, Span<const Double> X,
                   Span<const Double> Y, Span<Double> Z, Span<BatchOutcome> outcomes, Span<FalseReason> reasons,
                   const BatchOptions& options) try {
    const batch::KeepLastFalse kept;
    batch::RequireSameLength(W.size(), {X.size(), Y.size(), Z.size(), outcomes.size()});
    batch::RequireReasons(W.size(), reasons);
    batch::RequireApart({WValues, XValues, YValues, ZValues}, {W, X, Y}, Z, outcomes, reasons);
    if (W.empty()) return;
    const bool rising = !rt::kStepByStep && TableSteps::HasGridBounds(WValues, XValues, YValues, ZValues) &&
                        RisesWithoutNaN(WValues) && RisesWithoutNaN(XValues) && RisesWithoutNaN(YValues);
    if (!rising && !TableSteps::IsUsableGrid(WValues, XValues, YValues, ZValues)) {
        TableSteps::RefuseGrid(WValues, XValues, YValues, ZValues);
        return RecordFalse(outcomes, reasons);
    }
    const unsigned threads = rt::kStepByStep ? 1 : batch::ThreadsFor(options, W.size());
    if (!rising) {  // a NaN on an axis: the grid's own scan, target by target
        const cInterp2 single;
        batch::ForEachTarget(W.size(), outcomes, reasons, threads, [&](std::size_t i) {
            return static_cast<bool>(
                single.Interp4D(WValues, XValues, YValues, ZValues, bAllowExtrap, W[i], X[i], Y[i], Z[i]));
        });
        return;
    }
    const Axis wAxis(WValues), xAxis(XValues), yAxis(YValues);
    batch::ForEachRun(W.size(), threads, [&](std::size_t begin, std::size_t end) {
        const Double* const z = ZValues.begin();
        for (std::size_t i = begin; i < end; ++i) {
            if (TERVANIX_LIKELY(MayBeInside(bAllowExtrap, wAxis.values, wAxis.n, W[i]) &&
                                MayBeInside(bAllowExtrap, xAxis.values, xAxis.n, X[i]) &&
                                MayBeInside(bAllowExtrap, yAxis.values, yAxis.n, Y[i]))) {
                Double value;
                if (TERVANIX_LIKELY(
                        PlainTrilinear(z, xAxis.n, yAxis.n, wAxis, xAxis, yAxis, W[i], X[i], Y[i], value))) {
                    Z[i] = value;
                    outcomes[i] = BatchOutcome::ReturnedTrue;
                    if (!reasons.empty()) reasons[i] = FalseReason::None;
                    continue;
                }
            }
            outcomes[i] = LookUpGrid(WValues, XValues, YValues, ZValues, bAllowExtrap, W[i], X[i], Y[i], Z[i],
                                     batch::ReasonSlot(reasons, i));
        }
    });
} catch (...) { rt::RethrowFrom("Interp4DBatch"); }

}  // namespace tervanix
