// Loops tested once at the end: the same value, and the same error from the same
// step, as the loop whose every step is stored.
#include <Tervanix/runtime/Accumulation.h>

#include <limits>
#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

constexpr Long kLongMax = std::numeric_limits<Long>::max();

// s = x(k) * y(k) + s over the given terms, counted from `first`.
struct DotLoop {
    std::vector<double> x, y;
    Long first = 1;

    Long Last() const { return first + (static_cast<Long>(x.size()) - 1); }
    auto Step() const {
        return [this](auto F, Long k, double s) { return F(x[k - first]) * y[k - first] + s; };
    }
    double StepByStep() const {
        double s = 0.5;
        for (Long k = first; k <= Last(); k = rt::NextCounter(k)) {
            s = rt::Stored(rt::Fp(x[k - first]) * y[k - first] + s);
        }
        return s;
    }
};

TEST(AccumulationTest, GivesTheValueAndTheErrorOfTheStepByStepLoop) {
    const std::vector<DotLoop> loops = {
        {{0.1, 0.2, 0.3}, {3, -7, 1e-3}},
        {{1e200, 1, 5}, {1e200, 2, 3}},             // overflows in the first step
        {{1, 1e300, -1e300}, {2, 1e300, 1e300}},    // the first faulting step raises, not a later one
        {{kInf, 1, 2}, {1, 2, 3}},                  // an infinite operand raises nothing
        {{kInf, -kInf, 2}, {1, 1, 3}},              // until inf + -inf is invalid
        {{kInf, 1}, {0, 1}},                        // inf * 0
        {{1, 2}, {3, 4}, kLongMax - 1},             // stepping past the last Long overflows
        {{1e300, 2}, {1e300, 4}, kLongMax - 1},     // after a fault in a step
    };
    for (const DotLoop& loop : loops) {
        const Outcome stepByStep = OutcomeOf([&] { return loop.StepByStep(); });
        const Outcome once =
            OutcomeOf([&] { return rt::StoredAccumulation(loop.first, loop.Last(), 0.5, loop.Step()); });
        EXPECT_EQ(stepByStep.error, once.error) << loop.x.size() << ' ' << loop.first;
        EXPECT_SAME_DOUBLE(stepByStep.value, once.value) << loop.x.size() << ' ' << loop.first;
    }
}

}  // namespace
}  // namespace tervanix
