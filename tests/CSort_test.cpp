#include <Tervanix/CSort.h>

#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

const CSort& sorter = CSort::Default();

using Doubles = std::vector<Double>;
using Strings = std::vector<String>;

TEST(CSortTest, PairsWithEqualXKeepTheirOrderAndYMovesWithX) {
    DoubleArray x = MakeArray<DoubleArray>(1, {2, 1, 2});
    StringArray y = MakeArray<StringArray>(1, {u"a", u"b", u"c"});
    Variant vx = Variant::RefTo(x), vy = Variant::RefTo(y);
    sorter.BubbleSortXYPairsByX(vx, vy);
    EXPECT_EQ((Doubles{1, 2, 2}), Contents(x));
    EXPECT_EQ((Strings{u"b", u"a", u"c"}), Contents(y));

    // Y is addressed by X's subscripts: with bounds -2 to 2 against 0 to 4 only
    // Y's positions 0 to 2 take part, and its longer tail never moves.
    x = MakeArray<DoubleArray>(-2, {5, 4, 3, 2, 1});
    y = MakeArray<StringArray>(0, {u"p", u"q", u"r", u"s", u"t"});
    vy = Variant::RefTo(y);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, sorter.BubbleSortXYPairsByX(vx, vy));
    EXPECT_EQ((Doubles{4, 5, 3, 2, 1}), Contents(x));  // X's first exchange stands

    LongArray partners = MakeArray<LongArray>(-2, {50, 40, 30, 20, 10, 0});
    vy = Variant::RefTo(partners);
    sorter.BubbleSortXYPairsByX(vx, vy);
    EXPECT_EQ((Doubles{1, 2, 3, 4, 5}), Contents(x));
    EXPECT_EQ((std::vector<Long>{10, 20, 30, 50, 40, 0}), Contents(partners));
}

TEST(CSortTest, ASortedOrOneElementArrayNeverTouchesY) {
    DoubleArray x = MakeArray<DoubleArray>(7, {1, 2, 2, 3});
    Variant vx = Variant::RefTo(x), noArray(4.0);
    sorter.BubbleSortXYPairsByX(vx, noArray);
    EXPECT_EQ((Doubles{1, 2, 2, 3}), Contents(x));

    DoubleArray one = MakeArray<DoubleArray>(32767, {kNaN});
    Variant vone = Variant::RefTo(one);
    sorter.BubbleSortXYPairsByX(vone, noArray);

    // The first exchange reaches Y and fails there, after X's own exchange.
    x = MakeArray<DoubleArray>(1, {3, 2, 1});
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, sorter.BubbleSortXYPairsByX(vx, noArray));
    EXPECT_EQ((Doubles{2, 3, 1}), Contents(x));
}

TEST(CSortTest, EveryKindOfArraySortsByTheVariantComparison) {
    StringArray s = MakeArray<StringArray>(1, {u"b", u"a", u"\u00e9", u"B", u"ab", u""});
    Variant vs = Variant::RefTo(s);
    sorter.BubbleSort1DArray(vs);
    EXPECT_EQ((Strings{u"", u"B", u"a", u"ab", u"b", u"\u00e9"}), Contents(s));

    // A NaN is greater than nothing, and nothing is greater than it.
    DoubleArray d = MakeArray<DoubleArray>(0, {kNaN, 1, 0, -0.0});
    Variant vd = Variant::RefTo(d);
    sorter.BubbleSort1DArray(vd);
    EXPECT_SAME_DOUBLE(kNaN, d(0));
    EXPECT_SAME_DOUBLE(0.0, d(1));
    EXPECT_SAME_DOUBLE(-0.0, d(2));  // equal to 0, so not moved past it
    EXPECT_SAME_DOUBLE(1.0, d(3));

    Variant owned = MakeArray<VariantArray>(1, {Variant(2.5), Variant(Long{-1}), Variant(), Variant(Integer{2}),
                                           Variant(Boolean(true))});
    sorter.BubbleSort1DArray(owned);
    const rt::ArrayRef held = rt::ArrayOf(owned);
    const Variant expected[] = {Variant(Long{-1}), Variant(Boolean(true)), Variant(), Variant(Integer{2}),
                                Variant(2.5)};
    for (Long i = 1; i <= 5; ++i) EXPECT_EQ(expected[i - 1], rt::LoadElement(held, i)) << i;

    // A string beside a number ends the sort at that comparison; earlier exchanges stay.
    VariantArray mixed = MakeArray<VariantArray>(1, {Variant(3.0), Variant(1.0), Variant(u"x")});
    Variant vm = Variant::RefTo(mixed);
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, sorter.BubbleSort1DArray(vm));
    EXPECT_EQ(Variant(1.0), mixed(1));
}

TEST(CSortTest, BadArraysRaiseBeforeAnythingChanges) {
    DoubleArray never;
    Variant number(1.0), unbounded = Variant::RefTo(never);
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, sorter.BubbleSort1DArray(number));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, sorter.BubbleSort1DArray(unbounded));
    Variant empty = DoubleArray(32767, 32766);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, sorter.BubbleSortXYPairsByX(empty, number));
    for (Long lo : {-32769, 32766}) {
        DoubleArray x = MakeArray<DoubleArray>(lo, {2, 1, 0});
        Variant vx = Variant::RefTo(x);
        EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, sorter.BubbleSort1DArray(vx));
        EXPECT_EQ((Doubles{2, 1, 0}), Contents(x));
    }
}

}  // namespace
}  // namespace tervanix
