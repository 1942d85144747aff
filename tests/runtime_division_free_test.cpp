// A division-free formula tested once on its value faults exactly as when every
// operation is tested.
#include <Tervanix/runtime/DivisionFree.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

TEST(DivisionFree, TestedOnceItFaultsAsWhenEveryOperationIsTested) {
    const double values[] = {0.0, -0.0, 1.5, -3.25, 1e300, -1e300, kMax, 1e-310, kInf, -kInf, kNaN};
    for (double a : values) {
        for (double b : values) {
            for (double f : {0.0, 0.5, -2.0, kInf}) {
                const auto formula = [=](auto x) { return (x - a) * f + a; };
                bool faulted = false;
                double expected = 0;
                try {
                    expected = rt::Stored(formula(rt::Fp(b)));
                } catch (const LibraryError&) {
                    faulted = true;
                }
                if (faulted) {
                    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, rt::StoredDivisionFree(b, formula));
                } else {
                    EXPECT_SAME_DOUBLE(expected, rt::StoredDivisionFree(b, formula)) << a << " " << b << " " << f;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tervanix
