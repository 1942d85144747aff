// Formulas tested once, on their values: the same values and the same faults, in the
// same places, as the operation-by-operation test of Fp.
#include <Tervanix/runtime/Formula.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

// The value of a call, or whether it ended with a FloatingPointFault.
struct Outcome {
    bool faulted = false;
    double value = 0;
};

template <typename F>
Outcome OutcomeOf(F f) {
    try {
        return {false, f()};
    } catch (const LibraryError& e) {
        EXPECT_EQ(ErrorKind::FloatingPointFault, e.kind());
        return {true, 0};
    }
}

TEST(FormulaTest, StoredFormulaGivesTheValuesAndFaultsOfFp) {
    const double sNaN = std::numeric_limits<double>::signaling_NaN();
    const struct {
        double a, b, c;
        bool faults;
    } cases[] = {{0.1, 3, 0.3, false},  {1e308, 10, kInf, true}, {kInf, 1, 2, false},   {kInf, 0, 1, true},
                 {kNaN, 1, 1, false},   {sNaN, 1, 1, true},      {kMax, 2, kMax, true}, {1e-300, 1e-300, 0, false},
                 {kInf, 1, kInf, true}};
    for (const auto& c : cases) {  // a * b - c
        const Outcome byFp = OutcomeOf([&] { return rt::Stored(rt::Fp(c.a) * c.b - c.c); });
        const Outcome byFormula = OutcomeOf([&] { return rt::StoredFormula([=](auto F) { return F(c.a) * c.b - c.c; }); });
        EXPECT_EQ(c.faults, byFp.faulted) << c.a << ' ' << c.b << ' ' << c.c;
        EXPECT_EQ(c.faults, byFormula.faulted) << c.a << ' ' << c.b << ' ' << c.c;
        EXPECT_SAME_DOUBLE(byFp.value, byFormula.value) << c.a << ' ' << c.b << ' ' << c.c;
    }
}

TEST(FormulaTest, TestedOnceItFaultsAsWhenEveryOperationIsTested) {
    const double values[] = {0.0, -0.0, 1.5, -3.25, 1e300, -1e300, kMax, 1e-310, kInf, -kInf, kNaN};
    for (double a : values) {
        for (double b : values) {
            for (double f : {0.0, 0.5, -2.0, kInf}) {  // (b - a) * f + a, as a linear interpolation
                const Outcome byFp = OutcomeOf([&] { return rt::Stored((rt::Fp(b) - a) * f + a); });
                const Outcome byFormula =
                    OutcomeOf([&] { return rt::StoredFormula([=](auto F) { return (F(b) - a) * f + a; }); });
                EXPECT_EQ(byFp.faulted, byFormula.faulted) << a << ' ' << b << ' ' << f;
                EXPECT_SAME_DOUBLE(byFp.value, byFormula.value) << a << ' ' << b << ' ' << f;
            }
        }
    }
}

TEST(FormulaTest, OutputsAreWrittenInOrderUpToTheFaultingOne) {
    const auto assign = [](double x, double y, double& p, double& q, double& r) {
        rt::AssignFormulas([=](auto F) { return std::array{F(x) + y, F(x) * y, F(x) - y}; }, p, q, r);
    };
    double p = 7, q = 7, r = 7;
    assign(1.5, 2, p, q, r);
    EXPECT_SAME_DOUBLE(3.5, p);
    EXPECT_SAME_DOUBLE(3.0, q);
    EXPECT_SAME_DOUBLE(-0.5, r);
    p = q = r = 7;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, assign(1e200, 1e200, p, q, r));
    EXPECT_SAME_DOUBLE(2e200, p);
    EXPECT_SAME_DOUBLE(kInf, q);  // the faulting value
    EXPECT_SAME_DOUBLE(7.0, r);   // never reached
    // Finite values whose sum overflows take the checked path and raise nothing.
    assign(kMax, -0.5, p, q, r);
    EXPECT_SAME_DOUBLE(kMax, p);
    EXPECT_SAME_DOUBLE(-kMax / 2, q);
    // Infinities passed on from the operands are values, not faults.
    assign(kInf, 2, p, q, r);
    EXPECT_SAME_DOUBLE(kInf, r);
}

TEST(FormulaTest, AValueStoredInsideTheFormulasFaultsBeforeAnyOutput) {
    double p = 7, q = 7;
    const auto assign = [&](double x, double d) {
        rt::AssignFormulas(
            [=](auto F) {
                const double s = rt::Stored(F(x) / d);
                return std::array{F(s) * 0.5, F(s) * 2.0};
            },
            p, q);
    };
    assign(3, 2);
    EXPECT_SAME_DOUBLE(0.75, p);
    EXPECT_SAME_DOUBLE(3.0, q);
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, assign(1, 0));
    EXPECT_SAME_DOUBLE(0.75, p);
    EXPECT_SAME_DOUBLE(3.0, q);
}

}  // namespace
}  // namespace tervanix
