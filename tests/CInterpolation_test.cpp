#include <Tervanix/CInterpolation.h>

#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

const CInterpolation& interp = CInterpolation::Default();

TEST(CInterpolationTest, BoundedByTakesTheBoundsInEitherOrderBothEndsIncluded) {
    const struct { double v, lower, upper; bool in; } cases[] = {
        {5, 7, 3, true}, {3, 7, 3, true}, {7, 3, 7, true}, {2, 7, 3, false}, {8, 3, 7, false}, {kNaN, 3, 7, false}, {5, kNaN, 7, false},
    };
    for (const auto& c : cases) EXPECT_EQ(Boolean(c.in), interp.BoundedBy(c.v, c.lower, c.upper)) << c.v;
}

TEST(CInterpolationTest, InterpolationsReduceXThenYWithTheRoundingOfEachStep) {
    EXPECT_SAME_DOUBLE(0.28, interp.LinearInterpolation1Way(0.1, 0.7, 0.3));  // not 0.1*0.7 + 0.7*0.3
    // Reducing Y first gives the neighbouring Double (as does reducing Z or A first in the
    // wider ones, which the fingerprint holds).
    EXPECT_SAME_DOUBLE(3.6499999999999995, interp.LinearInterpolation2Way(1.1, 2.3, 4.7, 8.9, 0.3, 0.7));
}

TEST(CInterpolationTest, InterpolationRatioWritesZeroOutsideAndNothingForEqualBounds) {
    Double f = 9;
    EXPECT_EQ(True, interp.InterpolationRatio(0.3, 0.1, 0.2, f));
    EXPECT_SAME_DOUBLE(0.49999999999999994, f);
    EXPECT_EQ(False, interp.InterpolationRatio(0, 10, 11, f));
    EXPECT_SAME_DOUBLE(0.0, f);
    f = 9;
    EXPECT_EQ(False, interp.InterpolationRatio(2, 2, 2, f));
    EXPECT_SAME_DOUBLE(9.0, f);
}

TEST(CInterpolationTest, LinearExtrapolationsUseSlopeAndInterceptAndOnlyInterpolateAlongZ) {
    Double y = 9;
    EXPECT_EQ(False, interp.LinearExtrapolation1Way(1, 1, 1, 5, 3, y));
    EXPECT_SAME_DOUBLE(9.0, y);
    // The fraction form and the other intercept give -0.36666666666666675 and -0.3666666666666667.
    EXPECT_EQ(True, interp.LinearExtrapolation1Way(0.1, 0.3, 0.7, 1.1, -0.4, y));
    EXPECT_SAME_DOUBLE(-0.3666666666666668, y);
    EXPECT_EQ(True, interp.LinearExtrapolation2Way(0.1, 1.1, 0.3, 2.3, 10, 0.2, 0.7, 0.9, 3.1, 20, 1.3, 13, y));
    EXPECT_SAME_DOUBLE(7.151428571428571, y);
    const struct { double x12, x22, z2, z3; } falseCases[] = {
        {0.3, 0.2, 20, 13},  // second curve has equal X
        {0.3, 0.9, 20, 21},  // Z beyond the curves
        {0.3, 0.9, 10, 10},  // equal Z
    };
    for (const auto& c : falseCases) {
        y = 9;
        EXPECT_EQ(False, interp.LinearExtrapolation2Way(0.1, 1.1, c.x12, 2.3, 10, 0.2, 0.7, c.x22, 3.1, c.z2, 1.3, c.z3, y));
        EXPECT_SAME_DOUBLE(9.0, y);
    }
}

struct Outputs {
    Boolean result;
    Integer n1 = 77, n2 = 88;
    Double f = -5.5;
    Boolean outside = Boolean::FromRaw(5);
};

TEST(CInterpolationTest, InterpolationIndicesGivesEveryRowOfItsOutputs) {
    const struct { Long lo; std::vector<Double> x; double t; BoundaryCondition e; Outputs out; } cases[] = {
        {1, {1, 2, 4}, 3, NO_EXTRAPOLATION, {True, 2, 3, 0.5, False}},
        {1, {1, 2, 4}, 4, NO_EXTRAPOLATION, {True, 2, 3, 1, False}},
        {1, {1, 2, 2, 3}, 2, NO_EXTRAPOLATION, {True, 3, 4, 0, False}},  // the highest X at most t
        {1, {3, 2, 1}, 2, EXTRAPOLATE_LINEARLY, {False, 77, 88, 0, False}},  // first X above the last
        {1, {1, 2, 4}, 0, NO_EXTRAPOLATION, {False, 77, 88, -5.5, True}},
        {1, {1, 2, 4}, 0, EXTRAPOLATE_LINEARLY, {True, 2, 1, 2, True}},
        {1, {1, 2, 4}, 7, static_cast<BoundaryCondition>(-3), {True, 2, 3, 2.5, True}},
        {1, {1, 1, 2}, 0, EXTRAPOLATE_LINEARLY, {False, 2, 1, 0, True}},  // equal end X values
        {-3, {1, 2, 4}, 0, EXTRAPOLATE_LINEARLY, {True, -2, -3, 2, True}},  // positions are the table's own
        {-7, {5}, 5, NO_EXTRAPOLATION, {True, -8, -7, 1, False}},  // one element: its neighbour is missing
    };
    for (const auto& c : cases) {
        Outputs o;
        o.result = interp.InterpolationIndices(c.t, DoubleArray(c.lo, c.x), c.e, o.n1, o.n2, o.f, o.outside);
        EXPECT_EQ(c.out.result, o.result) << c.t;
        EXPECT_EQ(c.out.n1, o.n1) << c.t;
        EXPECT_EQ(c.out.n2, o.n2) << c.t;
        EXPECT_SAME_DOUBLE(c.out.f, o.f) << c.t;
        EXPECT_EQ(c.out.outside, o.outside) << c.t;
    }
}

struct Lookup {
    DoubleArray x, y;
    Double result = -5.5;
    Boolean ok = False;
};

Lookup Of1D(Double t, std::vector<Double> x, std::vector<Double> y, BoundaryCondition e, Long lo = 1) {
    Lookup l{DoubleArray(lo, x), DoubleArray(lo, y)};
    l.ok = interp.InterpolationOf1DArray(t, l.x, l.y, e, l.result);
    return l;
}

TEST(CInterpolationTest, InterpolationOf1DArrayInsideAndBeyondTheTable) {
    const struct { double t; BoundaryCondition e; Boolean ok; double result; } cases[] = {
        {3, NO_EXTRAPOLATION, True, 30},       {0, EXTRAPOLATE_LINEARLY, True, 0},
        {6, EXTRAPOLATE_LINEARLY, True, 60},   {0, EXTRAPOLATE_FIXEDENDPT, True, 10},
        {6, EXTRAPOLATE_FIXEDENDPT, True, 40}, {0, NO_EXTRAPOLATION, False, -5.5},
        {6, static_cast<BoundaryCondition>(3), True, -5.5},
    };
    for (const auto& c : cases) {
        const Lookup l = Of1D(c.t, {1, 2, 4}, {10, 20, 40}, c.e);
        EXPECT_EQ(c.ok, l.ok) << c.t << " mode " << c.e;
        EXPECT_SAME_DOUBLE(c.result, l.result) << c.t << " mode " << c.e;
    }
    // Inside by the fraction form, beyond by slope and intercept (the fraction form gives -1.8999999999999995).
    EXPECT_SAME_DOUBLE(1.5999999999999996, Of1D(0.5, {0.1, 0.3, 0.7}, {1.1, 2.3, 0.9}, NO_EXTRAPOLATION).result);
    EXPECT_SAME_DOUBLE(-1.8999999999999997, Of1D(-0.4, {0.1, 0.3, 0.7}, {1.1, 2.3, 0.9}, EXTRAPOLATE_LINEARLY).result);
}

TEST(CInterpolationTest, InterpolationOf1DArraySortsTheCallersTableWhateverTheResult) {
    Lookup l = Of1D(0, {3, 1, 2}, {30, 10, 20}, NO_EXTRAPOLATION, -2);
    EXPECT_EQ(False, l.ok);
    EXPECT_EQ((std::vector<Double>{1, 2, 3}), Contents(l.x));
    EXPECT_EQ((std::vector<Double>{10, 20, 30}), Contents(l.y));
    // Bounds beyond Integer: nothing is sorted.
    l = {DoubleArray(32767, {3, 1}), DoubleArray(32767, {30, 10})};
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, interp.InterpolationOf1DArray(2, l.x, l.y, NO_EXTRAPOLATION, l.result));
    EXPECT_SAME_DOUBLE(3.0, l.x(32767));
}

}  // namespace
}  // namespace tervanix
