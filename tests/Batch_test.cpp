// The batch lookups against the single calls, target by target: the same value to
// the bit, the same False, the same error, the same slot after an error, and the
// same arrays afterwards.
#include <Tervanix/Batch.h>
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include <cmath>
#include <functional>
#include <random>

#include "TestSupport.h"

namespace tervanix {
namespace {

using testing::Bits;
using testing::kInf;
using testing::kMax;
using testing::kNaN;

constexpr double kSentinel = -7.25;  // what every result slot holds before a call

void ExpectSameSlots(const std::vector<BatchOutcome>& expected, const std::vector<double>& expectedValues,
                     const std::vector<BatchOutcome>& actual, const std::vector<double>& actualValues,
                     const std::string& where) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<int>(expected[i]), static_cast<int>(actual[i])) << where << ", target " << i;
        EXPECT_EQ(Bits(expectedValues[i]), Bits(actualValues[i])) << where << ", target " << i;
    }
}

void ExpectSameArray(const DoubleArray& expected, const DoubleArray& actual, const std::string& where) {
    ASSERT_EQ(expected.size(), actual.size()) << where;
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(Bits(expected.begin()[k]), Bits(actual.begin()[k])) << where << ", element " << k;
    }
}

// The single call at each of n targets in turn (its Boolean, or the kind of its error),
// then the batch call at all of them: the same outcome and slot for each. When the
// batch call fails as a whole, every single call must have raised that error; false then.
bool ExpectBatchAsSingle(std::size_t n, const std::function<Boolean(std::size_t, double&)>& single,
                         const std::function<void(Span<Double>, Span<BatchOutcome>)>& batch, const std::string& where) {
    std::vector<double> expected(n, kSentinel), actual(n, kSentinel);
    std::vector<BatchOutcome> expectedOutcome(n), actualOutcome(n);
    for (std::size_t i = 0; i < n; ++i) {
        try {
            expectedOutcome[i] = single(i, expected[i]) ? BatchOutcome::ReturnedTrue : BatchOutcome::ReturnedFalse;
        } catch (const LibraryError& e) {
            expectedOutcome[i] = static_cast<BatchOutcome>(static_cast<int>(e.kind()) + 2);  // ErrorKind's order
        }
    }
    try {
        batch(actual, actualOutcome);
    } catch (const LibraryError& e) {
        for (const BatchOutcome o : expectedOutcome) EXPECT_EQ(static_cast<int>(o), static_cast<int>(e.kind()) + 2) << where;
        return false;
    }
    ExpectSameSlots(expectedOutcome, expected, actualOutcome, actual, where);
    return true;
}

// Values with repeats and every kind of special value; NaN only where asked for.
std::vector<double> RandomValues(std::mt19937& rng, std::size_t n, bool withNaN) {
    static const double pool[] = {-kInf, -kMax, -1e300, -3, -2, -1, -0.0, 0.0, 5e-324, 1, 1, 2, 2, 2.5,
                                  3, 1e-300, 1e300, kMax, kInf, 0.5, 7, 7, 100, -100};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pool) - 1);
    std::vector<double> v(n);
    for (double& x : v) x = pool[pick(rng)];
    if (withNaN && n > 0) v[rng() % n] = kNaN;
    return v;
}

// Every table point, its neighbours in both directions, the midpoints, the ends of
// the Double range and NaN.
std::vector<double> TargetsAround(const std::vector<double>& points) {
    std::vector<double> t = {-kInf, kInf, kNaN, -kMax, kMax, 0.0, -0.0};
    for (std::size_t k = 0; k < points.size(); ++k) {
        t.push_back(points[k]);
        t.push_back(std::nextafter(points[k], -kInf));
        t.push_back(std::nextafter(points[k], kInf));
        if (k > 0) t.push_back(points[k - 1] / 2 + points[k] / 2);
    }
    return t;
}

TEST(Batch1D, EqualsTheSingleCallTargetByTarget) {
    std::mt19937 rng(10);
    const CInterpolation single;
    // lower bound, points, NaN among the X values, Y: 0 the same bounds, 1 one short, 2 never given bounds
    struct Table { Long lower; std::size_t n; bool nan; int y; };
    const Table tables[] = {{1, 1, false, 0},  {1, 2, false, 0},  {0, 5, false, 0},   {-3, 9, false, 0},
                            {1, 12, true, 0},  {1, 6, false, 1},  {1, 4, false, 2},   {32760, 8, false, 0},
                            {-32768, 2, false, 0}, {1, 1000, false, 0}, {5, 40, true, 0}, {-32768, 1, false, 0}};
    for (const Table& tb : tables) {
        for (int round = 0; round < 4; ++round) {
            const std::vector<double> xs = RandomValues(rng, tb.n, tb.nan);
            const std::vector<double> ys = RandomValues(rng, tb.n, round == 3);
            const DoubleArray x0 = DoubleArray(tb.lower, xs);
            const DoubleArray y0 = tb.y == 2 ? DoubleArray() : DoubleArray(tb.lower, tb.y == 1 ? std::vector<double>(ys.begin(), ys.end() - 1) : ys);
            const std::vector<double> targets = TargetsAround(xs);
            for (const BoundaryCondition mode : {NO_EXTRAPOLATION, EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT,
                                                 static_cast<BoundaryCondition>(7)}) {
                DoubleArray xSingle = x0, ySingle = y0, xBatch = x0, yBatch = y0;
                const std::string where = "table at " + std::to_string(tb.lower) + " of " + std::to_string(tb.n) +
                                          ", round " + std::to_string(round) + ", mode " + std::to_string(mode);
                const bool returned = ExpectBatchAsSingle(
                    targets.size(),
                    [&](std::size_t i, double& out) {
                        return single.InterpolationOf1DArray(targets[i], xSingle, ySingle, mode, out);
                    },
                    [&](Span<Double> out, Span<BatchOutcome> outcomes) {
                        InterpolationOf1DArrayBatch(xBatch, yBatch, mode, targets, out, outcomes);
                    },
                    where);
                if (!returned) continue;
                ExpectSameArray(xSingle, xBatch, where);
                if (tb.y != 2) ExpectSameArray(ySingle, yBatch, where);
            }
        }
    }
}

TEST(Batch2D, EqualsTheSingleCallTargetByTarget) {
    std::mt19937 rng(20);
    const cInterp2 single;
    struct Table { Long lower; std::size_t n; bool nan; };
    const Table tables[] = {{1, 1, false}, {1, 2, false}, {1, 3, false}, {1, 9, false},
                            {0, 5, false}, {1, 12, true}, {1, 700, false}};
    for (const Table& tb : tables) {
        for (int round = 0; round < 6; ++round) {
            std::vector<double> xs = RandomValues(rng, tb.n, tb.nan);
            if (round % 2 == 1) {  // distinct X values, so that the table is usable
                for (std::size_t k = 0; k < xs.size(); ++k) xs[k] = std::ldexp(static_cast<double>(rng() % 4096), -3) + k;
                if (tb.nan) xs[rng() % xs.size()] = kNaN;
            }
            const DoubleArray x0 = DoubleArray(tb.lower, xs);
            const DoubleArray y0 = DoubleArray(tb.lower, RandomValues(rng, tb.n, false));
            const std::vector<double> targets = TargetsAround(xs);
            for (const bool allow : {false, true}) {
                DoubleArray xSingle = x0, ySingle = y0, xBatch = x0, yBatch = y0;
                const std::string where = "table of " + std::to_string(tb.n) + ", round " + std::to_string(round);
                ExpectBatchAsSingle(
                    targets.size(),
                    [&](std::size_t i, double& out) { return single.Interp2D(xSingle, ySingle, allow, targets[i], out); },
                    [&](Span<Double> out, Span<BatchOutcome> outcomes) {
                        Interp2DBatch(xBatch, yBatch, allow, targets, out, outcomes);
                    },
                    where);
                ExpectSameArray(xSingle, xBatch, where);
                ExpectSameArray(ySingle, yBatch, where);
            }
        }
    }
}

// An ascending grid of n points with a wide spread of steps; `nan` puts a NaN in it.
std::vector<double> RandomGrid(std::mt19937& rng, std::size_t n, bool nan) {
    std::vector<double> g(n);
    double x = -static_cast<double>(rng() % 100);
    for (double& v : g) v = x += std::ldexp(1.0 + rng() % 8, static_cast<int>(rng() % 40) - 20);
    if (nan) g[rng() % n] = kNaN;
    return g;
}

// Targets along one axis of a grid, drawn from TargetsAround(grid).
std::vector<double> Coordinates(std::mt19937& rng, const std::vector<double>& grid, std::size_t count) {
    const std::vector<double> around = TargetsAround(grid);
    std::vector<double> c(count);
    for (double& v : c) v = around[rng() % around.size()];
    return c;
}

TEST(BatchGrid, Interp3DAndInterp4DEqualTheSingleCallTargetByTarget) {
    std::mt19937 rng(30);
    const cInterp2 single;
    constexpr std::size_t kTargets = 600;
    for (int round = 0; round < 8; ++round) {
        const bool nan = round == 3, unusable = round == 5, huge = round == 6;
        const std::size_t nw = 2 + rng() % 3, nx = 2 + rng() % 9, ny = 2 + rng() % 30;
        std::vector<double> wg = RandomGrid(rng, nw, false), xg = RandomGrid(rng, nx, nan), yg = RandomGrid(rng, ny, false);
        if (unusable) yg[1] = yg[0];
        const DoubleArray W = DoubleArray(1, wg), X = DoubleArray(1, xg), Y = DoubleArray(1, yg);
        DoubleArray2D Z2(1, static_cast<Long>(nx), 1, static_cast<Long>(ny));
        DoubleArray3D Z3(1, static_cast<Long>(nw), 1, static_cast<Long>(nx), 1, static_cast<Long>(ny));
        const std::vector<double> zs = RandomValues(rng, Z3.size(), false);
        std::copy(zs.begin(), zs.begin() + static_cast<long>(Z2.size()), Z2.begin());
        std::copy(zs.begin(), zs.end(), Z3.begin());
        if (huge) std::fill(Z3.begin(), Z3.end(), kMax);
        const std::vector<double> w = Coordinates(rng, wg, kTargets), x = Coordinates(rng, xg, kTargets),
                                  y = Coordinates(rng, yg, kTargets);
        for (const bool allow : {false, true}) {
            const std::string where = "round " + std::to_string(round) + (allow ? ", extrapolating" : "");
            ExpectBatchAsSingle(
                kTargets, [&](std::size_t i, double& out) { return single.Interp3D(X, Y, Z2, allow, x[i], y[i], out); },
                [&](Span<Double> out, Span<BatchOutcome> outcomes) { Interp3DBatch(X, Y, Z2, allow, x, y, out, outcomes); },
                "3-D, " + where);
            ExpectBatchAsSingle(
                kTargets,
                [&](std::size_t i, double& out) { return single.Interp4D(W, X, Y, Z3, allow, w[i], x[i], y[i], out); },
                [&](Span<Double> out, Span<BatchOutcome> outcomes) {
                    Interp4DBatch(W, X, Y, Z3, allow, w, x, y, out, outcomes);
                },
                "4-D, " + where);
        }
    }
}

TEST(BatchThreads, AnyNumberOfThreadsGivesTheResultsOfOne) {
    std::mt19937 rng(40);
    std::vector<double> xs(5000), ys(5000);
    for (std::size_t k = 0; k < xs.size(); ++k) xs[k] = static_cast<double>(k % 977) * 0.37;  // duplicates, unsorted
    for (double& v : ys) v = std::ldexp(static_cast<double>(rng() % 1000), 1014);  // some differences overflow
    std::vector<double> targets(100000);
    for (double& t : targets) t = std::ldexp(static_cast<double>(rng() % 8000) - 2000, -4);
    std::vector<double> reference;
    std::vector<BatchOutcome> referenceOutcome;
    for (const unsigned threads : {1u, 0u, 3u}) {
        DoubleArray x = DoubleArray(1, xs), y = DoubleArray(1, ys);
        std::vector<double> results(targets.size(), kSentinel);
        std::vector<BatchOutcome> outcomes(targets.size());
        InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes, BatchOptions{threads});
        if (threads == 1) {
            reference = results;
            referenceOutcome = outcomes;
            continue;
        }
        ExpectSameSlots(referenceOutcome, reference, outcomes, results, "threads " + std::to_string(threads));
    }
}

TEST(BatchBadInput, TheCallAsAWholeFailsBeforeAnySlotOrArrayChanges) {
    const DoubleArray unsorted = DoubleArray(1, {3.0, 1.0, 2.0});
    DoubleArray x = unsorted, y = unsorted, unbounded;
    double targets[] = {1.5, 2.5};
    std::vector<double> results = {kSentinel, kSentinel};
    std::vector<double> shortResults = {kSentinel};
    std::vector<BatchOutcome> outcomes(2, BatchOutcome::OutOfMemory);
    // Spans of different lengths: nothing sorted, nothing written.
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument,
                         InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, targets, shortResults, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, Interp2DBatch(x, y, true, targets, shortResults, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument,
                         Interp3DBatch(x, y, DoubleArray2D(), true, targets, shortResults, results, outcomes));
    ExpectSameArray(unsorted, x, "after unequal spans");
    // An error of the table ends the call before any slot is written.
    DoubleArray empty(1, 0), beyondInteger(40000, 40001);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange,
                         InterpolationOf1DArrayBatch(unbounded, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange,
                         InterpolationOf1DArrayBatch(empty, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError,
                         InterpolationOf1DArrayBatch(beyondInteger, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, Interp2DBatch(unbounded, y, true, targets, results, outcomes));
    EXPECT_EQ(Bits(kSentinel), Bits(results[0]));
    EXPECT_EQ(static_cast<int>(BatchOutcome::OutOfMemory), static_cast<int>(outcomes[1]));
    // No targets: no single call, so nothing is sorted.
    InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, Span<const Double>(), Span<Double>(), Span<BatchOutcome>());
    ExpectSameArray(unsorted, x, "after no targets");
}

}  // namespace
}  // namespace tervanix
