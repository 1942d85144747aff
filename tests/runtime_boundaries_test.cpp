// The runtime's whole-number rules at the edges of their types, and the texts of
// the errors of arrays and conversions, which every class shares (so a fault here
// would be the same in the normal and the reference build).
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/WholeNumbers.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

constexpr Long kLongMin = std::numeric_limits<Long>::min();
constexpr Long kLongMax = std::numeric_limits<Long>::max();

// The whole number a call gives, or the whole text of the error that ends it.
template <typename F>
void ExpectNumberOrError(const std::string& name, F f, long long value, const char* text) {
    try {
        const long long got = f();
        EXPECT_STREQ("", text) << name << " gave " << got;
        EXPECT_EQ(value, got) << name;
    } catch (const LibraryError& e) {
        EXPECT_STREQ(text, e.what()) << name;
    }
}

// Round half to even, and outside the type's range (a NaN is outside every range)
// an OverflowError: each row gives a Double, what ToInteger and ToLong make of it
// ("" for a value, the error's text otherwise).
TEST(RuntimeBoundaries, ConversionsOfDoublesAtTheEdgesOfIntegerAndLong) {
    const struct {
        double in;
        long long integer;  // when integerError is empty
        const char* integerError;
        long long along;
        const char* longError;
    } rows[] = {
        {32767.0, 32767, "", 32767, ""},
        {32767.49999999999, 32767, "", 32767, ""},
        {32766.5, 32766, "", 32766, ""},
        {32767.5, 0, "OverflowError: Double 32767.5 converted to Integer lies outside the type's range", 32768, ""},
        {-32768.5, -32768, "", -32768, ""},
        {-32768.50000000001, 0,
         "OverflowError: Double -32768.50000000001 converted to Integer lies outside the type's range", -32769, ""},
        {-32769.0, 0, "OverflowError: Double -32769 converted to Integer lies outside the type's range", -32769, ""},
        {0.5, 0, "", 0, ""},
        {-1.5, -2, "", -2, ""},
        {2147483646.5, 0, "OverflowError: Double 2147483646.5 converted to Integer lies outside the type's range",
         2147483646, ""},
        {2147483647.4999998, 0,
         "OverflowError: Double 2147483647.4999998 converted to Integer lies outside the type's range", 2147483647, ""},
        {2147483647.5, 0, "OverflowError: Double 2147483647.5 converted to Integer lies outside the type's range", 0,
         "OverflowError: Double 2147483647.5 converted to Long lies outside the type's range"},
        {-2147483648.5, 0, "OverflowError: Double -2147483648.5 converted to Integer lies outside the type's range",
         -2147483648LL, ""},
        {-2147483649.0, 0, "OverflowError: Double -2147483649 converted to Integer lies outside the type's range", 0,
         "OverflowError: Double -2147483649 converted to Long lies outside the type's range"},
        {kInf, 0, "OverflowError: Double inf converted to Integer lies outside the type's range", 0,
         "OverflowError: Double inf converted to Long lies outside the type's range"},
        {-kInf, 0, "OverflowError: Double -inf converted to Integer lies outside the type's range", 0,
         "OverflowError: Double -inf converted to Long lies outside the type's range"},
        {kNaN, 0, "OverflowError: Double nan converted to Integer lies outside the type's range", 0,
         "OverflowError: Double nan converted to Long lies outside the type's range"},
    };
    for (const auto& r : rows) {
        const std::string name = std::to_string(r.in);
        ExpectNumberOrError(name + " to Integer", [&] { return rt::ToInteger(r.in); }, r.integer, r.integerError);
        ExpectNumberOrError(name + " to Long", [&] { return rt::ToLong(r.in); }, r.along, r.longError);
    }
    // -0.5 rounds to a zero (whose sign the whole number cannot hold).
    EXPECT_EQ(0, rt::ToInteger(-0.5));
    EXPECT_EQ(0, rt::ToLong(-0.0));
    EXPECT_EQ(-32768, rt::ToInteger(Long{-32768}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(Long{-32769}));
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::ToInteger(kLongMin));
}

// Whole-number arithmetic never wraps: each row is an operation just inside the
// type's range and one just outside it, in each sign.
TEST(RuntimeBoundaries, IntegerAndLongArithmeticAtTheEdges) {
    using IntegerOp = Integer (*)(Integer, Integer);
    using LongOp = Long (*)(Long, Long);
    const IntegerOp iadd = rt::Add, isub = rt::Sub, imul = rt::Mul;
    const LongOp ladd = rt::Add, lsub = rt::Sub, lmul = rt::Mul;
    const struct {
        const char* name;
        std::function<long long()> run;
        long long value;     // when text is empty
        const char* text;
    } rows[] = {
        {"32766 + 1", [&] { return iadd(32766, 1); }, 32767, ""},
        {"32767 + 1", [&] { return iadd(32767, 1); }, 0, "OverflowError: Integer arithmetic 32767 + 1 leaves the type's range"},
        {"-32768 + -1", [&] { return iadd(-32768, -1); }, 0,
         "OverflowError: Integer arithmetic -32768 + -1 leaves the type's range"},
        {"-32767 - 1", [&] { return isub(-32767, 1); }, -32768, ""},
        {"-32768 - 1", [&] { return isub(-32768, 1); }, 0, "OverflowError: Integer arithmetic -32768 - 1 leaves the type's range"},
        {"0 - -32768", [&] { return isub(0, -32768); }, 0, "OverflowError: Integer arithmetic 0 - -32768 leaves the type's range"},
        {"181 * 181", [&] { return imul(181, 181); }, 32761, ""},
        {"182 * 181", [&] { return imul(182, 181); }, 0, "OverflowError: Integer arithmetic 182 * 181 leaves the type's range"},
        {"-32768 * 1", [&] { return imul(-32768, 1); }, -32768, ""},
        {"-32768 * -1", [&] { return imul(-32768, -1); }, 0,
         "OverflowError: Integer arithmetic -32768 * -1 leaves the type's range"},
        {"-1 * -32768", [&] { return imul(-1, -32768); }, 0,
         "OverflowError: Integer arithmetic -1 * -32768 leaves the type's range"},
        {"Long max - 0", [&] { return lsub(kLongMax, 0); }, kLongMax, ""},
        {"Long min + -1", [&] { return ladd(kLongMin, -1); }, 0,
         "OverflowError: Long arithmetic -2147483648 + -1 leaves the type's range"},
        {"Long 0 - min", [&] { return lsub(0, kLongMin); }, 0,
         "OverflowError: Long arithmetic 0 - -2147483648 leaves the type's range"},
        {"46340 * 46340", [&] { return lmul(46340, 46340); }, 2147395600LL, ""},
        {"46341 * 46341", [&] { return lmul(46341, 46341); }, 0,
         "OverflowError: Long arithmetic 46341 * 46341 leaves the type's range"},
        {"-46341 * 46341", [&] { return lmul(-46341, 46341); }, 0,
         "OverflowError: Long arithmetic -46341 * 46341 leaves the type's range"},
        {"Long min * -1", [&] { return lmul(kLongMin, -1); }, 0,
         "OverflowError: Long arithmetic -2147483648 * -1 leaves the type's range"},
        {"65536 * 32768", [&] { return lmul(65536, 32768); }, 0,
         "OverflowError: Long arithmetic 65536 * 32768 leaves the type's range"},
        {"-65536 * 32768", [&] { return lmul(-65536, 32768); }, kLongMin, ""},
    };
    for (const auto& r : rows) ExpectNumberOrError(r.name, r.run, r.value, r.text);
}

// Each array error names the subscript, the bounds and the dimension, or the
// dimension asked of an array that does not have it.
TEST(RuntimeBoundaries, ArrayErrorsNameTheSubscriptTheBoundsAndTheDimension) {
    const TextRow<void> rows[] = {
        {"1-D above", [] { DoubleArray(-3, -1)(0); }, "SubscriptOutOfRange: subscript 0 lies outside the bounds -3 to -1 of dimension 1"},
        {"2-D, the second subscript", [] { DoubleArray2D(1, 2, 0, 1)(1, 2); },
         "SubscriptOutOfRange: subscript 2 lies outside the bounds 0 to 1 of dimension 2"},
        {"2-D, both outside: the first is named", [] { DoubleArray2D(1, 2, 0, 1)(3, 2); },
         "SubscriptOutOfRange: subscript 3 lies outside the bounds 1 to 2 of dimension 1"},
        {"3-D, the third subscript", [] { DoubleArray3D(1, 2, 1, 2, -1, 0)(1, 1, 1); },
         "SubscriptOutOfRange: subscript 1 lies outside the bounds -1 to 0 of dimension 3"},
        {"an empty dimension", [] { DoubleArray2D(1, 2, 5, 4)(1, 5); },
         "SubscriptOutOfRange: subscript 5 lies outside the bounds 5 to 4 of dimension 2"},
        {"the Long extremes", [] { DoubleArray(kLongMax, {1.0})(kLongMin); },
         "SubscriptOutOfRange: subscript -2147483648 lies outside the bounds 2147483647 to 2147483647 of dimension 1"},
        {"UBound of a third dimension", [] { DoubleArray2D(1, 2, 1, 2).UBound(3); },
         "SubscriptOutOfRange: dimension 3 asked of an array with 2 dimensions"},
        {"LBound of dimension 0", [] { DoubleArray(1, 2).LBound(0); },
         "SubscriptOutOfRange: dimension 0 asked of an array with 1 dimension"},
        {"ReDim to an empty dimension", [] { DoubleArray().ReDim(1, 0); },
         "SubscriptOutOfRange: upper bound 0 lies below lower bound 1"},
        {"a 2-D array never given bounds", [] { DoubleArray2D()(1, 1); },
         "SubscriptOutOfRange: the array has never been given bounds; make it with bounds first"},
        {"UBound of an array never given bounds", [] { DoubleArray3D().UBound(1); },
         "SubscriptOutOfRange: the array has never been given bounds; make it with bounds first"},
    };
    ExpectErrorTexts(rows);
}

// Empty arrays have bounds but no elements; Find answers nullptr outside the bounds,
// in any dimension, without raising; a refused ReDim keeps the array as it was.
TEST(RuntimeBoundaries, EmptyArraysFindAndARefusedReDim) {
    const DoubleArray empty(1, 0);
    EXPECT_EQ(1, empty.LBound());
    EXPECT_EQ(0, empty.UBound());
    EXPECT_EQ(0u, empty.size());
    EXPECT_EQ(empty.begin(), empty.end());
    const DoubleArray2D emptyRows(3, 2, 1, 4);
    EXPECT_EQ(0u, emptyRows.size());
    EXPECT_EQ(4, emptyRows.UBound(2));

    DoubleArray3D t(0, 1, -1, 0, 5, 6);
    t(1, 0, 6) = 3.5;
    ASSERT_NE(nullptr, t.Find(1, 0, 6));
    EXPECT_EQ(3.5, *t.Find(1, 0, 6));
    for (const auto& s : {std::array<Long, 3>{2, 0, 6}, {1, 1, 6}, {1, 0, 7}, {-1, -1, 5}, {0, -2, 5}, {0, 0, 4}}) {
        EXPECT_EQ(nullptr, t.Find(s[0], s[1], s[2])) << s[0] << ", " << s[1] << ", " << s[2];
    }
    EXPECT_EQ(t.data(), t.Find(0, -1, 5));
    EXPECT_EQ(t.data() + 7, t.Find(1, 0, 6));

    DoubleArray a(1, {1.0, 2.0});
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.ReDim(3, 1));
    EXPECT_EQ(1, a.LBound());
    EXPECT_EQ(2, a.UBound());
    EXPECT_EQ((std::vector<double>{1, 2}), Contents(a));
    // ReDim to the same bounds clears.
    a.ReDim(1, 2);
    EXPECT_EQ((std::vector<double>{0, 0}), Contents(a));
}

}  // namespace
}  // namespace tervanix
