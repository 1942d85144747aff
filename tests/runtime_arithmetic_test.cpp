// The library-wide arithmetic rules: the fault test of Double formulas, the order of
// store and test, whole numbers that never wrap, and the rounding conversions.
#include <Tervanix/runtime/Checked.h>
#include <Tervanix/runtime/WholeNumbers.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;
using rt::Fp;

struct OpCase {
    double a;
    char op;
    double b;
    std::uint8_t faults;
};

Fp Apply(const OpCase& c) {
    switch (c.op) {
        case '+': return Fp(c.a) + c.b;
        case '-': return Fp(c.a) - c.b;
        case '*': return Fp(c.a) * c.b;
        default: return Fp(c.a) / c.b;
    }
}

TEST(FaultTest, EachOperationFaultsExactlyAsIeeeRaises) {
    const double sNaN = std::numeric_limits<double>::signaling_NaN();
    const OpCase cases[] = {
        {1.0, '/', 0.0, rt::kDivisionByZero},   {-1.0, '/', -0.0, rt::kDivisionByZero},
        {0.0, '/', 0.0, rt::kInvalidOperation}, {kInf, '-', kInf, rt::kInvalidOperation},
        {kInf, '+', -kInf, rt::kInvalidOperation}, {0.0, '*', kInf, rt::kInvalidOperation},
        {kInf, '/', kInf, rt::kInvalidOperation}, {kMax, '*', 2.0, rt::kOverflow},
        {kMax, '+', kMax, rt::kOverflow},       {1e300, '/', 1e-300, rt::kOverflow},
        {sNaN, '+', 1.0, rt::kInvalidOperation},
        // Nothing is raised: underflow, inexact, infinities and quiet NaNs passed on.
        {1e-300, '*', 1e-300, rt::kNoFault},    {1.0, '/', 3.0, rt::kNoFault},
        {kInf, '+', 1.0, rt::kNoFault},         {kInf, '/', 0.0, rt::kNoFault},
        {kNaN, '*', 0.0, rt::kNoFault},         {1.0, '-', kNaN, rt::kNoFault},
        {kInf, '*', -1.0, rt::kNoFault},
    };
    for (const OpCase& c : cases) {
        EXPECT_EQ(c.faults, Apply(c).faults()) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

TEST(FaultTest, AFaultAnywhereInAFormulaFaultsTheFormula) {
    // 1 / (1 / 0) is 0, but its inner division raised division by zero.
    const Fp e = Fp(1.0) / (Fp(1.0) / 0.0);
    EXPECT_SAME_DOUBLE(0.0, e.value());
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::Stored(e));
    EXPECT_EQ(0.5, rt::Stored(Fp(1.0) / 2.0));
}

TEST(FaultTest, AnOutputReceivesTheFaultingValueBeforeTheError) {
    double out = 7.0;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::Assign(out, Fp(kMax) * 10.0));
    EXPECT_SAME_DOUBLE(kInf, out);
    rt::Assign(out, Fp(3.0) - 1.0);
    EXPECT_EQ(2.0, out);
}

TEST(FaultTest, DifferenceForComparisonBeyondTheRangeIsAnOverflowError) {
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::AbsDifferenceForComparison(kMax, -kMax));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::AbsDifferenceForComparison(kInf, kInf));
    EXPECT_SAME_DOUBLE(kInf, rt::AbsDifferenceForComparison(kInf, 1.0));
    EXPECT_SAME_DOUBLE(0.10000000000000009, rt::AbsDifferenceForComparison(1.0, 1.1));
}

TEST(WholeNumbers, IntegerAndLongArithmeticNeverWraps) {
    EXPECT_EQ(32767, rt::Add(Integer{32766}, Integer{1}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Add(Integer{32767}, Integer{1}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Sub(Integer{-32768}, Integer{1}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Mul(Integer{256}, Integer{128}));
    EXPECT_EQ(-32768, rt::Mul(Integer{-256}, Integer{128}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Add(Long{2147483647}, Long{1}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Mul(Long{65536}, Long{32768}));
    EXPECT_EQ(-2147483647 - 1, rt::Sub(Long{-2147483647}, Long{1}));
    EXPECT_EQ(-32768, rt::ToInteger(Long{-32768}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(Long{32768}));
}

TEST(WholeNumbers, ACounterSteppingPast32767Overflows) {
    Integer i = 32760;
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, for (;;) i = rt::Add(i, Integer{1}));
    EXPECT_EQ(32767, i);
}

TEST(WholeNumbers, ConversionsRoundHalfToEven) {
    const struct {
        double in;
        double out;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {-0.5, 0},
                 {2.4999999999999996, 2}, {2.5000000000000004, 3}, {-1e-300, 0},
                 {4503599627370495.5, 4503599627370496.0}, {1e300, 1e300}};
    for (const auto& c : cases) EXPECT_SAME_DOUBLE(c.out, rt::RoundHalfEven(c.in) + 0.0) << c.in;

    EXPECT_EQ(32767, rt::ToInteger(32767.49));
    EXPECT_EQ(-32768, rt::ToInteger(-32768.5));  // rounds to the even -32768
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(32767.5));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(-32769.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(kNaN));
    EXPECT_EQ(2147483646, rt::ToLong(2147483646.5));
    EXPECT_EQ(2147483647, rt::ToLong(2147483647.4));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToLong(2147483647.5));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToLong(-kInf));
    EXPECT_EQ(-2147483647 - 1, rt::ToLong(-2147483648.5));
}

}  // namespace
}  // namespace tervanix
