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
                   Span<Double> Y, Span<BatchOutcome> outcomes, const BatchOptions& options) {
    batch::RequireSameLength(targets.size(), {Y.size(), outcomes.size()});
    if (targets.empty()) return;  // no single call, so the arrays stay as they are
    Long n = 0;
    const bool usable = TableSteps::PreparePairTable(XValues, YValues, n);  // the first single call's check
    const auto lookUpPrepared = [&](std::size_t i) {
        if (!bAllowExtrap && TableSteps::IsOutside(XValues, n, targets[i])) return false;
        return true;
    };
    if (batch::HasNaN(XValues)) {
        // Each single call sorts again, and with a NaN the sort may move the table on:
        // every target takes the single call, in order. The first one's sort is done.
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
}

void Interp3DBatch(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                   Boolean bAllowExtrap, Span<const Double> X, Span<const Double> Y, Span<Double> Z,
                   Span<BatchOutcome> outcomes, const BatchOptions& options) {
    batch::RequireSameLength(X.size(), {Y.size(), Z.size(), outcomes.size()});
    if (X.empty()) return;
    if (!TableSteps::IsUsableGrid(XValues, YValues, ZValues)) return RecordFalse(outcomes);
    const unsigned threads = batch::ThreadsFor(options, X.size());
    if (batch::HasNaN(XValues) || batch::HasNaN(YValues)) {  // the grid's own scan, target by target
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
        TableSteps::AssignBilinear(ZValues, TableSteps::SearchBracket(XValues, nx, X[i]),
                                   TableSteps::SearchBracket(YValues, ny, Y[i]), X[i], Y[i], Z[i]);
        return true;
    });
}

void Interp4DBatch(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                   const DoubleArray3D& ZValues, Boolean bAllowExtrap, Span<const Double> W, Span<const Double> X,
                   Span<const Double> Y, Span<Double> Z, Span<BatchOutcome> outcomes, const BatchOptions& options) {
    batch::RequireSameLength(W.size(), {X.size(), Y.size(), Z.size(), outcomes.size()});
    if (W.empty()) return;
    if (!TableSteps::IsUsableGrid(WValues, XValues, YValues, ZValues)) return RecordFalse(outcomes);
    const unsigned threads = batch::ThreadsFor(options, W.size());
    if (batch::HasNaN(WValues) || batch::HasNaN(XValues) || batch::HasNaN(YValues)) {
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
        TableSteps::AssignTrilinear(ZValues, TableSteps::SearchBracket(WValues, nw, W[i]),
                                    TableSteps::SearchBracket(XValues, nx, X[i]),
                                    TableSteps::SearchBracket(YValues, ny, Y[i]), W[i], X[i], Y[i], Z[i]);
        return true;
    });
}

}  // namespace tervanix
