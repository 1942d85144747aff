// The library-wide arithmetic rules: the fault test of Double formulas (operation by
// operation and once per formula), the order of store and test, whole numbers that
// never wrap, the rounding conversions and the floating-point environment.
#include <cfenv>
#include <vector>

#include <Tervanix/CInterpolation.h>
#include <Tervanix/cGenUtil.h>
#include <Tervanix/cGeom.h>
#include <Tervanix/runtime/Checked.h>
#include <Tervanix/runtime/Formula.h>
#include <Tervanix/runtime/FpEnvironment.h>
#include <Tervanix/runtime/WholeNumbers.h>

#include "TestSupport.h"

#if defined(__SSE2__) && (defined(__x86_64__) || defined(_M_X64))
#include <xmmintrin.h>
#endif

namespace tervanix {
namespace {

// The control register that holds the flush modes a host built with -ffast-math sets
// (flush-to-zero and denormals-are-zero): MXCSR on x86-64, FPCR on aarch64.
#if defined(__SSE2__) && (defined(__x86_64__) || defined(_M_X64))
#define TERVANIX_TEST_HAS_FLUSH_MODES 1
using ControlRegister = unsigned;
constexpr ControlRegister kFlushModes = 0x8040u;
ControlRegister ReadControl() { return _mm_getcsr(); }
void WriteControl(ControlRegister value) { _mm_setcsr(value); }
#elif defined(__GNUC__) && defined(__aarch64__)
#define TERVANIX_TEST_HAS_FLUSH_MODES 1
using ControlRegister = std::uint64_t;
constexpr ControlRegister kFlushModes = 1u << 24;
ControlRegister ReadControl() {
    ControlRegister value;
    asm volatile("mrs %0, fpcr" : "=r"(value) : : "memory");
    return value;
}
void WriteControl(ControlRegister value) { asm volatile("msr fpcr, %0" : : "r"(value) : "memory"); }
#endif

using namespace testing;
using rt::Fp;

TEST(FaultTest, EachOperationFaultsExactlyAsIeeeRaises) {
    const double sNaN = std::numeric_limits<double>::signaling_NaN();
    const struct { double a; char op; double b; std::uint8_t faults; } cases[] = {
        {1.0, '/', -0.0, rt::kDivisionByZero},  {0.0, '/', 0.0, rt::kInvalidOperation},
        {kInf, '-', kInf, rt::kInvalidOperation}, {0.0, '*', kInf, rt::kInvalidOperation},
        {kMax, '+', kMax, rt::kOverflow},       {1e300, '/', 1e-300, rt::kOverflow},
        {sNaN, '+', 1.0, rt::kInvalidOperation},
        // Nothing is raised: underflow, inexact, infinities and quiet NaNs passed on.
        {1e-300, '*', 1e-300, rt::kNoFault},    {1.0, '/', 3.0, rt::kNoFault},
        {kInf, '/', 0.0, rt::kNoFault},         {kNaN, '*', 0.0, rt::kNoFault},
    };
    for (const auto& c : cases) {
        const Fp r = c.op == '+' ? Fp(c.a) + c.b : c.op == '-' ? Fp(c.a) - c.b : c.op == '*' ? Fp(c.a) * c.b : Fp(c.a) / c.b;
        EXPECT_EQ(c.faults, r.faults()) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

TEST(FaultTest, AFaultAnywhereFaultsTheFormulaAndAnOutputReceivesTheFaultingValueFirst) {
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::Stored(Fp(1.0) / (Fp(1.0) / 0.0)));  // the value is 0
    double out = 7.0;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::Assign(out, Fp(kMax) * 10.0));
    EXPECT_SAME_DOUBLE(kInf, out);
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::AbsDifferenceForComparison(kMax, -kMax));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::AbsDifferenceForComparison(kInf, kInf));
    EXPECT_SAME_DOUBLE(kInf, rt::AbsDifferenceForComparison(kInf, 1.0));
}

TEST(FormulaTest, TestedOnceItGivesTheValuesAndFaultsOfTheOperationByOperationTest) {
    const double values[] = {0.0, -0.0, 1.5, -3.25, 1e300, -1e300, kMax, 1e-310, kInf, -kInf, kNaN,
                             std::numeric_limits<double>::signaling_NaN()};
    int faults = 0;
    for (double a : values) {
        for (double b : values) {
            for (double f : {0.0, 0.5, -2.0, kInf}) {  // (b - a) * f + a, as a linear interpolation
                const Outcome byFp = OutcomeOf([&] { return rt::Stored((Fp(b) - a) * f + a); });
                const Outcome byFormula = OutcomeOf([&] { return rt::StoredFormula([=](auto F) { return (F(b) - a) * f + a; }); });
                EXPECT_EQ(byFp.error, byFormula.error) << a << ' ' << b << ' ' << f;
                EXPECT_SAME_DOUBLE(byFp.value, byFormula.value) << a << ' ' << b << ' ' << f;
                faults += !byFp.error.empty();
            }
        }
    }
    EXPECT_LT(100, faults);  // the comparison covered faults, not only values
}

TEST(FormulaTest, OutputsAreWrittenInOrderUpToTheFaultingOne) {
    const auto assign = [](double x, double y, double& p, double& q, double& r) {
        rt::AssignFormulas([=](auto F) { return std::array{F(x) + y, F(x) * y, F(x) - y}; }, p, q, r);
    };
    double p = 7, q = 7, r = 7;
    assign(1.5, 2, p, q, r);
    EXPECT_SAME_DOUBLE(-0.5, r);
    p = q = r = 7;
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, assign(1e200, 1e200, p, q, r));
    EXPECT_SAME_DOUBLE(2e200, p);
    EXPECT_SAME_DOUBLE(kInf, q);  // the faulting value
    EXPECT_SAME_DOUBLE(7.0, r);   // never reached
    assign(kMax, -0.5, p, q, r);  // finite values whose sum would overflow take the checked path
    EXPECT_SAME_DOUBLE(kMax, p);
}

TEST(WholeNumbers, IntegerAndLongArithmeticNeverWrapsAndACounterStopsAt32767) {
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Sub(Integer{-32768}, Integer{1}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Mul(Integer{256}, Integer{128}));
    EXPECT_EQ(-32768, rt::Mul(Integer{-256}, Integer{128}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Add(Long{2147483647}, Long{1}));
    EXPECT_EQ(-2147483647 - 1, rt::Sub(Long{-2147483647}, Long{1}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(Long{32768}));
    Integer i = 32760;
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, for (;;) i = rt::Add(i, Integer{1}));
    EXPECT_EQ(32767, i);
}

TEST(WholeNumbers, ConversionsRoundHalfToEvenAndOverflowBeyondTheType) {
    const struct { double in, out; } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {2.5000000000000004, 3}, {4503599627370495.5, 4503599627370496.0}};
    for (const auto& c : cases) EXPECT_SAME_DOUBLE(c.out, rt::RoundHalfEven(c.in) + 0.0) << c.in;
    EXPECT_EQ(-32768, rt::ToInteger(-32768.5));  // rounds to the even -32768
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(32767.5));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(kNaN));
    EXPECT_EQ(2147483646, rt::ToLong(2147483646.5));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToLong(2147483647.5));
}

TEST(FpEnvironment, TheLibraryLeavesTheHostsModeAndFlagsAndAScopeGivesTheDefault) {
    const cGenUtil util;
    FpEnvironmentScope guard;  // the test's own changes end with it
    std::fesetround(FE_UPWARD);
    std::feraiseexcept(FE_UNDERFLOW);  // which may raise FE_INEXACT too, as C allows
    const int hostFlags = std::fetestexcept(FE_ALL_EXCEPT);
    {
        FpEnvironmentScope scope;
        // (1 + (1 + 2^-52)) / 2: the sum is a tie, which goes to the even 2 to nearest.
        EXPECT_SAME_DOUBLE(1.0, util.Avg(1.0, 1.0000000000000002));
        EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.IsEqualRel(1.0, 0.0, 1.0));
    }
    const int round = std::fegetround(), flags = std::fetestexcept(FE_ALL_EXCEPT);
    EXPECT_SAME_DOUBLE(1.0000000000000002, util.Avg(1.0, 1.0000000000000002));  // rounded upward
    EXPECT_EQ(FE_UPWARD, round);
    EXPECT_EQ(FE_UNDERFLOW, hostFlags & ~FE_INEXACT);
    EXPECT_EQ(hostFlags, flags);  // the division by zero left no flag, the host's flags stayed
}

// A host built with -ffast-math or -Ofast runs with the flush modes; inside an
// FpEnvironmentScope its calls give the normal digits for subnormal values, and its
// own modes and flags are back after the scope.
TEST(FpEnvironment, AScopeGivesAFastMathHostTheNormalDigits) {
#ifndef TERVANIX_TEST_HAS_FLUSH_MODES
    GTEST_SKIP() << "sets the flush modes through the x86-64 MXCSR or the aarch64 FPCR";
#else
    const cGenUtil util;
    const cGeom geom;
    const CInterpolation interpolation;
    const auto results = [&] {  // each result or an operand is subnormal
        return std::vector<double>{util.Avg(3e-310, 5e-310), geom.Distance2D(0, 0, 3e-160, 4e-160),
                                   interpolation.LinearInterpolation1Way(0, 1e-300, 1e-10)};
    };
    const std::vector<double> normal = results();
    const ControlRegister host = ReadControl();
    WriteControl(host | kFlushModes);
    const std::vector<double> flushed = results();
    const ControlRegister fastMathHost = ReadControl();
    std::vector<double> inScope;
    {
        FpEnvironmentScope scope;
        inScope = results();
    }
    const ControlRegister afterScope = ReadControl();
    WriteControl(host);
    for (std::size_t k = 0; k < normal.size(); ++k) {
        EXPECT_NE(rt::BitsOf(normal[k]), rt::BitsOf(flushed[k])) << "result " << k << " does not show the modes";
        EXPECT_SAME_DOUBLE(normal[k], inScope[k]) << "result " << k;
    }
    EXPECT_EQ(fastMathHost, afterScope);
#endif
}

}  // namespace
}  // namespace tervanix
