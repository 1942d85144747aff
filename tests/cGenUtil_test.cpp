#include <Tervanix/cGenUtil.h>
#include <Tervanix/runtime/FalseReason.h>

#include <string>

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

TEST(cGenUtilTest, Log10IsTheQuotientOfTwoRoundedLogarithms) {
    EXPECT_SAME_DOUBLE(2.9999999999999996, util.Log10(1000));
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

TEST(cGenUtilTest, BinaryTextHasFullWidthTwosComplementAndRoundTripsEveryIntegerAndManyLongs) {
    const struct { Integer n; const char16_t* text; } cases[] = {
        {5, u"0000000000000101"}, {-1, u"1111111111111111"}, {-32768, u"1000000000000000"}, {32767, u"0111111111111111"}};
    for (const auto& c : cases) {
        String text = u"previous contents";
        EXPECT_EQ(True, util.IntToBin(c.n, text));
        EXPECT_EQ(String(c.text), text);
    }
    String text;
    for (std::int32_t n = -32768; n <= 32767; ++n) {
        Integer back = 0;
        util.IntToBin(static_cast<Integer>(n), text);
        ASSERT_TRUE(util.BinToInt(text, back) && back == n) << n;
    }
    for (std::int64_t n = -2147483648LL; n <= 2147483647; n += 65521) {  // the Long range in steps of a prime
        Long back = 0;
        util.LongToBin(static_cast<Long>(n), text);
        ASSERT_TRUE(util.BinToLong(text, back) && back == n) << n;
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

// The text is read several characters at a time: a character one bit away from "0"
// or "1", at any position and in either byte of the code unit, must still be refused,
// and the refusal must name that character.
TEST(cGenUtilTest, ACharacterOneBitAwayFromADigitIsRefusedAtItsPosition) {
    for (const std::size_t width : {std::size_t{16}, std::size_t{32}}) {
        for (std::size_t k = 0; k < width; ++k) {
            for (const char16_t digit : {u'0', u'1'}) {
                for (int bit = 1; bit < 16; ++bit) {
                    String text(width, u'1');
                    text[k] = static_cast<char16_t>(digit ^ (1 << bit));
                    Integer n = 123;
                    Long l = 456;
                    const Boolean read = width == 16 ? util.BinToInt(text, n) : util.BinToLong(text, l);
                    ASSERT_EQ(False, read) << width << " characters, character " << k + 1 << " is " << int(text[k]);
                    ASSERT_EQ(123, n);
                    ASSERT_EQ(456, l);
                    const std::string why = LastFalseReason().text();
                    ASSERT_NE(std::string::npos, why.find("character " + std::to_string(k + 1) + " of sBin")) << why;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tervanix
