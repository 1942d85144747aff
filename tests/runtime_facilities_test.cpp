// The runtime facilities: mathematics, strings, the message box, and the
// floating-point environment that every operation hands back as it found it.
#include <cfenv>

#include <Tervanix/cGenUtil.h>
#include <Tervanix/runtime/FpEnvironment.h>
#include <Tervanix/runtime/MathFunctions.h>
#include <Tervanix/runtime/MessageBox.h>
#include <Tervanix/runtime/Strings.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

TEST(MathFacilities, DomainErrorsAndFaults) {
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Log(0.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Log(-1.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Sqr(-1e-300));
    EXPECT_SAME_DOUBLE(-0.0, rt::Stored(rt::Sqr(-0.0)));
    EXPECT_EQ(3.0, rt::Stored(rt::Sqr(9.0)));
    EXPECT_EQ(rt::kInvalidOperation, rt::Sin(kInf).faults());
    EXPECT_EQ(rt::kNoFault, rt::Atn(kInf).faults());
    EXPECT_EQ(1e300, rt::Power(10.0, 300.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::Power(10.0, 309.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Power(-8.0, 1.0 / 3.0));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::Power(0.0, -1.0));
    EXPECT_EQ(0.0, rt::Power(10.0, -400.0));
    EXPECT_SAME_DOUBLE(rt::kLogOf10, rt::Stored(rt::Log(10.0)));
}

TEST(StringFacilities, CodeUnitsPositionsAndCharacters) {
    const String s = u"a\u00e9\U0001F600";
    EXPECT_EQ(4, rt::Len(s));  // the emoji is two code units
    EXPECT_EQ(u"\u00e9", rt::Mid(s, 2));
    EXPECT_EQ(u"", rt::Mid(s, 5));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Mid(s, 0));
    EXPECT_EQ(u"\r\n", rt::Concat(rt::Chr(13), rt::Chr(10)));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Chr(65536));
    EXPECT_FALSE(rt::StrEqual(u"A", u"a"));
    EXPECT_EQ(s, rt::FromUtf8(rt::ToUtf8(s)));
}

TEST(MessageBoxFacility, TextGoesToTheSinkTheHostSet) {
    std::vector<String> shown;
    rt::MessageSink previous = rt::SetMessageSink([&](const String& text) { shown.push_back(text); });
    rt::MsgBox(u"first");
    rt::MsgBox(u"second\r\nline");
    rt::SetMessageSink(previous);
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(u"second\r\nline", shown[1]);
}

// Each test changes the environment and gets the test program's back at the end.
class FpEnvironment : public ::testing::Test {
protected:
    void SetUp() override { std::fegetenv(&saved_); }
    void TearDown() override { std::fesetenv(&saved_); }
    const cGenUtil util{};

private:
    std::fenv_t saved_;
};

TEST_F(FpEnvironment, TheLibraryNeitherChangesTheModeNorClearsAFlag) {
    std::fesetround(FE_DOWNWARD);
    std::feraiseexcept(FE_OVERFLOW);
    util.Log10Sum(1.0, 2.0);
    EXPECT_EQ(FE_DOWNWARD, std::fegetround());
    EXPECT_NE(0, std::fetestexcept(FE_OVERFLOW));
}

TEST_F(FpEnvironment, InsideAScopeTheDefaultHoldsAndTheHostsStateComesBack) {
    std::fesetround(FE_UPWARD);
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_UNDERFLOW);
    {
        FpEnvironmentScope scope;
        // (1 + (1 + 2^-52)) / 2: the sum is a tie, which goes to the even 2 to nearest.
        EXPECT_SAME_DOUBLE(1.0, util.Avg(1.0, 1.0000000000000002));
        EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.IsEqualRel(1.0, 0.0, 1.0));
    }
    EXPECT_EQ(FE_UPWARD, std::fegetround());
    EXPECT_EQ(FE_UNDERFLOW, std::fetestexcept(FE_ALL_EXCEPT));  // the division by zero left no flag
    EXPECT_SAME_DOUBLE(1.0000000000000002, util.Avg(1.0, 1.0000000000000002));  // upward outside
}

}  // namespace
}  // namespace tervanix
