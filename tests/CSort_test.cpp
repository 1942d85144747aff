#include <Tervanix/CSort.h>

#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

const CSort& sorter = CSort::Default();

using Doubles = std::vector<Double>;
using Strings = std::vector<String>;

TEST(CSortTest, EveryKindOfArraySortsByTheVariantComparison) {
    StringArray s = StringArray(1, {u"b", u"a", u"\u00e9", u"B", u"ab", u""});
    Variant vs = Variant::RefTo(s);
    sorter.BubbleSort1DArray(vs);
    EXPECT_EQ((Strings{u"", u"B", u"a", u"ab", u"b", u"\u00e9"}), Contents(s));

    // A NaN is greater than nothing, and nothing is greater than it.
    DoubleArray d = DoubleArray(0, {kNaN, 1, 0, -0.0});
    Variant vd = Variant::RefTo(d);
    sorter.BubbleSort1DArray(vd);
    EXPECT_SAME_DOUBLE(kNaN, d(0));
    EXPECT_SAME_DOUBLE(0.0, d(1));
    EXPECT_SAME_DOUBLE(-0.0, d(2));  // equal to 0, so not moved past it
    EXPECT_SAME_DOUBLE(1.0, d(3));
}

TEST(CSortTest, BadArraysRaiseBeforeAnythingChanges) {
    DoubleArray never;
    Variant number(1.0), unbounded = Variant::RefTo(never);
    EXPECT_LIBRARY_ERROR(ErrorKind::TypeMismatch, sorter.BubbleSort1DArray(number));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, sorter.BubbleSort1DArray(unbounded));
    for (Long lo : {-32769, 32766}) {
        DoubleArray x = DoubleArray(lo, {2, 1, 0});
        Variant vx = Variant::RefTo(x);
        EXPECT_LIBRARY_ERROR(ErrorKind::OverflowError, sorter.BubbleSort1DArray(vx));
        EXPECT_EQ((Doubles{2, 1, 0}), Contents(x));
    }
}

}  // namespace
}  // namespace tervanix
