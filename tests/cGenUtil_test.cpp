#include <Tervanix/cGenUtil.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

const cGenUtil util;

TEST(cGenUtilTest, MinAndMaxReturnTheSecondWhenEqualAndAsStatedWhenUnordered) {
    const struct { double x, y, min, max; } cases[] = {
        {1, 2, 1, 2}, {2, 1, 1, 2}, {0.0, -0.0, -0.0, -0.0}, {-0.0, 0.0, 0.0, 0.0}, {kNaN, 1, kNaN, 1}, {1, kNaN, 1, kNaN},
    };
    for (const auto& c : cases) {
        EXPECT_SAME_DOUBLE(c.min, util.Min(c.x, c.y)) << c.x << ", " << c.y;
        EXPECT_SAME_DOUBLE(c.max, util.Max(c.x, c.y)) << c.x << ", " << c.y;
    }
}

TEST(cGenUtilTest, AvgAndLogarithmsGiveTheDigitsOfTheirFormulas) {
    EXPECT_SAME_DOUBLE(-0.5, util.Avg(-3, 2));
    EXPECT_SAME_DOUBLE(kInf, util.Avg(kInf, 1));  // an infinite operand raises nothing
    EXPECT_SAME_DOUBLE(2.9999999999999996, util.Log10(1000));  // quotient of two rounded logarithms
    EXPECT_SAME_DOUBLE(2.301029995663981, util.Log10Sum(2, 2));
    EXPECT_SAME_DOUBLE(86.76434862436486, util.LogDBSum(85, 82));
}

TEST(cGenUtilTest, ToleranceTestsAreInclusiveRelativeToTheSecondAndTrueWhenUnordered) {
    const struct { double x, y, tol; bool abs, rel; } cases[] = {
        {3, 1, 2, true, true},           // |2| <= 2; |2 / 1| <= 2
        {1.1, 1.0, 0.1, false, false},   // the difference is 0.10000000000000009
        {3, 2, 0.5, false, true},        // |1 / 2|
        {2, 3, 0.5, false, true},        // |-1 / 3|
        {5, 5, -1e-300, false, false},   {1, 2, kNaN, true, true},  {kInf, 1, 1, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Boolean(c.abs), util.IsEqualAbs(c.x, c.y, c.tol)) << c.x << ", " << c.y << ", " << c.tol;
        EXPECT_EQ(Boolean(c.rel), util.IsEqualRel(c.x, c.y, c.tol)) << c.x << ", " << c.y << ", " << c.tol;
    }
}

TEST(cGenUtilTest, EveryFailureEndsWithItsKind) {
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.Avg(kInf, -kInf));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.Avg(kMax, kMax));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, util.Log10(0));
    // Each power in range, their sum beyond it; both powers underflowing to 0; one beyond the range.
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.Log10Sum(308.2, 308.2));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.LogDBSum(3082, 3082));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, util.Log10Sum(-400, -400));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, util.LogDBSum(-4000, -4000));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, util.Log10Sum(309, 0));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, util.LogDBSum(0, 3090));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, util.IsEqualAbs(kMax, -kMax, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.IsEqualAbs(kInf, kInf, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.IsEqualRel(0, 0, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, util.IsEqualRel(1e300, 1e-300, 1));
}

TEST(cGenUtilTest, BinaryTextHasFullWidthTwosComplementAndRoundTripsEveryIntegerAndManyLongs) {
    const struct { Integer n; const char16_t* text; } cases[] = {
        {5, u"0000000000000101"}, {-1, u"1111111111111111"}, {-32768, u"1000000000000000"}, {32767, u"0111111111111111"}};
    for (const auto& c : cases) {
        String text = u"previous contents";
        EXPECT_EQ(True, util.IntToBin(c.n, text));
        EXPECT_EQ(String(c.text), text);
    }
    String text;
    util.LongToBin(-2, text);
    EXPECT_EQ(String(31, u'1') + u"0", text);
    for (std::int32_t n = -32768; n <= 32767; ++n) {
        Integer back = 0;
        util.IntToBin(static_cast<Integer>(n), text);
        ASSERT_EQ(True, util.BinToInt(text, back));
        ASSERT_EQ(n, back);
    }
    std::uint32_t state = 12345;
    for (int k = 0; k < 200000; ++k) {
        state = state * 1664525u + 1013904223u;
        const Long n = k == 0 ? -2147483647 - 1 : k == 1 ? 2147483647 : static_cast<Long>(state);
        Long back = 0;
        util.LongToBin(n, text);
        ASSERT_EQ(32u, text.size());
        ASSERT_EQ(True, util.BinToLong(text, back));
        ASSERT_EQ(n, back);
    }
}

TEST(cGenUtilTest, InvalidBinaryTextGivesFalseAndLeavesTheOutputAlone) {
    const String bad[] = {u"", String(15, u'0'), String(17, u'0'), u"000000000000000 ", u"0000000000000002",
                          u"000000000000000\uFF11", String(32, u'0')};
    for (const String& text : bad) {
        Integer n = 123;
        EXPECT_EQ(False, util.BinToInt(text, n));
        EXPECT_EQ(123, n);
    }
    Long l = 456;
    EXPECT_EQ(False, util.BinToLong(String(16, u'1'), l));
    EXPECT_EQ(False, util.BinToLong(String(31, u'1') + u"O", l));
    EXPECT_EQ(456, l);
}

}  // namespace
}  // namespace tervanix
