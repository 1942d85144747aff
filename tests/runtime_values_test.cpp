// The value types (Boolean, arrays with caller-chosen bounds, Variant, Collection),
// the comparison of elements, and the mathematics and string facilities.
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/Collection.h>
#include <Tervanix/runtime/ElementComparison.h>
#include <Tervanix/runtime/MathFunctions.h>
#include <Tervanix/runtime/StringFunctions.h>
#include <Tervanix/runtime/Strings.h>
#include <Tervanix/runtime/Variant.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

TEST(Arrays, BoundsAreTheCallersEveryAccessIsCheckedAndAnArrayNeverGivenBoundsAnswersNothing) {
    DoubleArray a(-3, -1), never;
    a(-1) = 2.5;
    EXPECT_EQ(2.5, a.Elements(-2, -1)[1]);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a(0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a(-4));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.LBound(2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray(5, 4)(5));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray(5, 3));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, never.LBound());
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, never(1));
    EXPECT_EQ(nullptr, DoubleArray2D().Find(1, 1));
    DoubleArray2D m(1, 2, 1, 2);
    m(2, 2) = 9.0;
    m.ReDim(1, 3, 1, 3);  // clears
    EXPECT_EQ(0.0, m(2, 2));
    EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.ReDim(1, 2147483647, 1, 2147483647));
}

// Values from a lower bound of any integer type; bounds beyond the Long range raise.
TEST(Arrays, MadeFromValuesFromALowerBound) {
    constexpr Long kMin = std::numeric_limits<Long>::min();
    constexpr Long kMaxLong = std::numeric_limits<Long>::max();
    const struct {
        Long lower;
        std::vector<double> values;
        Long upper;
    } cases[] = {
        {1, {1.5, 2.5}, 2},
        {-5, {}, -6},
        {kMaxLong, {7.0}, kMaxLong},
        {kMin, {1.0, 2.0}, kMin + 1},
    };
    for (const auto& c : cases) {
        const DoubleArray a(c.lower, c.values);
        EXPECT_EQ(c.lower, a.LBound());
        EXPECT_EQ(c.upper, a.UBound());
        EXPECT_EQ(c.values, Contents(a));
    }
    EXPECT_EQ(2.5, DoubleArray(std::int64_t{-1}, {1.5, 2.5})(0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray(kMaxLong, {1.0, 2.0}));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray(std::int64_t{kMin} - 1, {1.0}));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray(0, std::uint64_t{1} << 31));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray2D(1, 2, std::int64_t{1} << 40, 1));
}

// The store is in row order, the last subscript fastest (one rule for every rank), and
// can be filled in place.
TEST(Arrays, TheStoreIsInRowOrder) {
    DoubleArray3D t(0, 1, 1, 2, -1, 0);
    std::vector<double> rowOrder;
    for (Long i = 0; i <= 1; ++i)
        for (Long j = 1; j <= 2; ++j)
            for (Long k = -1; k <= 0; ++k) rowOrder.push_back(t(i, j, k) = 100.0 * i + 10.0 * j + k);
    EXPECT_EQ(rowOrder, Contents(t));
    t.data()[5] = -1.0;
    EXPECT_EQ(-1.0, t(1, 1, 0));
}

TEST(Arrays, ABorrowedArrayIsTheCallersMemoryUntilReDimAndACopyOwns) {
    double z[2][3] = {{1, 2, 3}, {4, 5, 6}};
    DoubleArray2D grid = DoubleArray2D::Borrow(&z[0][0], 1, 2, 0, 2);
    EXPECT_EQ(6.0, grid(2, 2));
    grid(2, 0) = -4.0;
    EXPECT_EQ(-4.0, z[1][0]);
    EXPECT_EQ(&z[0][0], grid.data());
    EXPECT_EQ(6u, grid.size());
    DoubleArray2D copy = grid, moved = std::move(grid);
    copy(1, 0) = 9.0;
    moved(1, 1) = 8.0;
    EXPECT_EQ(1.0, z[0][0]);
    EXPECT_EQ(8.0, z[0][1]);
    moved.ReDim(1, 1, 1, 1);
    moved(1, 1) = 7.0;
    EXPECT_EQ(8.0, z[0][1]);
    EXPECT_EQ(0u, DoubleArray::Borrow(nullptr, 1, 0).size());
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray::Borrow(&z[0][0], 1, -1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray::Borrow(&z[0][0], 0, std::int64_t{1} << 40));
}

TEST(VariantValues, GreaterThanComparesNumbersByValueAndStringsByCodeUnits) {
    const struct { Variant a, b; bool greater; } cases[] = {
        {Variant(2.5), Variant(Long{2}), true},       {Variant(Integer{3}), Variant(3.0), false},
        {Variant(0.0), Variant(Boolean(true)), true}, {Variant(u"B"), Variant(u"a"), false},
        {Variant(u"ab"), Variant(u"a"), true},        {Variant(u"\u00e9"), Variant(u"z"), true},
        {Variant(), Variant(-1.0), true},             {Variant(u""), Variant(), false},
        {Variant(kNaN), Variant(0.0), false},         {Variant(0.0), Variant(kNaN), false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.greater, rt::GreaterThan(c.a, c.b)) << c.a << " > " << c.b;
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::GreaterThan(Variant(u"1"), Variant(1.0)));
}

template <typename T>
void ExpectSameAsVariants(std::initializer_list<T> values) {
    for (const T& a : values)
        for (const T& b : values) EXPECT_EQ(rt::GreaterThan(Variant(a), Variant(b)), rt::GreaterThan(a, b)) << Variant(a) << " > " << Variant(b);
}

TEST(VariantValues, TypedGreaterThanOfElementsGivesWhatTheVariantComparisonGives) {
    ExpectSameAsVariants<Double>({0.0, -0.0, 1.5, -1.5, kInf, kNaN, 1e-310});
    ExpectSameAsVariants<Long>({0, 1, -1, 2147483647, -2147483647 - 1});
    ExpectSameAsVariants<String>({u"", u"a", u"b", u"B", u"ab", u"\u00e9", u"a\u0000"});
}

TEST(VariantValues, AReferenceReachesTheHostsOwnArrayAndAnOwnedOneIsACopy) {
    DoubleArray host(0, 1);
    Variant ref = Variant::RefTo(host);
    const rt::ArrayRef array = rt::ArrayOf(ref);
    rt::StoreElement(array, 1, Variant(Long{7}));
    EXPECT_EQ(7.0, host(1));
    EXPECT_EQ(Variant(7.0), rt::LoadElement(array, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, rt::LoadElement(array, 2));
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::StoreElement(array, 0, Variant(u"x")));
    Variant owned = Variant(host), copy = owned;
    rt::StoreElement(rt::ArrayOf(copy), 0, Variant(4.0));
    EXPECT_EQ(Variant(0.0), rt::LoadElement(rt::ArrayOf(owned), 0));
    Variant number(1.0);
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::ArrayOf(number));
    LongArray longs(1, 1);
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, rt::StoreElement(rt::ArrayOf(ref = Variant::RefTo(longs)), 1, Variant(3e9)));
}

TEST(Facilities, BooleanCollectionMathematicsAndStrings) {
    EXPECT_EQ(-1, True.Raw());
    EXPECT_TRUE(static_cast<bool>(Boolean::FromRaw(1)));  // any non-zero counts as True
    EXPECT_NE(Boolean::FromRaw(1), True);
    Collection c;  // items numbered from 1 in the order added
    c.Add(Variant(5.0));
    c.Add(Variant(u"x"));
    EXPECT_EQ(Variant(u"x"), c.Item(2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, c.Item(0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, c.Item(3));
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Sqr(-1e-300));
    EXPECT_SAME_DOUBLE(-0.0, rt::Stored(rt::Sqr(-0.0)));
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::Power(0.0, -1.0));
    const String s = u"a\u00e9\U0001F600";
    EXPECT_EQ(4, rt::Len(s));  // the emoji is two code units
    EXPECT_LIBRARY_ERROR(ErrorKind::InvalidArgument, rt::Mid(s, 0));
    EXPECT_EQ(s, rt::FromUtf8(rt::ToUtf8(s)));
}

}  // namespace
}  // namespace tervanix
