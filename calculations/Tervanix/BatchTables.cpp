// Interp2DBatch, Interp3DBatch, Interp4DBatch: the table lookups of cInterp2 at many
// targets.
#include <algorithm>

#include "Tervanix/BatchSteps.h"

namespace tervanix {

using batch::TableSteps;

namespace {

void RecordFalse(Span<BatchOutcome> outcomes) { std::fill(outcomes.begin(), outcomes.end(), BatchOutcome::ReturnedFalse); }

}  // namespace

void Interp2DBatch(DoubleArray& XValues, DoubleArray& YValues, Boolean bAllowExtrap, Span<const Double> targets,
                   Span<Double> Y, Span<BatchOutcome> outcomes, const BatchOptions& options) try {
    batch::RequireSameLength(targets.size(), {Y.size(), outcomes.size()});
    if (targets.empty()) return;  // no single call, so the arrays stay as they are
    Long n = 0;
    const bool usable = TableSteps::PreparePairTable(XValues, YValues, n);  // the first single call's check
    const auto lookUpPrepared = [&](std::size_t i) {
        if (!bAllowExtrap && TableSteps::IsOutside(XValues, n, targets[i])) return false;
        return true;
    };
    if (rt::kStepByStep || !batch::AscendingWithoutNaN(XValues)) {
        // Each single call sorts again, and with a NaN the sort may move the table on
        // (with X and Y one array it leaves X out of order): every target takes the
        // single call, in order. The first one's sort is done.
        const cInterp2 single;
        batch::ForEachTarget(targets.size(), outcomes, 1, [&](std::size_t i) -> bool {
            if (i > 0) return static_cast<bool>(single.Interp2D(XValues, YValues, bAllowExtrap, targets[i], Y[i]));
            if (!usable || !lookUpPrepared(i)) return false;
            TableSteps::AssignInterpolated(XValues, YValues, n, targets[i], Y[i]);
            return true;
        });
        return;
    }
    if (!usable) return RecordFalse(outcomes);
    batch::ForEachTarget(targets.size(), outcomes, batch::ThreadsFor(options, targets.size()), [&](std::size_t i) {
        if (!lookUpPrepared(i)) return false;
        TableSteps::AssignOnInterval(YValues, TableSteps::SearchBracket(XValues, n, targets[i]), targets[i], Y[i]);
        return true;
    });
} catch (...) { rt::RethrowFrom("Interp2DBatch"); }

void Interp3DBatch(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                   Boolean bAllowExtrap, Span<const Double> X, Span<const Double> Y, Span<Double> Z,
                   Span<BatchOutcome> outcomes, const BatchOptions& options) try {
    batch::RequireSameLength(X.size(), {Y.size(), Z.size(), outcomes.size()});
    if (X.empty()) return;
    if (!TableSteps::IsUsableGrid(XValues, YValues, ZValues)) return RecordFalse(outcomes);
    const unsigned threads = rt::kStepByStep ? 1 : batch::ThreadsFor(options, X.size());
    if (rt::kStepByStep || batch::HasNaN(XValues) || batch::HasNaN(YValues)) {  // the grid's own scan, target by target
        const cInterp2 single;
        batch::ForEachTarget(X.size(), outcomes, threads, [&](std::size_t i) {
            return static_cast<bool>(single.Interp3D(XValues, YValues, ZValues, bAllowExtrap, X[i], Y[i], Z[i]));
        });
        return;
    }
    const Long nx = XValues.UBound();
    const Long ny = YValues.UBound();
    batch::ForEachTarget(X.size(), outcomes, threads, [&](std::size_t i) {
        if (!bAllowExtrap && (TableSteps::IsOutside(XValues, nx, X[i]) || TableSteps::IsOutside(YValues, ny, Y[i]))) {
            return false;
        }
        const auto x = TableSteps::SearchBracket(XValues, nx, X[i]);
        const auto y = TableSteps::SearchBracket(YValues, ny, Y[i]);
        TableSteps::AssignBilinear(ZValues, x, y, X[i], Y[i], Z[i]);
        return true;
    });
} catch (...) { rt::RethrowFrom("Interp3DBatch"); }

void Interp4DBatch(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                   const DoubleArray3D& ZValues, Boolean bAllowExtrap, Span<const Double> W, Span<const Double> X,
                   Span<const Double> Y, Span<Double> Z, Span<BatchOutcome> outcomes, const BatchOptions& options) try {
    batch::RequireSameLength(W.size(), {X.size(), Y.size(), Z.size(), outcomes.size()});
    if (W.empty()) return;
    if (!TableSteps::IsUsableGrid(WValues, XValues, YValues, ZValues)) return RecordFalse(outcomes);
    const unsigned threads = rt::kStepByStep ? 1 : batch::ThreadsFor(options, W.size());
    if (rt::kStepByStep || batch::HasNaN(WValues) || batch::HasNaN(XValues) || batch::HasNaN(YValues)) {
        const cInterp2 single;
        batch::ForEachTarget(W.size(), outcomes, threads, [&](std::size_t i) {
            return static_cast<bool>(
                single.Interp4D(WValues, XValues, YValues, ZValues, bAllowExtrap, W[i], X[i], Y[i], Z[i]));
        });
        return;
    }
    const Long nw = WValues.UBound();
    const Long nx = XValues.UBound();
    const Long ny = YValues.UBound();
    batch::ForEachTarget(W.size(), outcomes, threads, [&](std::size_t i) {
        if (!bAllowExtrap && (TableSteps::IsOutside(WValues, nw, W[i]) || TableSteps::IsOutside(XValues, nx, X[i]) ||
                              TableSteps::IsOutside(YValues, ny, Y[i]))) {
            return false;
        }
        const auto w = TableSteps::SearchBracket(WValues, nw, W[i]);
        const auto x = TableSteps::SearchBracket(XValues, nx, X[i]);
        const auto y = TableSteps::SearchBracket(YValues, ny, Y[i]);
        TableSteps::AssignTrilinear(ZValues, w, x, y, W[i], X[i], Y[i], Z[i]);
        return true;
    });
} catch (...) { rt::RethrowFrom("Interp4DBatch"); }

}  // namespace tervanix
