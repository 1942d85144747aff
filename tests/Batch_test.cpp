// The batch lookups where the differential check (fuzz/Differential.h) does not
// reach: many targets on several threads, and the call that fails as a whole.
#include <Tervanix/Batch.h>
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include <cmath>
#include <random>

#include "TestSupport.h"

namespace tervanix {
namespace {

using rt::BitsOf;

constexpr double kSentinel = -7.25;  // what every result slot holds before a call

void ExpectSameSlots(const std::vector<BatchOutcome>& expected, const std::vector<double>& expectedValues,
                     const std::vector<BatchOutcome>& actual, const std::vector<double>& actualValues,
                     const std::string& where) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<int>(expected[i]), static_cast<int>(actual[i])) << where << ", target " << i;
        EXPECT_EQ(BitsOf(expectedValues[i]), BitsOf(actualValues[i])) << where << ", target " << i;
    }
}

void ExpectSameArray(const DoubleArray& expected, const DoubleArray& actual, const std::string& where) {
    ASSERT_EQ(expected.size(), actual.size()) << where;
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(BitsOf(expected.begin()[k]), BitsOf(actual.begin()[k])) << where << ", element " << k;
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
    // Spans that overlap, but for results that are the targets themselves: nothing sorted.
    double shared[] = {1.5, 2.5, 0.5};
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument,
                         InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, Span<const Double>(shared, 2),
                                                     Span<Double>(shared + 1, 2), outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument,
                         Interp2DBatch(x, y, true, Span<const Double>(x.begin() + 1, 2), results, outcomes));
    ExpectSameArray(unsorted, x, "after unequal or overlapping spans");
    // An error of the table ends the call before any slot is written.
    DoubleArray empty(1, 0), beyondInteger(40000, 40001);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange,
                         InterpolationOf1DArrayBatch(unbounded, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange,
                         InterpolationOf1DArrayBatch(empty, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError,
                         InterpolationOf1DArrayBatch(beyondInteger, y, EXTRAPOLATE_LINEARLY, targets, results, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, Interp2DBatch(unbounded, y, true, targets, results, outcomes));
    EXPECT_EQ(BitsOf(kSentinel), BitsOf(results[0]));
    EXPECT_EQ(static_cast<int>(BatchOutcome::OutOfMemory), static_cast<int>(outcomes[1]));
    // No targets: no single call, so nothing is sorted.
    InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, Span<const Double>(), Span<Double>(), Span<BatchOutcome>());
    ExpectSameArray(unsorted, x, "after no targets");
}

}  // namespace
}  // namespace tervanix
