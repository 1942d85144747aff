// The batch API's own rules, which the single calls do not have: which spans may
// share memory, which lengths must agree, what a slot holds for each outcome, what
// a table error does to the whole call, and the names of the outcomes.
#include <Tervanix/Batch.h>
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include <array>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

constexpr double kSentinel = -7.25;

// The outcome named after an error kind (the outcomes after ReturnedFalse carry the
// kinds' names).
BatchOutcome OutcomeOfKind(ErrorKind kind) {
    for (int k = static_cast<int>(BatchOutcome::OverflowError); k <= static_cast<int>(BatchOutcome::OutOfMemory); ++k) {
        if (std::string(ToString(static_cast<BatchOutcome>(k))) == KindName(kind)) return static_cast<BatchOutcome>(k);
    }
    ADD_FAILURE() << "no outcome is named " << KindName(kind);
    return BatchOutcome::ReturnedTrue;
}

// One single call as a batch slot sees it: its outcome, its output, its reason.
struct Slot {
    BatchOutcome outcome;
    double value;
    FalseReason reason;
};

Slot Single(const std::function<Boolean(Double&)>& call) {
    Slot s{BatchOutcome::ReturnedTrue, kSentinel, FalseReason::None};
    try {
        if (!call(s.value)) {
            s.outcome = BatchOutcome::ReturnedFalse;
            s.reason = LastFalseReason().code();
        }
    } catch (const LibraryError& e) {
        s.outcome = OutcomeOfKind(e.kind());
    }
    return s;
}

void ExpectSlots(const std::vector<Slot>& expected, const std::vector<double>& values,
                 const std::vector<BatchOutcome>& outcomes, const std::vector<FalseReason>& reasons,
                 const std::string& where) {
    ASSERT_EQ(expected.size(), values.size()) << where;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ToString(expected[i].outcome), std::string(ToString(outcomes[i]))) << where << ", target " << i;
        EXPECT_SAME_DOUBLE(expected[i].value, values[i]) << where << ", target " << i;
        if (!reasons.empty()) {
            EXPECT_EQ(expected[i].reason, reasons[i]) << where << ", target " << i;
        }
    }
}

// Targets that give each outcome a single lookup can give: True inside and beyond,
// False beyond, an error for NaN, a fault in the last assignment.
TEST(BatchSlots, EachSlotIsWhatTheSingleCallLeavesForEveryOutcome) {
    const std::vector<double> targets = {1.5, 3, -1, 9, kNaN, 1e306, -0.0, 2};
    const std::vector<double> xs = {3, 1, 2, 0}, ys = {1e300, 10, 20, 0};
    for (const BoundaryCondition condition :
         {NO_EXTRAPOLATION, EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT, static_cast<BoundaryCondition>(5)}) {
        std::vector<Slot> expected;
        {
            DoubleArray x(1, xs), y(1, ys);
            for (const double t : targets) {
                expected.push_back(Single([&](Double& v) {
                    return CInterpolation().InterpolationOf1DArray(t, x, y, condition, v);
                }));
            }
        }
        DoubleArray x(1, xs), y(1, ys);
        std::vector<double> values(targets.size(), kSentinel);
        std::vector<BatchOutcome> outcomes(targets.size(), BatchOutcome::OutOfMemory);
        std::vector<FalseReason> reasons(targets.size(), FalseReason::ZeroRow);
        InterpolationOf1DArrayBatch(x, y, condition, targets, values, outcomes, reasons);
        ExpectSlots(expected, values, outcomes, reasons, std::string("1-D, ") + std::to_string(condition));
        EXPECT_EQ((std::vector<double>{0, 1, 2, 3}), Contents(x));
    }
    for (const bool allow : {false, true}) {
        std::vector<Slot> expected;
        {
            DoubleArray x(1, xs), y(1, ys);
            for (const double t : targets) {
                expected.push_back(Single([&](Double& v) { return cInterp2().Interp2D(x, y, allow, t, v); }));
            }
        }
        DoubleArray x(1, xs), y(1, ys);
        std::vector<double> values(targets.size(), kSentinel);
        std::vector<BatchOutcome> outcomes(targets.size(), BatchOutcome::OutOfMemory);
        std::vector<FalseReason> reasons(targets.size(), FalseReason::ZeroRow);
        Interp2DBatch(x, y, allow, targets, values, outcomes, reasons);
        ExpectSlots(expected, values, outcomes, reasons, allow ? "pairs, extrapolating" : "pairs");
    }
    // The outcomes that occur above: at least True, False, an error and a fault.
    DoubleArray x(1, xs), y(1, ys);
    std::vector<double> values(targets.size(), kSentinel);
    std::vector<BatchOutcome> outcomes(targets.size());
    InterpolationOf1DArrayBatch(x, y, NO_EXTRAPOLATION, targets, values, outcomes);
    EXPECT_EQ(BatchOutcome::ReturnedTrue, outcomes[0]);
    EXPECT_EQ(BatchOutcome::ReturnedFalse, outcomes[2]);
    EXPECT_SAME_DOUBLE(kSentinel, values[2]);
    EXPECT_EQ(BatchOutcome::ReturnedFalse, outcomes[4]);  // NaN without extrapolation: False
    InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, targets, values, outcomes);
    EXPECT_EQ(BatchOutcome::SubscriptOutOfRange, outcomes[4]);
    EXPECT_EQ(BatchOutcome::FloatingPointFault, outcomes[5]);
    EXPECT_FALSE(std::isfinite(values[5])) << "the faulting value, " << values[5];
}

TEST(BatchSlots, GridSlotsAreTheSingleCallsAlso) {
    const DoubleArray gx(1, {0.0, 1.0}), gy(1, {0.0, 2.0});
    DoubleArray2D z(1, 2, 1, 2);
    z(1, 1) = 1;
    z(2, 1) = -1e308;
    z(1, 2) = 3;
    z(2, 2) = 1e308;
    const std::vector<double> px = {0.25, 2, 0.5, kNaN, 0.5}, py = {1, 1, -1, 1, 1.5};
    for (const bool allow : {false, true}) {
        std::vector<Slot> expected;
        for (std::size_t i = 0; i < px.size(); ++i) {
            expected.push_back(Single([&](Double& v) { return cInterp2().Interp3D(gx, gy, z, allow, px[i], py[i], v); }));
        }
        std::vector<double> values(px.size(), kSentinel);
        std::vector<BatchOutcome> outcomes(px.size());
        std::vector<FalseReason> reasons(px.size(), FalseReason::ZeroRow);
        Interp3DBatch(gx, gy, z, allow, px, py, values, outcomes, reasons);
        ExpectSlots(expected, values, outcomes, reasons, allow ? "3-D, extrapolating" : "3-D");
    }
    DoubleArray3D cube(1, 2, 1, 2, 1, 2);
    cube(2, 2, 2) = 8;
    cube(1, 1, 1) = -kInf;
    const DoubleArray g(1, {0.0, 1.0});
    const std::vector<double> pw = {0.5, 1.5, 0.5, 0}, qx = {0.5, 0.5, 0.5, 0}, qy = {0.5, 0.5, -3, 0};
    std::vector<Slot> expected;
    for (std::size_t i = 0; i < pw.size(); ++i) {
        expected.push_back(Single([&](Double& v) { return cInterp2().Interp4D(g, g, g, cube, false, pw[i], qx[i], qy[i], v); }));
    }
    std::vector<double> values(pw.size(), kSentinel);
    std::vector<BatchOutcome> outcomes(pw.size());
    std::vector<FalseReason> reasons(pw.size());
    Interp4DBatch(g, g, g, cube, false, pw, qx, qy, values, outcomes, reasons);
    ExpectSlots(expected, values, outcomes, reasons, "4-D");
}

// A Y array one short of X: the sort fails part way, the first target gets its
// error, and the later ones look the partly sorted table up as a loop of single
// calls would, each sorting on.
TEST(BatchSlots, APartlySortedTableIsLookedUpAsALoopOfSingleCalls) {
    const std::vector<double> xs = {4, 3, 2, 1}, ys = {40, 30, 20};
    const std::vector<double> targets = {2.5, 1.5, 3.5, 0.5};
    std::vector<Slot> expected;
    DoubleArray lx(1, xs), ly(1, ys);
    for (const double t : targets) {
        expected.push_back(
            Single([&](Double& v) { return CInterpolation().InterpolationOf1DArray(t, lx, ly, EXTRAPOLATE_LINEARLY, v); }));
    }
    ASSERT_EQ(BatchOutcome::SubscriptOutOfRange, expected[0].outcome);
    DoubleArray x(1, xs), y(1, ys);
    std::vector<double> values(targets.size(), kSentinel);
    std::vector<BatchOutcome> outcomes(targets.size());
    InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, targets, values, outcomes);
    ExpectSlots(expected, values, outcomes, {}, "a short Y");
    EXPECT_EQ(Contents(lx), Contents(x));
    EXPECT_EQ(Contents(ly), Contents(y));
}

// A table that the single call answers with False for every target gives False and
// the same reason in every slot, and writes no value.
TEST(BatchSlots, ATableThatNoTargetCanUseGivesFalseEverywhere) {
    DoubleArray x(0, {2.0, 1.0}), y(0, {20.0, 10.0});
    const std::vector<double> targets = {1.5, kNaN, 7};
    std::vector<double> values(3, kSentinel);
    std::vector<BatchOutcome> outcomes(3);
    std::vector<FalseReason> reasons(3);
    Interp2DBatch(x, y, true, targets, values, outcomes, reasons);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(BatchOutcome::ReturnedFalse, outcomes[i]) << i;
        EXPECT_EQ(FalseReason::TableNotNumberedFromOne, reasons[i]) << i;
        EXPECT_SAME_DOUBLE(kSentinel, values[i]);
    }
    EXPECT_EQ((std::vector<double>{2, 1}), Contents(x));  // not sorted: the bounds do not qualify
    const DoubleArray g(1, {0.0, 1.0}), falling(1, {1.0, 0.0});
    Interp3DBatch(g, falling, DoubleArray2D(1, 2, 1, 2), true, targets, targets, values, outcomes, reasons);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(BatchOutcome::ReturnedFalse, outcomes[i]) << i;
        EXPECT_EQ(FalseReason::NotAscending, reasons[i]) << i;
    }
}

// The results may be the targets themselves; any other sharing of memory among the
// spans or with a table is refused before any work.
TEST(BatchSpans, ResultsMayReplaceTheTargetsButNoOtherSpansMayShareMemory) {
    const DoubleArray sorted(1, {0.0, 1.0, 2.0}), sortedY(1, {0.0, 10.0, 40.0});
    {
        DoubleArray x(1, {2.0, 0.0, 1.0}), y(1, {40.0, 0.0, 10.0});
        std::vector<double> inPlace = {0.5, 1.5, 7};
        std::vector<BatchOutcome> outcomes(3);
        InterpolationOf1DArrayBatch(x, y, NO_EXTRAPOLATION, inPlace, inPlace, outcomes);
        EXPECT_EQ((std::vector<double>{5, 25, 7}), inPlace);  // False keeps the slot: the target
        EXPECT_EQ(BatchOutcome::ReturnedFalse, outcomes[2]);
        EXPECT_EQ(Contents(sorted), Contents(x));
    }
    {
        DoubleArray x = sorted, y = sortedY;
        std::vector<double> inPlace = {0.5, 1.5};
        std::vector<BatchOutcome> outcomes(2);
        Interp2DBatch(x, y, false, inPlace, inPlace, outcomes);
        EXPECT_EQ((std::vector<double>{5, 25}), inPlace);
    }
    {
        const DoubleArray g(1, {0.0, 1.0});
        DoubleArray2D z(1, 2, 1, 2);
        z(2, 2) = 4;
        std::vector<double> px = {0.5, 1}, py = {0.5, 1};
        std::vector<BatchOutcome> outcomes(2);
        Interp3DBatch(g, g, z, false, px, py, py, outcomes);  // Z over Y
        EXPECT_EQ((std::vector<double>{1, 4}), py);
        EXPECT_EQ((std::vector<double>{0.5, 1}), px);
    }

    // Refused: nothing sorted, no slot written.
    struct Refusal {
        const char* name;
        std::function<void(DoubleArray&, DoubleArray&, std::vector<double>&, std::vector<BatchOutcome>&)> run;
    };
    const Refusal refusals[] = {
        {"results over the Y table",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>& o) {
             InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, t, Span<Double>(y.begin(), 3), o);
         }},
        {"targets inside the X table",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>& o) {
             Interp2DBatch(x, y, true, Span<const Double>(x.begin(), 3), Span<Double>(t.data(), 3), o);
         }},
        {"results one past the targets",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>& o) {
             Interp2DBatch(x, y, true, Span<const Double>(t.data(), 2), Span<Double>(t.data() + 1, 2),
                           Span<BatchOutcome>(o.data(), 2));
         }},
        {"outcomes over the results",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>&) {
             auto* bytes = reinterpret_cast<BatchOutcome*>(t.data() + 1);
             InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, Span<const Double>(t.data(), 1),
                                         Span<Double>(t.data() + 1, 1), Span<BatchOutcome>(bytes, 1));
         }},
        {"a reasons span of another length",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>& o) {
             std::vector<double> r(3);
             std::vector<FalseReason> reasons(2);
             InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, t, r, o, reasons);
         }},
        {"pair reasons of another length",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>& o) {
             std::vector<double> r(3);
             std::vector<FalseReason> reasons(4);
             Interp2DBatch(x, y, true, t, r, o, reasons);
         }},
        {"outcomes of another length",
         [](DoubleArray& x, DoubleArray& y, std::vector<double>& t, std::vector<BatchOutcome>& o) {
             std::vector<double> r(3);
             Interp2DBatch(x, y, true, t, r, Span<BatchOutcome>(o.data(), 2));
         }},
    };
    for (const Refusal& refusal : refusals) {
        DoubleArray x(1, {2.0, 0.0, 1.0}), y(1, {40.0, 0.0, 10.0});
        std::vector<double> targets = {0.5, 1.5, kSentinel};
        std::vector<BatchOutcome> outcomes(3, BatchOutcome::MissingObject);
        try {
            refusal.run(x, y, targets, outcomes);
            ADD_FAILURE() << refusal.name << ": no error";
        } catch (const LibraryError& e) {
            EXPECT_EQ(ErrorKind::InvalidArgument, e.kind()) << refusal.name << ": " << e.what();
        }
        EXPECT_EQ((std::vector<double>{2, 0, 1}), Contents(x)) << refusal.name;
        EXPECT_EQ((std::vector<double>{40, 0, 10}), Contents(y)) << refusal.name;
        EXPECT_EQ((std::vector<double>{0.5, 1.5, kSentinel}), targets) << refusal.name;
        for (const BatchOutcome o : outcomes) EXPECT_EQ(BatchOutcome::MissingObject, o) << refusal.name;
    }
}

TEST(BatchSpans, PointSpansOfTheGridsMustAgreeInLength) {
    const DoubleArray g(1, {0.0, 1.0});
    const DoubleArray2D z(1, 2, 1, 2);
    const DoubleArray3D cube(1, 2, 1, 2, 1, 2);
    std::vector<double> two = {0.5, 0.5}, three = {0.5, 0.5, 0.5}, out(2, kSentinel);
    std::vector<BatchOutcome> outcomes(2);
    std::vector<FalseReason> reasons(1);
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, Interp3DBatch(g, g, z, true, two, three, out, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, Interp3DBatch(g, g, z, true, two, two, out, outcomes, reasons));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, Interp4DBatch(g, g, g, cube, true, three, two, two, out, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, Interp4DBatch(g, g, g, cube, true, two, two, three, out, outcomes));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument,
                         Interp4DBatch(g, g, g, cube, true, two, two, two, out, outcomes, reasons));
    EXPECT_EQ((std::vector<double>{kSentinel, kSentinel}), out);
    // An empty reasons span asks for none.
    Interp4DBatch(g, g, g, cube, true, two, two, two, out, outcomes, Span<FalseReason>());
    EXPECT_EQ(BatchOutcome::ReturnedTrue, outcomes[0]);
    EXPECT_SAME_DOUBLE(0.0, out[0]);
    // A grid never given bounds is the table's error: the whole call, no slot.
    out.assign(2, kSentinel);
    outcomes.assign(2, BatchOutcome::MissingObject);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, Interp3DBatch(g, DoubleArray(), z, true, two, two, out, outcomes));
    EXPECT_EQ(BatchOutcome::MissingObject, outcomes[0]);
    EXPECT_SAME_DOUBLE(kSentinel, out[0]);
}

// The batch error names the batch function, whichever single call it stands for.
TEST(BatchSpans, ErrorsOfTheWholeCallNameTheBatchFunction) {
    const DoubleArray g(1, {0.0, 1.0});
    std::vector<double> one = {0.5}, two = {0.5, 0.5}, out(2);
    std::vector<BatchOutcome> outcomes(2);
    const struct {
        const char* prefix;
        std::function<void()> run;
    } rows[] = {
        {"InterpolationOf1DArrayBatch: InvalidArgument: ",
         [&] {
             DoubleArray x = g, y = g;
             InterpolationOf1DArrayBatch(x, y, NO_EXTRAPOLATION, one, out, outcomes);
         }},
        {"Interp2DBatch: SubscriptOutOfRange: ",
         [&] {
             DoubleArray x, y = g;
             Interp2DBatch(x, y, true, two, out, outcomes);
         }},
        {"Interp3DBatch: InvalidArgument: ", [&] { Interp3DBatch(g, g, DoubleArray2D(1, 2, 1, 2), true, one, two, out, outcomes); }},
        {"Interp4DBatch: SubscriptOutOfRange: ",
         [&] { Interp4DBatch(g, g, g, DoubleArray3D(), true, two, two, two, out, outcomes); }},
    };
    for (const auto& row : rows) {
        try {
            row.run();
            ADD_FAILURE() << row.prefix << "no error";
        } catch (const LibraryError& e) {
            EXPECT_EQ(row.prefix, std::string(e.what()).substr(0, std::strlen(row.prefix))) << e.what();
        }
    }
}

TEST(BatchSpans, SpansViewTheCallersValuesAndOutcomesHaveNames) {
    double raw[3] = {1, 2, 3};
    Span<double> fromArray = raw;
    EXPECT_EQ(3u, fromArray.size());
    fromArray[1] = 5;
    EXPECT_EQ(5, raw[1]);
    std::vector<double> v = {4, 5};
    Span<const double> fromVector = v;
    EXPECT_EQ(v.data(), fromVector.data());
    EXPECT_FALSE(fromVector.empty());
    std::array<double, 2> a = {6, 7};
    Span<double> fromStdArray = a;
    Span<const double> fromSpan = fromStdArray;
    EXPECT_EQ(a.data(), fromSpan.begin());
    EXPECT_EQ(a.data() + 2, fromSpan.end());
    EXPECT_TRUE(Span<double>().empty());
    EXPECT_EQ(nullptr, Span<double>().data());

    const char* names[] = {"ReturnedTrue",        "ReturnedFalse", "OverflowError", "SubscriptOutOfRange",
                           "FloatingPointFault", "InvalidArgument", "TypeMismatch", "MissingObject",
                           "OutOfMemory"};
    for (int k = 0; k < 9; ++k) {
        EXPECT_STREQ(names[k], ToString(static_cast<BatchOutcome>(k)));
        std::ostringstream text;
        text << static_cast<BatchOutcome>(k);
        EXPECT_EQ(names[k], text.str());
    }
    EXPECT_STREQ("UnknownOutcome", ToString(static_cast<BatchOutcome>(9)));
    EXPECT_STREQ("UnknownOutcome", ToString(static_cast<BatchOutcome>(-1)));
    // Each error kind has the outcome of the same name.
    for (const ErrorKind kind : {ErrorKind::OverflowError, ErrorKind::SubscriptOutOfRange, ErrorKind::FloatingPointFault,
                                 ErrorKind::InvalidArgument, ErrorKind::TypeMismatch, ErrorKind::MissingObject,
                                 ErrorKind::OutOfMemory}) {
        EXPECT_NE(BatchOutcome::ReturnedTrue, OutcomeOfKind(kind));
    }
}

// Any number of threads gives the slots of one, reasons included, also when the
// batch is small enough to stay on the calling thread.
TEST(BatchSpans, ThreadOptionsNeverChangeASlot) {
    std::vector<double> targets;
    for (int k = -40; k < 200; ++k) targets.push_back(k * 0.0625);
    targets.push_back(kNaN);
    std::vector<std::vector<double>> values;
    std::vector<std::vector<FalseReason>> reasons;
    for (const unsigned threads : {1u, 0u, 2u, 64u}) {
        DoubleArray x(1, {3.0, 1.0, 2.0, 5.0}), y(1, {3.0, 1.0, 2.0, 5.0});
        std::vector<double> v(targets.size(), kSentinel);
        std::vector<BatchOutcome> o(targets.size());
        std::vector<FalseReason> r(targets.size());
        InterpolationOf1DArrayBatch(x, y, NO_EXTRAPOLATION, targets, v, o, r, BatchOptions{threads});
        values.push_back(v);
        reasons.push_back(r);
    }
    for (std::size_t k = 1; k < values.size(); ++k) {
        for (std::size_t i = 0; i < targets.size(); ++i) {
            EXPECT_SAME_DOUBLE(values[0][i], values[k][i]) << k << ", " << i;
            EXPECT_EQ(reasons[0][i], reasons[k][i]) << k << ", " << i;
        }
    }
    EXPECT_EQ(FalseReason::NotANumber, reasons[0].back());
    EXPECT_EQ(FalseReason::TargetOutsideTable, reasons[0][0]);
}

}  // namespace
}  // namespace tervanix
