#include "Tervanix/batch/BatchSteps.h"

#include <atomic>

#include "Tervanix/runtime/MessageText.h"

namespace tervanix::batch {

namespace {

// Below this many targets per thread, one thread does the work.
std::atomic<std::size_t> targetsPerThread{16384};

}  // namespace

void RequireSameLength(std::size_t targets, std::initializer_list<std::size_t> others) {
    for (const std::size_t size : others) {
        if (size != targets) {
            rt::MessageText<> text;
            text << "the batch's spans differ in length: " << targets << " targets, a span of " << size
                 << "; pass one result and one outcome (and, when asked for, one reason) for each target";
            rt::Raise(ErrorKind::InvalidArgument, text.c_str());
        }
    }
}

void RequireReasons(std::size_t targets, Span<FalseReason> reasons) {
    if (!reasons.empty()) RequireSameLength(targets, {reasons.size()});
}

namespace {

bool Overlap(const Extent& a, const Extent& b) noexcept {
    return a.begin < b.end && b.begin < a.end;  // an empty extent overlaps nothing
}

[[noreturn]] void RaiseOverlap() {
    rt::Raise(ErrorKind::InvalidArgument,
              "the batch's spans overlap: the results, the outcomes and the reasons must each lie apart from the "
              "other spans, and every span apart from the tables; pass each in memory of its own (the results may "
              "be a span of targets itself)");
}

}  // namespace

void RequireApart(std::initializer_list<Extent> tables, std::initializer_list<Extent> targets, Extent results,
                  Extent outcomes, Extent reasons) {
    for (const Extent& target : targets) {
        const bool same = target.begin == results.begin && target.end == results.end;
        if ((Overlap(target, results) && !same) || Overlap(target, outcomes) || Overlap(target, reasons)) {
            RaiseOverlap();
        }
    }
    if (Overlap(results, outcomes) || Overlap(results, reasons) || Overlap(outcomes, reasons)) RaiseOverlap();
    for (const Extent& table : tables) {
        for (const Extent& span : {results, outcomes, reasons}) {
            if (Overlap(table, span)) RaiseOverlap();
        }
        for (const Extent& target : targets) {
            if (Overlap(table, target)) RaiseOverlap();
        }
    }
}

void RecordFalse(Span<BatchOutcome> outcomes, Span<FalseReason> reasons) noexcept {
    std::fill(outcomes.begin(), outcomes.end(), BatchOutcome::ReturnedFalse);
    std::fill(reasons.begin(), reasons.end(), rt::LastFalseCode());
}

bool TableSteps::RefusePairTable(const DoubleArray& XValues, const DoubleArray& YValues) {
    return cInterp2().RefusePairTable("Interp2DBatch", XValues, YValues);
}

bool TableSteps::RefuseGrid(const DoubleArray& X, const DoubleArray& Y, const DoubleArray2D& Z) {
    return cInterp2().RefuseGrid("Interp3DBatch", X, Y, Z);
}

bool TableSteps::RefuseGrid(const DoubleArray& W, const DoubleArray& X, const DoubleArray& Y, const DoubleArray3D& Z) {
    return cInterp2().RefuseGrid("Interp4DBatch", W, X, Y, Z);
}

bool TableSteps::RefuseOutside(const DoubleArray& XValues, Double X) {
    return cInterp2().RefuseOutside("Interp2DBatch", "X", X, "XValues", XValues, XValues.UBound(),
                                    "bAllowExtrap is False");
}

bool TableSteps::RefuseOutside(const DoubleArray& XValues, const DoubleArray& YValues, Double X, Double Y) {
    const cInterp2 single;
    constexpr const char* where = "Interp3DBatch";
    constexpr const char* refusal = "bAllowExtrap is False";
    const Long nx = XValues.UBound();
    if (single.IsOutside(XValues, nx, X)) return single.RefuseOutside(where, "X", X, "XValues", XValues, nx, refusal);
    return single.RefuseOutside(where, "Y", Y, "YValues", YValues, YValues.UBound(), refusal);
}

bool TableSteps::RefuseOutside(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                               Double W, Double X, Double Y) {
    const cInterp2 single;
    constexpr const char* where = "Interp4DBatch";
    constexpr const char* refusal = "bAllowExtrap is False";
    const Long nw = WValues.UBound(), nx = XValues.UBound();
    if (single.IsOutside(WValues, nw, W)) return single.RefuseOutside(where, "W", W, "WValues", WValues, nw, refusal);
    if (single.IsOutside(XValues, nx, X)) return single.RefuseOutside(where, "X", X, "XValues", XValues, nx, refusal);
    return single.RefuseOutside(where, "Y", Y, "YValues", YValues, YValues.UBound(), refusal);
}

bool TableSteps::RefuseOutsideTable(Double dXTarget, const DoubleArray& dXArray) {
    return CInterpolation::Default().RefuseOutsideTable("InterpolationOf1DArrayBatch", dXTarget, dXArray);
}

bool TableSteps::RefuseEqualEnds(const DoubleArray& dXArray, Integer i1, Integer i2) {
    return CInterpolation::Default().RefuseEqualEnds("InterpolationOf1DArrayBatch", dXArray, i1, i2);
}

BatchOutcome OutcomeOf(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::OverflowError: return BatchOutcome::OverflowError;
        case ErrorKind::SubscriptOutOfRange: return BatchOutcome::SubscriptOutOfRange;
        case ErrorKind::FloatingPointFault: return BatchOutcome::FloatingPointFault;
        case ErrorKind::InvalidArgument: return BatchOutcome::InvalidArgument;
        case ErrorKind::TypeMismatch: return BatchOutcome::TypeMismatch;
        case ErrorKind::MissingObject: return BatchOutcome::MissingObject;
        case ErrorKind::OutOfMemory: return BatchOutcome::OutOfMemory;
    }
    return BatchOutcome::InvalidArgument;
}

unsigned ThreadsFor(const BatchOptions& options, std::size_t count) noexcept {
    std::size_t threads = options.threads;
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t least = targetsPerThread.load(std::memory_order_relaxed);
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min(threads, count / least)));
}

void SetTargetsPerThread(std::size_t targets) noexcept {
    targetsPerThread.store(std::max<std::size_t>(1, targets), std::memory_order_relaxed);
}

}  // namespace tervanix::batch
