// What the batch lookups share: the private steps of the single lookups, and the
// loop that looks up each target, records its outcome and shares the targets among
// threads.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <thread>
#include <vector>

#include "Tervanix/Batch.h"
#include "Tervanix/CInterpolation.h"
#include "Tervanix/batch/BatchSearch.h"
#include "Tervanix/cInterp2.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/LibraryError.h"

namespace tervanix::batch {

// The private steps of the single lookups that the batch lookups call, so that each
// target's digits, False and errors come from the same code.
struct TableSteps {
    using Bracket = cInterp2::Bracket;

    static void SortTable(DoubleArray& dXArray, DoubleArray& dYArray) {
        CInterpolation::Default().SortTable(dXArray, dYArray);
    }
    static Boolean LookUpSortedTable(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                                     BoundaryCondition eExtrapolationType, Double& dYResult) {
        return CInterpolation::Default().LookUpSortedTable(dXTarget, dXArray, dYArray, eExtrapolationType,
                                                           dYResult);
    }
    static void AssignTableValue(Double dXTarget, const DoubleArray& dXArray, const DoubleArray& dYArray,
                                 BoundaryCondition eExtrapolationType, Integer i1, Integer i2, Double f,
                                 Boolean outside, Double& dYResult) {
        CInterpolation::Default().AssignTableValue(dXTarget, dXArray, dYArray, eExtrapolationType, i1, i2, f,
                                                   outside, dYResult);
    }

    static bool PreparePairTable(DoubleArray& XValues, DoubleArray& YValues, Long& n) {
        return cInterp2().PreparePairTable(XValues, YValues, n);
    }
    static bool HasPairTableBounds(const DoubleArray& XValues, const DoubleArray& YValues) {
        return cInterp2().HasPairTableBounds(XValues, YValues);
    }
    static bool HasGridBounds(const DoubleArray& X, const DoubleArray& Y, const DoubleArray2D& Z) {
        return cInterp2().HasGridBounds(X, Y, Z);
    }
    static bool HasGridBounds(const DoubleArray& W, const DoubleArray& X, const DoubleArray& Y,
                              const DoubleArray3D& Z) {
        return cInterp2().HasGridBounds(W, X, Y, Z);
    }
    static bool IsUsableGrid(const DoubleArray& X, const DoubleArray& Y, const DoubleArray2D& Z) {
        return cInterp2().IsUsableGrid(X, Y, Z);
    }
    static bool IsUsableGrid(const DoubleArray& W, const DoubleArray& X, const DoubleArray& Y,
                             const DoubleArray3D& Z) {
        return cInterp2().IsUsableGrid(W, X, Y, Z);
    }
    static bool IsOutside(const DoubleArray& grid, Long n, Double value) {
        return cInterp2().IsOutside(grid, n, value);
    }

    // The False paths of the single lookups, which record the reason of a False:
    // out of line (BatchRun.cpp), so that a target's path to True loads nothing more.
    TERVANIX_COLD_NOINLINE static bool RefusePairTable(const DoubleArray& XValues, const DoubleArray& YValues);
    TERVANIX_COLD_NOINLINE static bool RefuseGrid(const DoubleArray& X, const DoubleArray& Y,
                                                  const DoubleArray2D& Z);
    TERVANIX_COLD_NOINLINE static bool RefuseGrid(const DoubleArray& W, const DoubleArray& X, const DoubleArray& Y,
                                                  const DoubleArray3D& Z);
    // The first coordinate that lies outside its grid, bAllowExtrap being False.
    TERVANIX_COLD_NOINLINE static bool RefuseOutside(const DoubleArray& XValues, Double X);
    TERVANIX_COLD_NOINLINE static bool RefuseOutside(const DoubleArray& XValues, const DoubleArray& YValues, Double X,
                                                     Double Y);
    TERVANIX_COLD_NOINLINE static bool RefuseOutside(const DoubleArray& WValues, const DoubleArray& XValues,
                                                     const DoubleArray& YValues, Double W, Double X, Double Y);
    TERVANIX_COLD_NOINLINE static bool RefuseOutsideTable(Double dXTarget, const DoubleArray& dXArray);
    TERVANIX_COLD_NOINLINE static bool RefuseEqualEnds(const DoubleArray& dXArray, Integer i1, Integer i2);

    static void AssignInterpolated(const DoubleArray& XValues, const DoubleArray& YValues, Long n, Double X,
                                   Double& Y) {
        cInterp2().AssignInterpolated(XValues, YValues, n, X, Y);
    }
    static void AssignOnInterval(const DoubleArray& YValues, const Bracket& b, Double X, Double& Y) {
        cInterp2().AssignOnInterval(YValues, b, X, Y);
    }
    static void AssignBilinear(const DoubleArray2D& Z, const Bracket& x, const Bracket& y, Double X, Double Y,
                               Double& out) {
        cInterp2().AssignBilinear(Z, x, y, X, Y, out);
    }
    static void AssignTrilinear(const DoubleArray3D& Z, const Bracket& w, const Bracket& x, const Bracket& y,
                                Double W, Double X, Double Y, Double& out) {
        cInterp2().AssignTrilinear(Z, w, x, y, W, X, Y, out);
    }

    // The interval of a grid's search from subscript 2 upwards (cInterp2), found by
    // binary search: the first subscript from 2 to n - 1 whose value is not below the
    // coordinate, else n. The same interval as the scan whenever `value < grid(i)`
    // turns from true to false only once along the grid, which holds for an
    // ascending grid without NaN, and for a NaN coordinate (false from the start).
    static Bracket SearchBracket(const DoubleArray& grid, Long n, Double value) {
        return BracketAt(grid.Elements(1, n), n, value);
    }
    // The same on the grid's elements, grid(1) being first[0].
    static Bracket BracketAt(const Double* first, Long n, Double value) {
        const auto i = static_cast<Long>(CountBelow(first + 1, static_cast<std::size_t>(n - 2), value)) + 2;
        return {i - 1, i, first[i - 2], first[i - 1]};
    }
};

inline bool HasNaN(const DoubleArray& values) {
    return std::any_of(values.begin(), values.end(), [](Double v) { return v != v; });
}

// Every span holds one slot per target; InvalidArgument before any work otherwise.
void RequireSameLength(std::size_t targets, std::initializer_list<std::size_t> others);
// An empty `reasons` asks for none; any other must hold a slot per target.
void RequireReasons(std::size_t targets, Span<FalseReason> reasons);

// The memory that a span or a table's elements take, for RequireApart.
struct Extent {
    std::uintptr_t begin = 0, end = 0;
    template <typename T>
    Extent(Span<T> span) noexcept  // NOLINT: implicit, for the lists of RequireApart
        : begin(reinterpret_cast<std::uintptr_t>(span.data())),
          end(reinterpret_cast<std::uintptr_t>(span.data() + span.size())) {}
    template <typename T, int kRank>
    Extent(const rt::BasicArray<T, kRank>& table) noexcept  // NOLINT: as above
        : Extent(Span<const T>(table.begin(), table.size())) {}
};

// The results, the outcomes and the reasons each lie apart from the other spans, and
// every span apart from the tables, except that the results may be a span of targets
// itself (the same memory, whole), each result then taking its target's place.
// InvalidArgument before any work otherwise: a target overwritten part way through
// the call would be looked up as some loop of single calls, but not by one the call
// could name.
void RequireApart(std::initializer_list<Extent> tables, std::initializer_list<Extent> targets, Extent results,
                  Extent outcomes, Extent reasons);

BatchOutcome OutcomeOf(ErrorKind kind) noexcept;

// The threads to use for `count` targets: few targets stay on one thread, where
// starting threads would cost more than it saves.
unsigned ThreadsFor(const BatchOptions& options, std::size_t count) noexcept;

// The least number of targets per thread (16384). Not exported: a program linked to
// the static library may lower it, as the differential check does, so that batches
// of a few dozen targets already split among threads. The results never depend on
// it, which that check proves against the reference build's single thread.
void SetTargetsPerThread(std::size_t targets) noexcept;

// Keeps the calling thread's last False (LastFalseReason) as the batch found it: each
// target's reason goes to its span, and which single calls ran on the calling
// thread depends on the threads.
class KeepLastFalse {
public:
    KeepLastFalse() noexcept { rt::SaveLastFalse(saved_); }
    ~KeepLastFalse() { rt::RestoreLastFalse(saved_); }
    KeepLastFalse(const KeepLastFalse&) = delete;
    KeepLastFalse& operator=(const KeepLastFalse&) = delete;

private:
    rt::LastFalse saved_;
};

// Every target's outcome ReturnedFalse, and its reason (when asked for) the one just
// recorded on this thread: the table itself said no.
void RecordFalse(Span<BatchOutcome> outcomes, Span<FalseReason> reasons) noexcept;

// Runs run(begin, end) over consecutive runs of the targets 0 to count - 1, one run
// per thread, the first on the calling thread. A worker that cannot be started (no
// memory, no thread left to the process) leaves its run and every later one to the
// calling thread, once the workers already started are running.
template <typename Run>
void ForEachRun(std::size_t count, unsigned threads, const Run& run) {
    if (threads <= 1) {
        run(std::size_t{0}, count);
        return;
    }
    std::vector<std::thread> workers;
    workers.reserve(threads - 1);  // before any worker starts: a failure here ends the call with nothing done
    const std::size_t share = (count + threads - 1) / threads;
    std::size_t left = count;  // the first target of the runs no worker took
    for (std::size_t begin = share; begin < count; begin += share) {
        try {
            workers.emplace_back(run, begin, std::min(count, begin + share));
        } catch (const std::exception&) {  // std::system_error, or std::bad_alloc for the thread's state
            // Tested by tests/allocation; differential: unreachable
            left = begin;
            break;
        }
    }
    run(std::size_t{0}, std::min(count, share));
    run(left, count);
    for (std::thread& worker : workers) worker.join();
}

// The outcome of one target: lookUp() returns whether the single call returns True
// and raises what it raises. When `reason` is not null it receives the reason of a
// False, and FalseReason::None otherwise.
template <typename LookUp>
BatchOutcome OutcomeOfCall(const LookUp& lookUp, FalseReason* reason) {
    if (reason != nullptr) *reason = FalseReason::None;
    try {
        if (lookUp()) return BatchOutcome::ReturnedTrue;
        if (reason != nullptr) *reason = rt::LastFalseCode();
        return BatchOutcome::ReturnedFalse;
    } catch (const LibraryError& e) {
        return OutcomeOf(e.kind());
    } catch (const std::bad_alloc&) {
        // Tested by tests/allocation; differential: unreachable
        return BatchOutcome::OutOfMemory;
    }
}

// The slot of target i in `reasons`, or null when no reasons were asked for.
inline FalseReason* ReasonSlot(Span<FalseReason> reasons, std::size_t i) noexcept {
    return reasons.empty() ? nullptr : reasons.data() + i;
}

// Looks up target i with lookUp(i), which returns whether the single call returns
// True and raises what it raises, and records the outcome, and with it, when
// `reasons` is not empty, the reason of a False. The targets are cut into one
// consecutive run per thread; each target's outcome depends on nothing else, so the
// results are the same for any number of threads.
template <typename LookUp>
void ForEachTarget(std::size_t count, Span<BatchOutcome> outcomes, Span<FalseReason> reasons, unsigned threads,
                   const LookUp& lookUp) {
    ForEachRun(count, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            outcomes[i] = OutcomeOfCall([&] { return lookUp(i); }, ReasonSlot(reasons, i));
        }
    });
}

}  // namespace tervanix::batch
