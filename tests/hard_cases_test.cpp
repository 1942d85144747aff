// The correctly rounded functions on their hardest arguments, the lists of
// tools/rounding/hard-cases/, against the results MPFR gives for them. The comparison
// with MPFR itself (tools/rounding) runs on Linux x86-64 only; this test runs in every
// build, the Windows and aarch64 builds and every optimisation level included, where
// the portable functions alone serve. Where a build also has the fused one, both must
// give MPFR's result, to the bit.
#include <cstddef>
#include <ios>
#include <string>

#include <Tervanix/elementary/Dispatch.h>
#include <Tervanix/elementary/FloatBits.h>
#include <Tervanix/elementary/LogExp.h>
#include <Tervanix/elementary/Trig.h>

#include <gtest/gtest.h>

#include "../tools/rounding/HardCase.h"

namespace {

namespace cr = tervanix::rt::cr;

using rounding::HardCase;

// Every case of the list through f, the first few misrounded ones named.
template <std::size_t N>
void ExpectRounded(const char* name, double (*f)(double), const HardCase (&cases)[N]) {
    std::size_t wrong = 0;
    for (const HardCase& c : cases) {
        const double result = f(c.x);
        if (tervanix::rt::BitsOf(result) == tervanix::rt::BitsOf(c.rounded)) continue;
        if (++wrong <= 5) {
            ADD_FAILURE() << std::hexfloat << name << "(" << c.x << ") = " << result << ", MPFR: " << c.rounded;
        }
    }
    EXPECT_EQ(0u, wrong) << name << ": " << wrong << " of " << N << " hard cases misrounded";
}

// The function the library calls, and its portable build where that is another one.
template <std::size_t N>
void ExpectBothRounded(const char* name, double (*dispatched)(double), double (*portable)(double),
                       const HardCase (&cases)[N]) {
    ExpectRounded(name, dispatched, cases);
#if TERVANIX_FUSED_DISPATCH
    ExpectRounded((std::string("portable ") + name).c_str(), portable, cases);
#else
    (void)portable;  // the same function here
#endif
}

TEST(HardCases, TheLogarithmAndThePowersGiveMpfrsResults) {
    ExpectBothRounded("log", cr::Log, cr::portable::Log, rounding::kLogHardCases);
    ExpectBothRounded("exp2", cr::Exp2, cr::portable::Exp2, rounding::kExp2HardCases);
    ExpectBothRounded("exp10", cr::Exp10, cr::portable::Exp10, rounding::kExp10HardCases);
}

TEST(HardCases, TheSineCosineAndArctangentGiveMpfrsResults) {
    ExpectBothRounded("sin", cr::Sin, cr::portable::Sin, rounding::kSinHardCases);
    ExpectBothRounded("cos", cr::Cos, cr::portable::Cos, rounding::kCosHardCases);
    ExpectBothRounded("atan", cr::Atan, cr::portable::Atan, rounding::kAtanHardCases);
}

}  // namespace
