#include <Tervanix/CSort.h>

#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

const CSort& sorter = CSort::Default();

template <typename A>
A Fill(Long lo, std::initializer_list<typename A::value_type> values) {
    A a(lo, lo + static_cast<Long>(values.size()) - 1);
    Long i = lo;
    for (const auto& v : values) a(i++) = v;
    return a;
}

template <typename A>
std::vector<typename A::value_type> Elements(const A& a) {
    std::vector<typename A::value_type> v;
    for (Long i = a.LBound(); i <= a.UBound(); ++i) v.push_back(a(i));
    return v;
}

using Doubles = std::vector<Double>;
using Strings = std::vector<String>;

TEST(CSortTest, PairsWithEqualXKeepTheirOrderAndYMovesWithX) {
    DoubleArray x = Fill<DoubleArray>(1, {2, 1, 2});
    StringArray y = Fill<StringArray>(1, {u"a", u"b", u"c"});
    Variant vx = Variant::RefTo(x), vy = Variant::RefTo(y);
    sorter.BubbleSortXYPairsByX(vx, vy);
    EXPECT_EQ((Doubles{1, 2, 2}), Elements(x));
    EXPECT_EQ((Strings{u"b", u"a", u"c"}), Elements(y));

    // Y is addressed by X's subscripts: with bounds -2 to 2 against 0 to 4 only
    // Y's positions 0 to 2 take part, and its longer tail never moves.
    x = Fill<DoubleArray>(-2, {5, 4, 3, 2, 1});
    y = Fill<StringArray>(0, {u"p", u"q", u"r", u"s", u"t"});
    vy = Variant::RefTo(y);
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, sorter.BubbleSortXYPairsByX(vx, vy));
    EXPECT_EQ((Doubles{4, 5, 3, 2, 1}), Elements(x));  // X's first exchange stands

    LongArray partners = Fill<LongArray>(-2, {50, 40, 30, 20, 10, 0});
    vy = Variant::RefTo(partners);
    sorter.BubbleSortXYPairsByX(vx, vy);
    EXPECT_EQ((Doubles{1, 2, 3, 4, 5}), Elements(x));
    EXPECT_EQ((std::vector<Long>{10, 20, 30, 50, 40, 0}), Elements(partners));
}

TEST(CSortTest, ASortedOrOneElementArrayNeverTouchesY) {
    DoubleArray x = Fill<DoubleArray>(7, {1, 2, 2, 3});
    Variant vx = Variant::RefTo(x), noArray(4.0);
    sorter.BubbleSortXYPairsByX(vx, noArray);
    EXPECT_EQ((Doubles{1, 2, 2, 3}), Elements(x));

    DoubleArray one = Fill<DoubleArray>(32767, {kNaN});
    Variant vone = Variant::RefTo(one);
    sorter.BubbleSortXYPairsByX(vone, noArray);

    // The first exchange reaches Y and fails there, after X's own exchange.
    x = Fill<DoubleArray>(1, {3, 2, 1});
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, sorter.BubbleSortXYPairsByX(vx, noArray));
    EXPECT_EQ((Doubles{2, 3, 1}), Elements(x));
}

TEST(CSortTest, EveryKindOfArraySortsByTheVariantComparison) {
    StringArray s = Fill<StringArray>(1, {u"b", u"a", u"\u00e9", u"B", u"ab", u""});
    Variant vs = Variant::RefTo(s);
    sorter.BubbleSort1DArray(vs);
    EXPECT_EQ((Strings{u"", u"B", u"a", u"ab", u"b", u"\u00e9"}), Elements(s));

    // A NaN is greater than nothing, and nothing is greater than it.
    DoubleArray d = Fill<DoubleArray>(0, {kNaN, 1, 0, -0.0});
    Variant vd = Variant::RefTo(d);
    sorter.BubbleSort1DArray(vd);
    EXPECT_SAME_DOUBLE(kNaN, d(0));
    EXPECT_SAME_DOUBLE(0.0, d(1));
    EXPECT_SAME_DOUBLE(-0.0, d(2));  // equal to 0, so not moved past it
    EXPECT_SAME_DOUBLE(1.0, d(3));

    Variant owned = Fill<VariantArray>(1, {Variant(2.5), Variant(Long{-1}), Variant(), Variant(Integer{2}),
                                           Variant(Boolean(true))});
    sorter.BubbleSort1DArray(owned);
    const rt::ArrayRef held = rt::ArrayOf(owned);
    const Variant expected[] = {Variant(Long{-1}), Variant(Boolean(true)), Variant(), Variant(Integer{2}),
                                Variant(2.5)};
    for (Long i = 1; i <= 5; ++i) EXPECT_EQ(expected[i - 1], rt::LoadElement(held, i)) << i;

    // A string beside a number ends the sort at that comparison; earlier exchanges stay.
    VariantArray mixed = Fill<VariantArray>(1, {Variant(3.0), Variant(1.0), Variant(u"x")});
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
        DoubleArray x = Fill<DoubleArray>(lo, {2, 1, 0});
        Variant vx = Variant::RefTo(x);
        EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, sorter.BubbleSort1DArray(vx));
        EXPECT_EQ((Doubles{2, 1, 0}), Elements(x));
    }
}

}  // namespace
}  // namespace tervanix
