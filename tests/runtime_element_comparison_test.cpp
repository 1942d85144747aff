// The typed greater-than of array elements agrees with the Variant comparison.
#include <Tervanix/runtime/ElementComparison.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

template <typename T>
void ExpectSameAsVariants(std::initializer_list<T> values) {
    for (const T& a : values) {
        for (const T& b : values) {
            EXPECT_EQ(rt::GreaterThan(Variant(a), Variant(b)), rt::GreaterThan(a, b)) << Variant(a) << " > " << Variant(b);
        }
    }
}

TEST(ElementComparison, TypedGreaterThanGivesWhatTheVariantComparisonGives) {
    ExpectSameAsVariants<Double>({0.0, -0.0, 1.5, -1.5, kInf, -kInf, kNaN, 1e-310});
    ExpectSameAsVariants<Long>({0, 1, -1, 2147483647, -2147483647 - 1});
    ExpectSameAsVariants<String>({u"", u"a", u"b", u"B", u"ab", u"\u00e9", u"\uffff", u"a\u0000"});
}

}  // namespace
}  // namespace tervanix
