// What each method leaves in its outputs when it returns False or raises, as its
// reference comment says: written, unchanged, or holding the faulting value. Every
// output starts as a sentinel that no call computes, so "unchanged" is seen.
#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <Tervanix/Tervanix.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

constexpr double kSentinel = -7.25;  // never a result below

// The kind of the error a call ends with, or "" when it ends normally.
template <typename F>
std::string KindOf(F f) {
    try {
        f();
    } catch (const LibraryError& e) {
        return KindName(e.kind());
    }
    return "";
}

// How a call that returns a Boolean ended: its result, or the kind of its error.
// (The result is not assigned to a variable of the caller inside a try: g++ 12 at
// -O2 has been seen to leave such a variable holding an earlier value after a throw.)
struct Ended {
    std::string kind;
    bool result = false;
};

template <typename F>
Ended RunCall(F f) {
    try {
        return {"", static_cast<bool>(f())};
    } catch (const LibraryError& e) {
        return {KindName(e.kind()), false};
    }
}

// ---- cGeom: "every output ... is written at the moment its step computes it" ----

TEST(DocumentedOutputs, Line2DWritesNothingOnFalseAndOnASlopeFaultButTheSlopeBeforeAnInterceptFault) {
    const cGeom geom;
    struct Row {
        const char* name;
        double x1, y1, x2, y2;
        const char* kind;  // "" for False
        bool slopeWritten;
        bool interceptWritten;
    };
    const Row rows[] = {
        {"vertical", 1, 2, 1, 6, "", false, false},
        {"vertical at -0 and 0", -0.0, 2, 0.0, 6, "", false, false},
        {"NaN x1", kNaN, 2, 1, 6, "", false, false},
        {"NaN x2", 1, 2, kNaN, 6, "", false, false},
        {"slope numerator overflows", 0, -1e308, 1, 1e308, "FloatingPointFault", false, false},
        {"slope quotient overflows", 0, 0, 1e-300, 1e300, "FloatingPointFault", false, false},
        {"intercept overflows", 1e300, 0, 5e299, 1e308, "FloatingPointFault", true, true},
    };
    for (const Row& r : rows) {
        Double m = kSentinel, B = kSentinel;
        const Ended ended = RunCall([&] { return geom.Line2D(r.x1, r.y1, r.x2, r.y2, m, B); });
        EXPECT_EQ(r.kind, ended.kind) << r.name;
        EXPECT_FALSE(ended.result) << r.name;
        if (r.slopeWritten) {
            EXPECT_SAME_DOUBLE((r.y2 - r.y1) / (r.x2 - r.x1), m) << r.name;
        } else {
            EXPECT_SAME_DOUBLE(kSentinel, m) << r.name;
        }
        if (r.interceptWritten) {
            EXPECT_TRUE(std::isinf(B)) << r.name << ": B holds the faulting value, " << B;
        } else {
            EXPECT_SAME_DOUBLE(kSentinel, B) << r.name;
        }
    }
}

// Three outputs written in order: a fault in one leaves the earlier ones new, the
// faulting one its infinity or NaN, and the later ones as they were.
TEST(DocumentedOutputs, VectorOutputsUpToTheFaultingComponent) {
    const cGeom geom;
    using Call = void (*)(const cGeom&, Double&, Double&, Double&);
    struct Row {
        const char* name;
        Call call;
        int faulting;         // 0, 1, 2: which output faults; 3: none
        Double expected[3];   // the outputs before the faulting one
    };
    const Row rows[] = {
        {"VectorAdd, i overflows",
         [](const cGeom& g, Double& x, Double& y, Double& z) { g.VectorAdd(1e308, 1, 1, 1e308, 2, 3, x, y, z); }, 0,
         {0, 0, 0}},
        {"VectorAdd, j is invalid",
         [](const cGeom& g, Double& x, Double& y, Double& z) { g.VectorAdd(1, kInf, 1, 2, -kInf, 3, x, y, z); }, 1,
         {3, 0, 0}},
        {"VectorAdd, k overflows",
         [](const cGeom& g, Double& x, Double& y, Double& z) { g.VectorAdd(1, 2, -1e308, 2, 3, -1e308, x, y, z); }, 2,
         {3, 5, 0}},
        {"VectorAdd, an infinity passed on is no fault",
         [](const cGeom& g, Double& x, Double& y, Double& z) { g.VectorAdd(kInf, 2, 3, 1, 2, 3, x, y, z); }, 3,
         {kInf, 4, 6}},
        {"CrossProduct, i overflows",  // v1j * v2k - v1k * v2j
         [](const cGeom& g, Double& x, Double& y, Double& z) { g.CrossProduct(0, 1e200, 0, 0, 0, 1e200, x, y, z); }, 0,
         {0, 0, 0}},
        {"CrossProduct, k overflows",  // v1i * v2j - v1j * v2i
         [](const cGeom& g, Double& x, Double& y, Double& z) { g.CrossProduct(1e200, 0, 1, 0, 1e200, 2, x, y, z); }, 2,
         {-1e200, -2e200, 0}},
    };
    for (const Row& r : rows) {
        Double out[3] = {kSentinel, kSentinel, kSentinel};
        const std::string kind = KindOf([&] { r.call(geom, out[0], out[1], out[2]); });
        EXPECT_EQ(r.faulting < 3 ? "FloatingPointFault" : "", kind) << r.name;
        for (int k = 0; k < 3; ++k) {
            if (k < r.faulting) {
                EXPECT_SAME_DOUBLE(r.expected[k], out[k]) << r.name << ", output " << k;
            } else if (k == r.faulting) {
                EXPECT_FALSE(std::isfinite(out[k])) << r.name << ": the faulting output holds " << out[k];
            } else {
                EXPECT_SAME_DOUBLE(kSentinel, out[k]) << r.name << ", output " << k;
            }
        }
    }
}

TEST(DocumentedOutputs, PlaneCoefficientsAreWrittenInOrderAndSurfNormRaisesForItsDroppedD) {
    const cGeom geom;
    // The normal is (1e10, 0, 0); d, from sums of products with x = 1e300, overflows.
    Double A = kSentinel, B = kSentinel, c = kSentinel, d = kSentinel;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault,
                         geom.PlaneCoeffsFrom3Pts(1e300, 0, 0, 1e300, 1e5, 0, 1e300, 0, 1e5, A, B, c, d));
    EXPECT_SAME_DOUBLE(1e10, A);
    EXPECT_SAME_DOUBLE(0.0, B);
    EXPECT_SAME_DOUBLE(0.0, c);
    EXPECT_FALSE(std::isfinite(d)) << "d holds the faulting value, " << d;
    Double nA = kSentinel, nB = kSentinel, nc = kSentinel;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault,
                         geom.SurfNormFrom3Pts(1e300, 0, 0, 1e300, 1e5, 0, 1e300, 0, 1e5, nA, nB, nc));
    // The normal was complete before d faulted.
    EXPECT_SAME_DOUBLE(1e10, nA);
    EXPECT_SAME_DOUBLE(0.0, nB);
    EXPECT_SAME_DOUBLE(0.0, nc);
}

TEST(DocumentedOutputs, IntersectionsWriteNothingOnFalse) {
    const cGeom geom;
    Double p[6] = {kSentinel, kSentinel, kSentinel, kSentinel, kSentinel, kSentinel};
    // Parallel normals, and a zero normal.
    EXPECT_FALSE(static_cast<bool>(geom.Intersect2Planes(1, 2, 3, 4, -2, -4, -6, 1, p[0], p[1], p[2], p[3], p[4], p[5])));
    EXPECT_FALSE(static_cast<bool>(geom.Intersect2Planes(0, 0, 0, 4, 1, 2, 3, 1, p[0], p[1], p[2], p[3], p[4], p[5])));
    // Every direction component a NaN counts as parallel.
    EXPECT_FALSE(
        static_cast<bool>(geom.Intersect2Planes(kNaN, kNaN, kNaN, 0, 1, 2, 3, 1, p[0], p[1], p[2], p[3], p[4], p[5])));
    for (double v : p) EXPECT_SAME_DOUBLE(kSentinel, v);
    Double X = kSentinel, Y = kSentinel, Z = kSentinel;
    // Two planes parallel, and three sharing a line: the triple product is exactly 0.
    EXPECT_FALSE(static_cast<bool>(geom.Intersect3Planes(1, 0, 0, -1, 2, 0, 0, -2, 0, 0, 1, -3, X, Y, Z)));
    EXPECT_FALSE(static_cast<bool>(geom.Intersect3Planes(1, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 5, X, Y, Z)));
    EXPECT_SAME_DOUBLE(kSentinel, X);
    EXPECT_SAME_DOUBLE(kSentinel, Y);
    EXPECT_SAME_DOUBLE(kSentinel, Z);
    // A triple product that is tiny but not 0 is a point: no tolerance.
    EXPECT_TRUE(static_cast<bool>(geom.Intersect3Planes(1, 0, 0, -1, 0, 1, 0, -2, 0, 0, 1e-300, -3e-300, X, Y, Z)));
    EXPECT_SAME_DOUBLE(1.0, X);
    EXPECT_SAME_DOUBLE(2.0, Y);
}

TEST(DocumentedOutputs, CartToPolarWritesRFirstAndLeavesThetaForANaN) {
    const cGeom geom;
    struct Row {
        const char* name;
        double X, Y;
        const char* kind;
        bool rWritten, thetaWritten;
    };
    const Row rows[] = {
        {"NaN X", kNaN, 1, "", true, false},
        {"NaN Y", 1, kNaN, "", true, false},
        {"sum of squares overflows", 1e200, 1e200, "FloatingPointFault", false, false},
        {"Y / X overflows", 1e-160, 1e150, "FloatingPointFault", true, false},
        {"on the negative y axis", 0, -2, "", true, true},
    };
    for (const Row& r : rows) {
        Double radius = kSentinel, theta = kSentinel;
        EXPECT_EQ(r.kind, KindOf([&] { geom.CartToPolar(r.X, r.Y, radius, theta); })) << r.name;
        if (r.rWritten) {
            EXPECT_NE(rt::BitsOf(kSentinel), rt::BitsOf(radius)) << r.name;
        } else {
            EXPECT_SAME_DOUBLE(kSentinel, radius) << r.name;
        }
        if (!r.thetaWritten) {
            EXPECT_SAME_DOUBLE(kSentinel, theta) << r.name;
        }
    }
}

// ---- CInterpolation ----

TEST(DocumentedOutputs, InterpolationRatioSetsZeroOutsideLeavesEqualEndsAndHoldsAFault) {
    const CInterpolation interpolation;
    struct Row {
        const char* name;
        double i1, i2, value;
        const char* kind;
        bool result;
        double expected;  // kSentinel: unchanged
    };
    const Row rows[] = {
        {"below", 10, 20, 9, "", false, 0.0},
        {"above, ends reversed", 20, 10, 21, "", false, 0.0},
        {"equal ends, value on them", 10, 10, 10, "", false, kSentinel},
        {"equal ends, value beside them: outside first", 10, 10, 11, "", false, 0.0},
        {"on the second end", 10, 20, 20, "", true, 1.0},
        {"reversed ends", 20, 10, 12.5, "", true, 0.75},
        {"the width overflows", -1e308, 1e308, 1e308, "FloatingPointFault", false, kNaN},
    };
    for (const Row& r : rows) {
        Double f = kSentinel;
        const Ended ended = RunCall([&] { return interpolation.InterpolationRatio(r.i1, r.i2, r.value, f); });
        EXPECT_EQ(r.kind, ended.kind) << r.name;
        EXPECT_EQ(r.result, ended.result) << r.name;
        EXPECT_SAME_DOUBLE(r.expected, f) << r.name;
    }
}

TEST(DocumentedOutputs, LinearExtrapolationsLeaveTheOutputOrHoldTheFinalFault) {
    const CInterpolation interpolation;
    Double y = kSentinel;
    EXPECT_FALSE(static_cast<bool>(interpolation.LinearExtrapolation1Way(1, 0, 1, 2, 3, y)));
    EXPECT_SAME_DOUBLE(kSentinel, y);
    // The slope faults: nothing written.
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, interpolation.LinearExtrapolation1Way(0, -1e308, 1, 1e308, 3, y));
    EXPECT_SAME_DOUBLE(kSentinel, y);
    // Only the final value faults: it is written.
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, interpolation.LinearExtrapolation1Way(0, 0, 1, 1e300, 1e10, y));
    EXPECT_SAME_DOUBLE(kInf, y);

    // The two-way extrapolation writes only on True.
    struct Row {
        const char* name;
        double x11, y11, x12, y12, z1, x21, y21, x22, y22, z2, x3, z3;
        const char* kind;
    };
    const Row rows[] = {
        {"first line vertical", 1, 0, 1, 1, 0, 0, 0, 1, 3, 10, 2, 5, ""},
        {"second line vertical", 0, 0, 1, 1, 0, 4, 0, 4, 3, 10, 2, 5, ""},
        {"z3 below", 0, 0, 1, 1, 0, 0, 0, 1, 3, 10, 2, -1, ""},
        {"z3 above, z reversed", 0, 0, 1, 1, 10, 0, 0, 1, 3, 0, 2, 11, ""},
        {"equal z", 0, 0, 1, 1, 5, 0, 0, 1, 3, 5, 2, 5, ""},
        {"NaN z3", 0, 0, 1, 1, 0, 0, 0, 1, 3, 10, 2, kNaN, ""},
        {"a slope overflows", 0, -1e308, 1, 1e308, 0, 0, 0, 1, 3, 10, 2, 5, "FloatingPointFault"},
        {"the last step overflows", 0, 0, 1, 1e300, 0, 0, 0, 1, -1e300, 10, 1e8, 5, "FloatingPointFault"},
    };
    for (const Row& r : rows) {
        Double out = kSentinel;
        const Ended ended = RunCall([&] {
            return interpolation.LinearExtrapolation2Way(r.x11, r.y11, r.x12, r.y12, r.z1, r.x21, r.y21, r.x22, r.y22,
                                                         r.z2, r.x3, r.z3, out);
        });
        EXPECT_EQ(r.kind, ended.kind) << r.name;
        EXPECT_FALSE(ended.result) << r.name;
        EXPECT_SAME_DOUBLE(kSentinel, out) << r.name;
    }
}

// A value of eExtrapolationType outside the three gives True beyond the ends and
// leaves the result; inside the table it is not consulted.
TEST(DocumentedOutputs, InterpolationOf1DArrayOutputsByBoundaryCondition) {
    const CInterpolation interpolation;
    struct Row {
        const char* name;
        double target;
        BoundaryCondition condition;
        bool result;
        double expected;
    };
    const Row rows[] = {
        {"inside, any condition", 1.5, static_cast<BoundaryCondition>(7), true, 15},
        {"on the last X, no extrapolation", 3, NO_EXTRAPOLATION, true, 30},
        {"on the first X, no extrapolation", 1, NO_EXTRAPOLATION, true, 10},
        {"above, no extrapolation", 3.5, NO_EXTRAPOLATION, false, kSentinel},
        {"below, no extrapolation", 0.5, NO_EXTRAPOLATION, false, kSentinel},
        {"NaN, no extrapolation", kNaN, NO_EXTRAPOLATION, false, kSentinel},
        {"above, fixed end", 9, EXTRAPOLATE_FIXEDENDPT, true, 30},
        {"below, fixed end", -9, EXTRAPOLATE_FIXEDENDPT, true, 10},
        {"above, linearly", 4, EXTRAPOLATE_LINEARLY, true, 40},
        {"below, linearly", 0, EXTRAPOLATE_LINEARLY, true, 0},
        {"above, a condition outside the enumeration", 9, static_cast<BoundaryCondition>(3), true, kSentinel},
        {"below, a negative condition", -9, static_cast<BoundaryCondition>(-1), true, kSentinel},
    };
    for (const Row& r : rows) {
        DoubleArray x(1, {3.0, 1.0, 2.0}), y(1, {30.0, 10.0, 20.0});
        Double v = kSentinel;
        EXPECT_EQ(r.result, static_cast<bool>(interpolation.InterpolationOf1DArray(r.target, x, y, r.condition, v)))
            << r.name;
        EXPECT_SAME_DOUBLE(r.expected, v) << r.name;
        // The caller's table is sorted whatever the result.
        EXPECT_EQ((std::vector<double>{1, 2, 3}), Contents(x)) << r.name;
        EXPECT_EQ((std::vector<double>{10, 20, 30}), Contents(y)) << r.name;
    }
    // Equal X values at the end used for extrapolating: False, result unchanged, table sorted.
    DoubleArray x(5, {2.0, 1.0, 2.0}), y(5, {20.0, 10.0, 21.0});
    Double v = kSentinel;
    EXPECT_FALSE(static_cast<bool>(interpolation.InterpolationOf1DArray(3, x, y, EXTRAPOLATE_LINEARLY, v)));
    EXPECT_SAME_DOUBLE(kSentinel, v);
    EXPECT_EQ(FalseReason::EndXValuesEqual, LastFalseReason().code());
    EXPECT_EQ((std::vector<double>{10, 20, 21}), Contents(y));  // stable: 20 stays before 21
    // The rule holds for the fixed end too, though it needs no slope.
    EXPECT_FALSE(static_cast<bool>(interpolation.InterpolationOf1DArray(3, x, y, EXTRAPOLATE_FIXEDENDPT, v)));
    EXPECT_SAME_DOUBLE(kSentinel, v);
}

TEST(DocumentedOutputs, InterpolationOf1DArrayErrorsKeepTheSortsProgress) {
    const CInterpolation interpolation;
    // Bounds beyond the Integer positions: refused before the sort.
    DoubleArray wide(32766, {3.0, 2.0, 1.0}), wideY(32766, {3.0, 2.0, 1.0});
    Double v = kSentinel;
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError,
                         interpolation.InterpolationOf1DArray(2, wide, wideY, EXTRAPOLATE_LINEARLY, v));
    EXPECT_EQ((std::vector<double>{3, 2, 1}), Contents(wide));
    DoubleArray low(-32769, {3.0, 2.0}), lowY(-32769, {3.0, 2.0});
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError,
                         interpolation.InterpolationOf1DArray(2, low, lowY, EXTRAPOLATE_LINEARLY, v));
    EXPECT_EQ((std::vector<double>{3, 2}), Contents(low));
    // The lowest and highest positions themselves are fine.
    DoubleArray lowest(-32768, {2.0, 1.0}), lowestY(-32768, {20.0, 10.0});
    EXPECT_TRUE(static_cast<bool>(interpolation.InterpolationOf1DArray(1.5, lowest, lowestY, NO_EXTRAPOLATION, v)));
    EXPECT_SAME_DOUBLE(15.0, v);
    // A Y array one short: the sort stops at the first exchange it cannot make in Y,
    // with that step's X exchange made.
    DoubleArray x(1, {3.0, 2.0, 1.0}), y(1, {30.0, 20.0});
    v = kSentinel;
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange,
                         interpolation.InterpolationOf1DArray(2, x, y, EXTRAPOLATE_LINEARLY, v));
    EXPECT_SAME_DOUBLE(kSentinel, v);
    EXPECT_EQ((std::vector<double>{2, 1, 3}), Contents(x));
    EXPECT_EQ((std::vector<double>{20, 30}), Contents(y));
    // A NaN target is an error for every condition but NO_EXTRAPOLATION.
    for (BoundaryCondition c : {EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT, static_cast<BoundaryCondition>(9)}) {
        DoubleArray tx(1, {1.0, 2.0}), ty(1, {1.0, 2.0});
        EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interpolation.InterpolationOf1DArray(kNaN, tx, ty, c, v));
        EXPECT_SAME_DOUBLE(kSentinel, v);
    }
}

TEST(DocumentedOutputs, InterpolationIndicesWritesTheOutsideFlagFirstEvenOnFalse) {
    const CInterpolation interpolation;
    const DoubleArray x(-2, {1.0, 2.0, 4.0});
    struct Row {
        const char* name;
        double target;
        BoundaryCondition condition;
        bool result, outside;
        Integer i1, i2;
        double fraction;
    };
    const Row rows[] = {
        {"inside, negative bounds", 3, NO_EXTRAPOLATION, true, false, -1, 0, 0.5},
        {"on the last X: the last interval", 4, NO_EXTRAPOLATION, true, false, -1, 0, 1},
        {"on the first X", 1, NO_EXTRAPOLATION, true, false, -2, -1, 0},
        {"below: second then first", 0, EXTRAPOLATE_FIXEDENDPT, true, true, -1, -2, 2},
        {"above: the last two", 6, static_cast<BoundaryCondition>(5), true, true, -1, 0, 2},
    };
    for (const Row& r : rows) {
        Integer i1 = 99, i2 = 99;
        Double f = kSentinel;
        Boolean outside = !r.outside;
        EXPECT_EQ(r.result,
                  static_cast<bool>(interpolation.InterpolationIndices(r.target, x, r.condition, i1, i2, f, outside)))
            << r.name;
        EXPECT_EQ(r.outside, static_cast<bool>(outside)) << r.name;
        EXPECT_EQ(r.i1, i1) << r.name;
        EXPECT_EQ(r.i2, i2) << r.name;
        EXPECT_SAME_DOUBLE(r.fraction, f) << r.name;
    }
    for (const double target : {0.0, 9.0}) {
        Integer i1 = 99, i2 = 99;
        Double f = kSentinel;
        Boolean outside = false;
        EXPECT_FALSE(static_cast<bool>(interpolation.InterpolationIndices(target, x, NO_EXTRAPOLATION, i1, i2, f, outside)));
        EXPECT_TRUE(static_cast<bool>(outside)) << target;
        EXPECT_EQ(FalseReason::TargetOutsideTable, LastFalseReason().code());
    }
    // Equal X values at the end beyond which the target lies: False, even though extrapolating.
    const DoubleArray flat(1, {1.0, 1.0, 2.0});
    Integer i1 = 0, i2 = 0;
    Double f = 0;
    Boolean outside = false;
    EXPECT_FALSE(static_cast<bool>(interpolation.InterpolationIndices(0, flat, EXTRAPOLATE_LINEARLY, i1, i2, f, outside)));
    EXPECT_TRUE(static_cast<bool>(outside));
    EXPECT_EQ(FalseReason::EndXValuesEqual, LastFalseReason().code());
    // The same table is fine on the other side.
    EXPECT_TRUE(static_cast<bool>(interpolation.InterpolationIndices(3, flat, EXTRAPOLATE_LINEARLY, i1, i2, f, outside)));
    EXPECT_SAME_DOUBLE(2.0, f);
    // A NaN target: False and NotANumber with NO_EXTRAPOLATION, an error otherwise.
    EXPECT_FALSE(static_cast<bool>(interpolation.InterpolationIndices(kNaN, x, NO_EXTRAPOLATION, i1, i2, f, outside)));
    EXPECT_EQ(FalseReason::NotANumber, LastFalseReason().code());
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange,
                         interpolation.InterpolationIndices(kNaN, x, EXTRAPOLATE_LINEARLY, i1, i2, f, outside));
}

// ---- cInterp2 ----

TEST(DocumentedOutputs, Interp2DSortsOnceTheBoundsQualifyAndWritesOnlyOnTrue) {
    const cInterp2 interp;
    struct Row {
        const char* name;
        Long lower;
        std::vector<double> x, y;
        bool allow;
        double target;
        bool result;
        bool sorted;  // whether the call leaves x ascending
        FalseReason reason;
    };
    const Row rows[] = {
        {"bounds from 0: nothing sorted", 0, {3, 1, 2}, {30, 10, 20}, true, 1.5, false, false,
         FalseReason::TableNotNumberedFromOne},
        {"one point", 1, {1}, {10}, true, 1, false, true, FalseReason::TableTooShort},
        {"a repeated X: sorted all the same", 1, {3, 1, 3}, {30, 10, 31}, true, 2, false, true, FalseReason::RepeatedX},
        {"beyond, without extrapolation: sorted", 1, {3, 1, 2}, {30, 10, 20}, false, 4, false, true,
         FalseReason::TargetOutsideTable},
        {"on the last X, without extrapolation", 1, {3, 1, 2}, {30, 10, 20}, false, 3, true, true, FalseReason::None},
    };
    for (const Row& r : rows) {
        DoubleArray x(r.lower, r.x), y(r.lower, r.y);
        Double v = kSentinel;
        EXPECT_EQ(r.result, static_cast<bool>(interp.Interp2D(x, y, r.allow, r.target, v))) << r.name;
        if (!r.result) {
            EXPECT_SAME_DOUBLE(kSentinel, v) << r.name;
            EXPECT_EQ(r.reason, LastFalseReason().code()) << r.name;
        } else {
            EXPECT_SAME_DOUBLE(30.0, v) << r.name;
        }
        std::vector<double> ascending = r.x;
        std::sort(ascending.begin(), ascending.end());
        EXPECT_EQ(r.sorted ? ascending : r.x, Contents(x)) << r.name;
    }
    // YValues of other bounds than XValues: False, nothing sorted.
    DoubleArray x(1, {2.0, 1.0}), y(1, {20.0, 10.0, 0.0});
    Double v = kSentinel;
    EXPECT_FALSE(static_cast<bool>(interp.Interp2D(x, y, true, 1.5, v)));
    EXPECT_EQ(FalseReason::TableSizesDiffer, LastFalseReason().code());
    EXPECT_EQ((std::vector<double>{2, 1}), Contents(x));
    // The formula faults: Y holds the faulting value.
    DoubleArray fx(1, {0.0, 1.0}), fy(1, {-1e308, 1e308});
    v = kSentinel;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, interp.Interp2D(fx, fy, true, 0.5, v));
    EXPECT_FALSE(std::isfinite(v)) << v;
}

TEST(DocumentedOutputs, Interp2DExtrapTakesACopyOfXAndTreatsUnknownMethodsAsLinear) {
    const cInterp2 interp;
    struct Row {
        const char* name;
        BoundaryCondition2 method;
        double target;
        bool result;
        double expected;
    };
    const Row rows[] = {
        {"no extrapolation", EXTRAP_NO, 5, false, kSentinel},
        {"no extrapolation, below", EXTRAP_NO, 0, false, kSentinel},
        {"linearly", EXTRAP_LINEARLY, 5, true, 50},
        {"fixed end, above", EXTRAP_FIXEDENDPT, 5, true, 20},
        {"fixed end, below", EXTRAP_FIXEDENDPT, -5, true, 10},
        {"a method outside the enumeration", static_cast<BoundaryCondition2>(3), 5, true, 50},
        {"a negative method", static_cast<BoundaryCondition2>(-4), -1, true, -10},
    };
    for (const Row& r : rows) {
        DoubleArray x(1, {2.0, 1.0}), y(1, {20.0, 10.0});
        Double target = r.target, v = kSentinel;
        EXPECT_EQ(r.result, static_cast<bool>(interp.Interp2D_Extrap(x, y, r.method, target, v))) << r.name;
        EXPECT_SAME_DOUBLE(r.expected, v) << r.name;
        EXPECT_SAME_DOUBLE(r.target, target) << r.name;
        EXPECT_EQ((std::vector<double>{1, 2}), Contents(x)) << r.name;
    }
    std::ostringstream text;
    text << static_cast<BoundaryCondition2>(-4) << ' ' << EXTRAP_FIXEDENDPT;
    EXPECT_EQ("-4 EXTRAP_FIXEDENDPT", text.str());
    EXPECT_STREQ("UnknownBoundaryCondition2", ToString(static_cast<BoundaryCondition2>(3)));
}

TEST(DocumentedOutputs, GridLookupsWriteZOnlyOnTrueAndReadNoUnboundedArrayBeforeItsTurn) {
    const cInterp2 interp;
    const DoubleArray x(1, {1.0, 2.0}), y(1, {10.0, 20.0});
    DoubleArray2D z(1, 2, 1, 2);
    z(1, 1) = 0;
    z(2, 1) = 1;
    z(1, 2) = 10;
    z(2, 2) = 11;
    struct Row {
        const char* name;
        double X, Y;
        bool allow, result;
        double expected;
    };
    const Row rows[] = {
        {"inside", 1.5, 15, false, true, 5.5},
        {"on the far corner", 2, 20, false, true, 11},
        {"X beyond", 2.5, 15, false, false, kSentinel},
        {"Y below", 1.5, 5, false, false, kSentinel},
        {"Y below, extrapolated", 1.5, 5, true, true, -4.5},
        {"NaN X counts as inside", kNaN, 15, false, true, kNaN},
    };
    for (const Row& r : rows) {
        Double v = kSentinel;
        EXPECT_EQ(r.result, static_cast<bool>(interp.Interp3D(x, y, z, r.allow, r.X, r.Y, v))) << r.name;
        EXPECT_SAME_DOUBLE(r.expected, v) << r.name;
    }
    // Grids that do not fit or do not rise: False and Z unchanged.
    const DoubleArray falling(1, {2.0, 1.0}), fromZero(0, {1.0, 2.0}), three(1, {1.0, 2.0, 3.0});
    Double v = kSentinel;
    EXPECT_FALSE(static_cast<bool>(interp.Interp3D(falling, y, z, true, 1.5, 15, v)));
    EXPECT_EQ(FalseReason::NotAscending, LastFalseReason().code());
    EXPECT_FALSE(static_cast<bool>(interp.Interp3D(x, fromZero, z, true, 1.5, 15, v)));
    EXPECT_EQ(FalseReason::TableNotNumberedFromOne, LastFalseReason().code());
    EXPECT_FALSE(static_cast<bool>(interp.Interp3D(three, y, z, true, 1.5, 15, v)));
    EXPECT_EQ(FalseReason::TableSizesDiffer, LastFalseReason().code());
    EXPECT_SAME_DOUBLE(kSentinel, v);
    // An array never given bounds is an error.
    const DoubleArray2D none;
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, interp.Interp3D(x, y, none, true, 1.5, 15, v));
    EXPECT_SAME_DOUBLE(kSentinel, v);

    // Interp4D: the same rules over three grids.
    const DoubleArray g(1, {0.0, 1.0});
    DoubleArray3D cube(1, 2, 1, 2, 1, 2);
    cube(2, 2, 2) = 8;
    EXPECT_FALSE(static_cast<bool>(interp.Interp4D(g, g, g, cube, false, 0.5, 0.5, 1.5, v)));
    EXPECT_EQ(FalseReason::TargetOutsideTable, LastFalseReason().code());
    EXPECT_SAME_DOUBLE(kSentinel, v);
    EXPECT_TRUE(static_cast<bool>(interp.Interp4D(g, g, g, cube, true, 1, 1, 1.5, v)));
    EXPECT_SAME_DOUBLE(12.0, v);  // along the edge cell: 8 + 0.5 * (8 - 0)
    DoubleArray3D flat(1, 2, 1, 2, 1, 3);
    v = kSentinel;
    EXPECT_FALSE(static_cast<bool>(interp.Interp4D(g, g, g, flat, true, 0.5, 0.5, 0.5, v)));
    EXPECT_EQ(FalseReason::TableSizesDiffer, LastFalseReason().code());
    EXPECT_SAME_DOUBLE(kSentinel, v);
}

// ---- cGenUtil ----

TEST(DocumentedOutputs, BinaryTextFalseLeavesTheNumber) {
    const cGenUtil util;
    const String sixteen = u"0000000000000101", thirtyTwo = u"00000000000000000000000000000101";
    const std::vector<String> notSixteen = {
        u"",
        sixteen.substr(1),
        sixteen + u"0",
        u" 000000000000101",
        u"000000000000010 ",
        u"000000000000010\u0661",  // another script's digit one
        u"0000000000000002",
        u"0000000000000-01",
        u"000000000000010\uff11",  // a full-width one
        thirtyTwo,
    };
    for (const String& text : notSixteen) {
        Integer n = 1234;
        EXPECT_FALSE(static_cast<bool>(util.BinToInt(text, n))) << text.size();
        EXPECT_EQ(1234, n);
        EXPECT_EQ(FalseReason::NotBinaryText, LastFalseReason().code());
    }
    for (const String& text : {String(u""), thirtyTwo.substr(1), thirtyTwo + u"1", sixteen,
                               String(u"0000000000000000000000000000010x")}) {
        Long n = -99;
        EXPECT_FALSE(static_cast<bool>(util.BinToLong(text, n))) << text.size();
        EXPECT_EQ(-99, n);
    }
    Integer n = 0;
    EXPECT_TRUE(static_cast<bool>(util.BinToInt(u"1000000000000000", n)));
    EXPECT_EQ(-32768, n);
    EXPECT_TRUE(static_cast<bool>(util.BinToInt(u"0111111111111111", n)));
    EXPECT_EQ(32767, n);
    Long l = 0;
    EXPECT_TRUE(static_cast<bool>(util.BinToLong(u"01111111111111111111111111111111", l)));
    EXPECT_EQ(2147483647, l);
    // IntToBin and LongToBin replace whatever the text held.
    String s = u"left over from before, longer than sixteen";
    EXPECT_TRUE(static_cast<bool>(util.IntToBin(-32768, s)));
    EXPECT_EQ(String(u"1000000000000000"), s);
    EXPECT_TRUE(static_cast<bool>(util.LongToBin(-2147483647 - 1, s)));
    EXPECT_EQ(String(u"10000000000000000000000000000000"), s);
}

// ---- cMatrix ----

TEST(DocumentedOutputs, CalcGivesAnEmptyCollectionOnFalseAndKeepsTheVariableOnAnError) {
    const auto previous = std::make_shared<Collection>();
    previous->Add(Variant(42.0));

    // Before the first MatrixSize: an error, Solution unchanged.
    std::shared_ptr<Collection> solution = previous;
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, cMatrix().Calc(solution));
    EXPECT_EQ(previous, solution);

    // False: a new Collection with no items.
    cMatrix dependent;
    dependent.MatrixSize(2);
    dependent.AddToMatrix(1, 1, 1);
    dependent.AddToMatrix(1, 2, 2);
    dependent.AddToMatrix(2, 1, 2);
    dependent.AddToMatrix(2, 2, 4);
    EXPECT_FALSE(static_cast<bool>(dependent.Calc(solution)));
    ASSERT_NE(nullptr, solution);
    EXPECT_NE(previous, solution);
    EXPECT_EQ(0, solution->Count());
    EXPECT_EQ(1, previous->Count());

    // A fault: Solution unchanged.
    cMatrix overflowing;
    overflowing.MatrixSize(2);
    overflowing.AddToMatrix(1, 1, 1e300);  // the factor -1e300 / 1e-300 overflows
    overflowing.AddToMatrix(1, 2, 1);
    overflowing.AddToMatrix(2, 1, 1e-300);
    overflowing.AddToMatrix(2, 2, 1);
    overflowing.AddToVector(1, 1);
    solution = previous;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, overflowing.Calc(solution));
    EXPECT_EQ(previous, solution);
}

TEST(DocumentedOutputs, EntriesAboveTheSizeAreIgnoredEvenBesideASubscriptBelowOne) {
    cMatrix m;
    m.MatrixSize(2);
    // Above N in either place: nothing happens, whatever the other subscript.
    m.AddToMatrix(0, 3, 5.0);
    m.AddToMatrix(3, 0, 5.0);
    m.AddToMatrix(-5, 3, 5.0);
    m.AddToVector(3, 5.0);
    // Below 1 with the other within N: an error.
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToMatrix(1, 0, 5.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToMatrix(-1, 2, 5.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToVector(0, 5.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToVector(-2147483647 - 1, 5.0));
    // The system is still the zeros of MatrixSize with what was set.
    m.AddToMatrix(1, 1, 2);
    m.AddToMatrix(2, 2, 4);
    m.AddToVector(1, 1);
    m.AddToVector(2, 1);
    std::shared_ptr<Collection> x;
    ASSERT_TRUE(static_cast<bool>(m.Calc(x)));
    ASSERT_EQ(2, x->Count());
    EXPECT_SAME_DOUBLE(0.5, x->Item(1).AsDouble());
    EXPECT_SAME_DOUBLE(0.25, x->Item(2).AsDouble());
    // Sizes below 1 are refused; a second MatrixSize clears the system.
    for (const Long bad : {Long{0}, Long{-1}, Long{-2147483647 - 1}}) {
        EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.MatrixSize(bad));
    }
    m.MatrixSize(2);
    EXPECT_FALSE(static_cast<bool>(m.Calc(x)));
    EXPECT_EQ(FalseReason::NoRowOrder, LastFalseReason().code());
    EXPECT_EQ(0, x->Count());
}

// ---- cMatrixOps and cMatrix2 ----

TEST(DocumentedOutputs, MatrixOutputsAfterFalseAndErrors) {
    const cMatrixOps ops;
    const auto old = MatrixOf({{9, 9}, {9, 9}});
    const auto isNewZero = [&](const std::shared_ptr<cMatrix2>& m, const char* name) {
        ASSERT_NE(nullptr, m) << name;
        EXPECT_NE(old, m) << name;
        EXPECT_EQ(1, m->NumRows()) << name;
        EXPECT_EQ(1, m->NumCols()) << name;
        EXPECT_SAME_DOUBLE(0.0, m->GetData(1, 1)) << name;
    };
    std::shared_ptr<cMatrix2> out = old, none;

    EXPECT_FALSE(static_cast<bool>(ops.MatrixMult(MatrixOf({{1, 2}}), MatrixOf({{1, 2}}), out)));
    isNewZero(out, "MatrixMult False");
    out = old;
    EXPECT_FALSE(static_cast<bool>(ops.MatrixInvert(MatrixOf({{1, 2}}), out)));
    isNewZero(out, "MatrixInvert not square");
    out = old;
    EXPECT_FALSE(static_cast<bool>(ops.MatrixInvert(MatrixOf({{1, 2}, {2, 4.000000000001}}), out)));
    EXPECT_EQ(FalseReason::ProportionalRows, LastFalseReason().code());
    isNewZero(out, "MatrixInvert proportional within 1e-12");
    // A zero pivot that passed the screening raises, with the new 1 x 1 in the output.
    out = old;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault,
                         ops.MatrixInvert(MatrixOf({{1, 1, 0}, {1, 1, 1}, {0, 1, 1}}), out));
    isNewZero(out, "MatrixInvert zero pivot");
    // Every missing input: MissingObject after the output was replaced.
    out = old;
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.MatrixTrans(none, out));
    isNewZero(out, "MatrixTrans without Original");
    out = old;
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.MatrixMult(MatrixOf({{1}}), none, out));
    isNewZero(out, "MatrixMult without B");
    out = old;
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.MatrixInvert(none, out));
    isNewZero(out, "MatrixInvert without Original");

    // SimultEqns: False for Coeffs without an inverse leaves Solution; False for
    // differing row counts gives a new 1 x 1.
    out = old;
    EXPECT_FALSE(static_cast<bool>(ops.SimultEqns(MatrixOf({{1, 2}, {0, 0}}), MatrixOf({{1}, {1}}), out)));
    EXPECT_EQ(old, out);
    EXPECT_SAME_DOUBLE(9.0, out->GetData(2, 2));
    EXPECT_FALSE(static_cast<bool>(ops.SimultEqns(MatrixOf({{2, 0}, {0, 2}}), MatrixOf({{1}, {1}, {1}}), out)));
    EXPECT_EQ(FalseReason::SizesDoNotMatch, LastFalseReason().code());
    isNewZero(out, "SimultEqns rows differ");

    // A product whose sum overflows keeps the elements done before it.
    out = old;
    const auto a = MatrixOf({{1, 0}, {1e308, 1e308}}), b = MatrixOf({{3, 4}, {5, 6}});
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, ops.MatrixMult(a, b, out));
    ASSERT_NE(old, out);
    EXPECT_EQ(2, out->NumRows());
    EXPECT_SAME_DOUBLE(3.0, out->GetData(1, 1));
    EXPECT_SAME_DOUBLE(4.0, out->GetData(1, 2));
    EXPECT_SAME_DOUBLE(0.0, out->GetData(2, 2));
}

TEST(DocumentedOutputs, ASizeOfZeroOrLessChangesNothingAndAnyOtherClearsEverything) {
    cMatrix2 m;
    m.NumRows(2);
    m.NumCols(3);
    m.PutData(2, 3, 5.0);
    for (const Long bad : {Long{0}, Long{-1}, Long{-2147483647 - 1}}) {
        m.NumRows(bad);
        m.NumCols(bad);
    }
    EXPECT_EQ(2, m.NumRows());
    EXPECT_EQ(3, m.NumCols());
    EXPECT_SAME_DOUBLE(5.0, m.GetData(2, 3));
    m.NumRows(2);  // the same count clears too
    EXPECT_SAME_DOUBLE(0.0, m.GetData(2, 3));
    m.PutData(1, 1, 7.0);
    m.NumCols(1);
    EXPECT_SAME_DOUBLE(0.0, m.GetData(1, 1));
    // Outside the matrix in any direction: 0 on read, ignored on write.
    const Long places[][2] = {{0, 1}, {1, 0}, {3, 1}, {1, 2}, {-1, -1}, {2147483647, 1}, {-2147483647 - 1, 1}};
    for (const auto& p : places) {
        m.PutData(p[0], p[1], 9.0);
        EXPECT_SAME_DOUBLE(0.0, m.GetData(p[0], p[1])) << p[0] << ", " << p[1];
    }
    EXPECT_SAME_DOUBLE(0.0, m.GetData(1, 1));
    EXPECT_SAME_DOUBLE(0.0, m.GetData(2, 1));
}

}  // namespace
}  // namespace tervanix
