// What the batch lookups share: the private steps of the single lookups, and the
// loop that looks up each target, records its outcome and shares the targets among
// threads.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <new>
#include <thread>
#include <vector>

#include "Tervanix/Batch.h"
#include "Tervanix/CInterpolation.h"
#include "Tervanix/cInterp2.h"
#include "Tervanix/runtime/Checked.h"
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
        const Double* const first = grid.Elements(1, n);
        const Double* const p = std::lower_bound(first + 1, first + (n - 1), value);
        const auto i = static_cast<Long>(p - first) + 1;
        return {i - 1, i, p[-1], *p};
    }
};

inline bool HasNaN(const DoubleArray& values) {
    return std::any_of(values.begin(), values.end(), [](Double v) { return v != v; });
}

// Whether no value is greater than the next and none is a NaN: the order in which
// the binary search finds what the scan finds. A table the sort has been through
// need not be in it: with X and Y one array, every exchange of X is undone.
inline bool AscendingWithoutNaN(const DoubleArray& values) {
    const Double* const x = values.begin();
    const std::size_t count = values.size();
    for (std::size_t k = 1; k < count; ++k) {
        if (!(x[k - 1] <= x[k])) return false;  // out of order, or a NaN on either side
    }
    return true;
}

// Every span holds one slot per target; InvalidArgument before any work otherwise.
void RequireSameLength(std::size_t targets, std::initializer_list<std::size_t> others);

BatchOutcome OutcomeOf(ErrorKind kind) noexcept;

// The threads to use for `count` targets: few targets stay on one thread, where
// starting threads would cost more than it saves.
unsigned ThreadsFor(const BatchOptions& options, std::size_t count) noexcept;

// Looks up target i with lookUp(i), which returns whether the single call returns
// True and raises what it raises, and records the outcome. The targets are cut into
// one consecutive run per thread; each target's outcome depends on nothing else, so
// the results are the same for any number of threads. A worker that cannot be
// started (no memory, no thread left to the process) leaves its run and every later
// one to the calling thread, once the workers already started are running.
template <typename LookUp>
void ForEachTarget(std::size_t count, Span<BatchOutcome> outcomes, unsigned threads, const LookUp& lookUp) {
    const auto run = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            try {
                outcomes[i] = lookUp(i) ? BatchOutcome::ReturnedTrue : BatchOutcome::ReturnedFalse;
            } catch (const LibraryError& e) {
                outcomes[i] = OutcomeOf(e.kind());
            } catch (const std::bad_alloc&) {
                outcomes[i] = BatchOutcome::OutOfMemory;
            }
        }
    };
    if (threads <= 1) {
        run(0, count);
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
            left = begin;
            break;
        }
    }
    run(0, std::min(count, share));
    run(left, count);
    for (std::thread& worker : workers) worker.join();
}

}  // namespace tervanix::batch
