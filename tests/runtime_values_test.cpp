// The value types: Boolean, arrays with caller-chosen bounds, Variant and Collection.
#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/Collection.h>
#include <Tervanix/runtime/Variant.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

TEST(BooleanValue, TrueIsMinusOneAndAnyNonZeroCountsAsTrue) {
    EXPECT_EQ(-1, Boolean(true).Raw());
    EXPECT_EQ(0, Boolean(false).Raw());
    EXPECT_TRUE(static_cast<bool>(Boolean::FromRaw(1)));
    EXPECT_TRUE(static_cast<bool>(Boolean::FromRaw(-32768)));
    EXPECT_FALSE(static_cast<bool>(Boolean::FromRaw(0)));
    EXPECT_NE(Boolean::FromRaw(1), True);
}

TEST(Arrays, AnArrayNeverGivenBoundsAnswersNothing) {
    DoubleArray a;
    DoubleArray2D b;
    EXPECT_FALSE(a.HasBounds());
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.LBound());
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.UBound(1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a(1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, b.UBound(2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, b(1, 1));
}

TEST(Arrays, BoundsAreTheCallersAndEveryAccessIsChecked) {
    DoubleArray a(-3, -1);
    EXPECT_EQ(-3, a.LBound());
    EXPECT_EQ(-1, a.UBound());
    a(-3) = 1.5;
    a(-1) = 2.5;
    EXPECT_EQ(1.5, a(-3));
    EXPECT_EQ(0.0, a(-2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a(0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a(-4));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.LBound(2));

    DoubleArray one(1, 1);  // a valid one-element array
    EXPECT_EQ(0.0, one(1));

    DoubleArray empty(5, 4);
    EXPECT_EQ(5, empty.LBound());
    EXPECT_EQ(4, empty.UBound());
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, empty(5));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, DoubleArray(5, 3));

    const Long lowest = -2147483647 - 1;
    DoubleArray extreme(lowest, lowest + 1);
    extreme(lowest + 1) = 4.0;
    EXPECT_EQ(4.0, extreme(lowest + 1));
}

TEST(Arrays, ARunOfElementsIsCheckedAtBothEnds) {
    DoubleArray a(-2, 2);
    a(0) = 7.5;
    EXPECT_EQ(7.5, a.Elements(-1, 2)[1]);
    a.Elements(-2, -2)[0] = 1.0;
    EXPECT_EQ(1.0, a(-2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.Elements(-3, 0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, a.Elements(0, 3));
    const DoubleArray empty(5, 4), none;
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, empty.Elements(5, 4));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, none.Elements(1, 1));
}

TEST(Arrays, ElementsOfManyDimensionsAreAddressedBySubscriptInOrder) {
    DoubleArray3D z(1, 2, 0, 2, -1, 0);
    EXPECT_EQ(2, z.UBound(1));
    EXPECT_EQ(0, z.LBound(2));
    EXPECT_EQ(-1, z.LBound(3));
    z(2, 0, -1) = 1.0;
    z(1, 2, 0) = 2.0;
    EXPECT_EQ(1.0, z(2, 0, -1));
    EXPECT_EQ(2.0, z(1, 2, 0));
    EXPECT_EQ(0.0, z(1, 0, -1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, z(1, 3, 0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, z.UBound(4));
}

TEST(Arrays, ReDimClearsAndRejectsAnUpperBoundBelowTheLower) {
    DoubleArray2D m(1, 2, 1, 2);
    m(2, 2) = 9.0;
    m.ReDim(1, 3, 1, 3);
    EXPECT_EQ(0.0, m(2, 2));
    EXPECT_EQ(3, m.UBound(2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.ReDim(1, 0, 1, 0));
    EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.ReDim(1, 2147483647, 1, 2147483647));
}

TEST(Arrays, FindGivesTheElementOrNullAndNeverRaises) {
    EXPECT_EQ(nullptr, DoubleArray2D().Find(1, 1));
    EXPECT_EQ(nullptr, DoubleArray(5, 4).Find(5));
    const Long lowest = -2147483647 - 1, highest = 2147483647;
    DoubleArray2D m(lowest, lowest + 1, highest - 1, highest);
    m(lowest + 1, highest) = 2.5;
    EXPECT_EQ(&m(lowest + 1, highest), m.Find(lowest + 1, highest));
    EXPECT_EQ(&m(lowest, highest - 1), m.Find(lowest, highest - 1));
    const Long outside[][2] = {{lowest + 2, highest}, {lowest, highest - 2}, {highest, highest}, {lowest, lowest}};
    for (const auto& at : outside) EXPECT_EQ(nullptr, m.Find(at[0], at[1])) << at[0] << ", " << at[1];
    const DoubleArray3D z(1, 2, 1, 3, 1, 4);
    EXPECT_EQ(&z(2, 3, 4), z.Find(2, 3, 4));
    EXPECT_EQ(nullptr, z.Find(2, 4, 1));
}

TEST(VariantValues, GreaterThanComparesNumbersByValueAndStringsByCodeUnits) {
    const struct {
        Variant a, b;
        bool greater;
    } cases[] = {
        {Variant(2.5), Variant(Long{2}), true},       {Variant(Integer{3}), Variant(3.0), false},
        {Variant(Long{-1}), Variant(Boolean(true)), false}, {Variant(0.0), Variant(Boolean(true)), true},
        {Variant(u"b"), Variant(u"a"), true},         {Variant(u"B"), Variant(u"a"), false},
        {Variant(u"ab"), Variant(u"a"), true},        {Variant(u"\u00e9"), Variant(u"z"), true},
        {Variant(), Variant(-1.0), true},             {Variant(u""), Variant(), false},
        {Variant(testing::kNaN), Variant(0.0), false}, {Variant(0.0), Variant(testing::kNaN), false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.greater, rt::GreaterThan(c.a, c.b)) << c.a << " > " << c.b;

    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::GreaterThan(Variant(u"1"), Variant(1.0)));
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::GreaterThan(Variant(DoubleArray(1, 1)), Variant(1.0)));
}

TEST(VariantValues, AReferenceReachesTheHostsOwnArray) {
    DoubleArray host(0, 1);
    Variant ref = Variant::RefTo(host);
    EXPECT_TRUE(ref.IsReference());
    const rt::ArrayRef array = rt::ArrayOf(ref);
    EXPECT_EQ(0, rt::LBound(array));
    rt::StoreElement(array, 1, Variant(Long{7}));
    EXPECT_EQ(7.0, host(1));
    EXPECT_EQ(Variant(7.0), rt::LoadElement(array, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, rt::LoadElement(array, 2));
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::StoreElement(array, 0, Variant(u"x")));

    Variant owned = Variant(host);  // a copy the Variant owns
    rt::StoreElement(rt::ArrayOf(owned), 0, Variant(3.0));
    EXPECT_EQ(0.0, host(0));
    Variant copy = owned;  // copies the owned array too
    rt::StoreElement(rt::ArrayOf(copy), 0, Variant(4.0));
    EXPECT_EQ(Variant(3.0), rt::LoadElement(rt::ArrayOf(owned), 0));

    Variant number(1.0);
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, rt::ArrayOf(number));
    LongArray longs(1, 1);
    EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError,
                         rt::StoreElement(rt::ArrayOf(owned = Variant::RefTo(longs)), 1, Variant(3e9)));
}

TEST(Collections, ItemsAreNumberedFromOneInTheOrderAdded) {
    Collection c;
    EXPECT_EQ(0, c.Count());
    c.Add(Variant(5.0));
    c.Add(Variant(u"x"));
    EXPECT_EQ(2, c.Count());
    EXPECT_EQ(Variant(5.0), c.Item(1));
    EXPECT_EQ(Variant(u"x"), c.Item(2));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, c.Item(0));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, c.Item(3));
}

}  // namespace
}  // namespace tervanix
