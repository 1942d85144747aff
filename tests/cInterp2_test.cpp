#include <Tervanix/cInterp2.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;
using Doubles = std::vector<double>;

const cInterp2 interp;

DoubleArray Values(const std::vector<double>& values, Long lower = 1) { return DoubleArray(lower, values); }

// An nx x ny grid, ZValues(i, j) = values[(i - 1) * ny + (j - 1)] (the arrays' storage order).
DoubleArray2D Grid(Long nx, Long ny, std::initializer_list<double> values) {
    DoubleArray2D z(1, nx, 1, ny);
    std::copy(values.begin(), values.end(), z.begin());
    return z;
}

// A 2 x 2 x 2 cube, ZValues(i, j, k) = values[4 (i - 1) + 2 (j - 1) + (k - 1)].
DoubleArray3D Cube(std::initializer_list<double> values) {
    DoubleArray3D z(1, 2, 1, 2, 1, 2);
    std::copy(values.begin(), values.end(), z.begin());
    return z;
}

TEST(cInterp2Sort, AscendingStableWithAnyBoundsAndFailingAtTheAccessThatLacksAnElement) {
    DoubleArray x = Values({2, 1, 2}), y = Values({5, 6, 7});
    interp.SortXYPairsByX(x, y);
    EXPECT_EQ((Doubles{1, 2, 2}), Contents(x));
    EXPECT_EQ((Doubles{6, 5, 7}), Contents(y));
    // Subscripts at the ends of the Long range step without overflow.
    for (Long lower : {Long{0}, Long{2147483645}, Long{-2147483647 - 1}}) {
        x = Values({3, 2, 1}, lower);
        y = Values({30, 20, 10}, lower);
        interp.SortXYPairsByX(x, y);
        EXPECT_EQ((Doubles{1, 2, 3}), Contents(x));
        EXPECT_EQ((Doubles{10, 20, 30}), Contents(y));
    }
    DoubleArray one = Values({9}), unbounded;
    interp.SortXYPairsByX(one, unbounded);  // a single element: nothing is read or exchanged
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.SortXYPairsByX(unbounded, y));
}

TEST(cInterp2Lookup2D, SortsThenInterpolatesAndExtrapolatesWhenAllowed) {
    const struct { double x; Boolean allow; bool ok; double y; } cases[] = {
        {1.5, False, true, 15}, {4, True, true, 40}, {0, True, true, 0}, {4, False, false, -1},
        {0, False, false, -1},  {3, False, true, 30}, {4, Boolean::FromRaw(1), true, 40},  // 1 counts as True
    };
    for (const auto& c : cases) {
        DoubleArray x = Values({3, 1, 2}), y = Values({30, 10, 20});
        Double out = -1;
        EXPECT_EQ(Boolean(c.ok), interp.Interp2D(x, y, c.allow, c.x, out)) << c.x;
        EXPECT_SAME_DOUBLE(c.y, out) << c.x;
        EXPECT_EQ((Doubles{10, 20, 30}), Contents(y));  // sorted with X
    }
    // On the left interval 0.4 gives (3.4 + 4.7) * 0.4 / 0.4 - 4.7; the right one would give 3.4.
    DoubleArray x = Values({0, 0.4, 4}), y = Values({-4.7, 3.4, -0.7});
    Double out = 0;
    interp.Interp2D(x, y, false, 0.4, out);
    EXPECT_SAME_DOUBLE(3.3999999999999995, out);
}

TEST(cInterp2Lookup2D, BoundaryConditionsClampAtTheEndPoints) {
    const struct { BoundaryCondition2 method; double x; bool ok; double y; } cases[] = {
        {EXTRAP_FIXEDENDPT, 5, true, -1.2000000000000002},  // the formula at X(n), not Y(n) itself
        {EXTRAP_FIXEDENDPT, -5, true, 4.4},
        {EXTRAP_LINEARLY, 3.4, true, -6.800000000000001},
        {static_cast<BoundaryCondition2>(7), 3.4, true, -6.800000000000001},
        {EXTRAP_NO, 3.4, false, 99},
    };
    for (const auto& c : cases) {
        DoubleArray x = Values({1.7, 0}), y = Values({-1.2, 4.4});
        Double out = 99;
        EXPECT_EQ(Boolean(c.ok), interp.Interp2D_Extrap(x, y, c.method, c.x, out)) << c.method << " " << c.x;
        EXPECT_SAME_DOUBLE(c.y, out) << c.method << " " << c.x;
    }
}

TEST(cInterp2Lookup2D, UnusableTablesGiveFalseAndAnUnboundedArrayFailsWhenReached) {
    DoubleArray x = Values({2, 1, 2}), y = Values({30, 10, 20}), none;
    Double out = 7;
    EXPECT_EQ(False, interp.Interp2D(x, y, true, 1.5, out));  // equal X values, found after the sort
    EXPECT_EQ((Doubles{1, 2, 2}), Contents(x));
    x = Values({3, 1}, 0);
    EXPECT_EQ(False, interp.Interp2D_Extrap(x, y, EXTRAP_LINEARLY, 1.5, out));  // the bounds fail: no sort
    EXPECT_EQ((Doubles{3, 1}), Contents(x));
    EXPECT_SAME_DOUBLE(7.0, out);
    x = Values({3});
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp2D(x, none, true, 1.0, out));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp2D_Extrap(none, y, EXTRAP_NO, 1.0, out));
}

TEST(cInterp2Lookup3D, FirstSubscriptFollowsXAndXIsInterpolatedFirst) {
    const DoubleArray x = Values({0, 1}), y = Values({0, 1});
    const DoubleArray2D z = Grid(2, 2, {0, 2, 1, 3});
    const struct { double x, y; bool allow, ok; double z; } cases[] = {
        {1, 0, false, true, 1}, {0, 1, false, true, 2}, {2, 0.5, true, true, 3}, {2, 0.5, false, false, -1}, {0.5, -1, false, false, -1},
    };
    for (const auto& c : cases) {
        Double out = -1;
        EXPECT_EQ(Boolean(c.ok), interp.Interp3D(x, y, z, c.allow, c.x, c.y, out)) << c.x << ", " << c.y;
        EXPECT_SAME_DOUBLE(c.z, out) << c.x << ", " << c.y;
    }
    Double out = 0;
    interp.Interp3D(x, y, Grid(2, 2, {-4.7, 0.8, -2.3, 1.9}), false, 0.9, 0.1, out);
    EXPECT_SAME_DOUBLE(-2.1069999999999993, out);  // along Y first would give ...98
    // X = 1 lies in the cell from 0 to 1 with tx = 1; the next cell would give 3.4 exactly.
    interp.Interp3D(Values({0, 1, 2}), y, Grid(3, 2, {-4.7, 0, 3.4, 0, 100, 0}), false, 1.0, 0.0, out);
    EXPECT_SAME_DOUBLE(3.3999999999999995, out);
}

TEST(cInterp2Lookup4D, SubscriptsFollowWXYAndTheInterpolationsGoXYW) {
    const DoubleArray u = Values({0, 1});
    const DoubleArray3D corners = Cube({0, 1, 2, 3, 4, 5, 6, 7});  // 4 (i - 1) + 2 (j - 1) + (k - 1)
    const struct { double w, x, y; bool allow, ok; double z; } cases[] = {
        {1, 0, 0, false, true, 4},        {0, 1, 0, false, true, 2},      {0, 0, 1, false, true, 1},
        {2, 0, 0, true, true, 8},         {-0.1, 0, 0, false, false, -1}, {0, 1.1, 0, false, false, -1},
        {0, 0, -2, false, false, -1},
    };
    for (const auto& c : cases) {
        Double out = -1;
        EXPECT_EQ(Boolean(c.ok), interp.Interp4D(u, u, u, corners, c.allow, c.w, c.x, c.y, out));
        EXPECT_SAME_DOUBLE(c.z, out) << c.w << ", " << c.x << ", " << c.y;
    }
    Double out = 0;
    interp.Interp4D(u, u, u, Cube({8.3, 0.7, 3.2, -5.3, 7.9, 3.4, 8.4, 7.1}), false, 0.7, 0.1, 0.7, out);
    EXPECT_SAME_DOUBLE(4.238900000000001, out);  // every other order of the axes differs
}

// The fractions are found W first, each a fault of its own: a divisor that overflows
// faults even though the fraction it makes is 0 and Z would come out finite, and Z is
// not touched. A quiet NaN coordinate faults nowhere and reaches Z.
TEST(cInterp2Lookup4D, TheFirstFractionThatFaultsEndsTheCallBeforeZ) {
    const DoubleArray u = Values({0, 1}), wideW = Values({-1.5e308, 1.5e308}), wideX = Values({-1.7e308, 1.7e308});
    const DoubleArray3D corners = Cube({0, 1, 2, 3, 4, 5, 6, 7});
    const struct { const DoubleArray &w, &x; const char* message; } faults[] = {
        {wideW, u, "cInterp2.Interp4D: FloatingPointFault: 1.5e+308 - -1.5e+308 raised overflow"},
        {u, wideX, "cInterp2.Interp4D: FloatingPointFault: 1.7e+308 - -1.7e+308 raised overflow"},
        {wideW, wideX, "cInterp2.Interp4D: FloatingPointFault: 1.5e+308 - -1.5e+308 raised overflow"},
    };
    for (const auto& f : faults) {
        Double out = 7;
        try {
            interp.Interp4D(f.w, f.x, u, corners, false, 0, 0, 0.5, out);
            ADD_FAILURE() << "no error: " << f.message;
        } catch (const LibraryError& e) {
            EXPECT_STREQ(f.message, e.what());
        }
        EXPECT_SAME_DOUBLE(7, out);
    }
    Double out = 7;
    EXPECT_EQ(True, interp.Interp4D(u, u, u, corners, true, 0.5, std::nan(""), 0.5, out));
    EXPECT_TRUE(std::isnan(out));
}

// The grids are checked and searched several values at a time: every length, a
// failing pair at every position, and a target in every cell, on every grid value and
// beyond both ends. Z(i, j) = i * i, so that each cell gives its own line.
TEST(cInterp2Grids, EveryLengthIsCheckedAtEveryPairAndSearchedInEveryCell) {
    const DoubleArray y = Values({0, 1});
    for (Long n = 2; n <= 13; ++n) {
        DoubleArray x(1, n);
        DoubleArray2D z(1, n, 1, 2);
        DoubleArray3D zw(1, 2, 1, 2, 1, n);
        for (Long i = 1; i <= n; ++i) {
            x(i) = i;
            z(i, 1) = z(i, 2) = double(i) * i;
            zw(1, 1, i) = zw(1, 2, i) = zw(2, 1, i) = zw(2, 2, i) = double(i) * i;
        }
        for (int twice = 1; twice <= 2 * n + 1; ++twice) {
            const double t = twice / 2.0;
            const double upper = std::max(2.0, std::min(double(n), std::ceil(t))), lower = upper - 1;
            const double expected = (upper * upper - lower * lower) * (t - lower) + lower * lower;
            Double out = -1;
            ASSERT_EQ(True, interp.Interp3D(x, y, z, true, t, 0.5, out)) << n << " points, X = " << t;
            ASSERT_PRED_FORMAT2(SameDouble, expected, out) << n << " points, X = " << t;
            out = -1;
            ASSERT_EQ(True, interp.Interp4D(y, y, x, zw, true, 0.5, 0.5, t, out)) << n << " points, Y = " << t;
            ASSERT_PRED_FORMAT2(SameDouble, expected, out) << n << " points, Y = " << t;
        }
        for (Long k = 2; k <= n; ++k) {
            for (const double step : {0.0, -0.5}) {  // equal to the one before, then below it
                DoubleArray broken = x;
                broken(k) = broken(k - 1) + step;
                Double out = 7;
                ASSERT_EQ(False, interp.Interp3D(broken, y, z, true, 1.5, 0.5, out)) << n << " points, pair " << k;
                ASSERT_EQ(False, interp.Interp4D(y, y, broken, zw, true, 0.5, 0.5, 1.5, out)) << n << " points, pair " << k;
                ASSERT_PRED_FORMAT2(SameDouble, 7, out);
            }
            DoubleArray repeated = x, values = x;
            repeated(k) = repeated(k - 1);
            Double out = 7;
            ASSERT_EQ(False, interp.Interp2D(repeated, values, true, 1.5, out)) << n << " points, pair " << k;
        }
    }
}

TEST(cInterp2Grids, MismatchedOrUnorderedGridsGiveFalseAndUnboundedArraysFailWhenReached) {
    const DoubleArray u = Values({0, 1}), three = Values({0, 1, 2}), none;
    const DoubleArray2D z2(1, 3, 1, 2), transposed(1, 2, 1, 3), unbounded2;
    const DoubleArray3D z3(1, 2, 1, 3, 1, 2), permuted(1, 3, 1, 2, 1, 2), unbounded3;
    Double out = 7;
    EXPECT_EQ(False, interp.Interp3D(three, u, transposed, true, 0.5, 0.5, out));
    EXPECT_EQ(False, interp.Interp3D(u, u, transposed, true, 0.5, 0.5, out));  // Z's columns are not Y's
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp3D(three, none, z2, true, 0.5, 0.5, out));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp3D(three, u, unbounded2, true, 0.5, 0.5, out));
    EXPECT_EQ(True, interp.Interp4D(u, three, u, z3, false, 0, 1.5, 0, out));
    EXPECT_EQ(False, interp.Interp4D(u, three, u, permuted, false, 0, 1.5, 0, out));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp4D(u, none, u, z3, true, 0, 0, 0, out));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp4D(u, three, u, unbounded3, true, 0, 0, 0, out));
}

}  // namespace
}  // namespace tervanix
