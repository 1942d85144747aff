#include <Tervanix/cMatrix2.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

TEST(cMatrix2Test, AddressesOutsideTheMatrixAreIgnoredOnWriteAndZeroOnRead) {
    cMatrix2 m;
    for (Long at : {0, 2, -2147483647 - 1, 2147483647}) {
        m.PutData(at, 1, 9.0);
        m.PutData(1, at, 9.0);
        EXPECT_SAME_DOUBLE(0.0, m.GetData(at, 1)) << at;
    }
    EXPECT_SAME_DOUBLE(0.0, m.GetData(1, 1));
}

TEST(cMatrix2Test, ASizeWithoutMemoryLeavesTheNewCountsAndNoElements) {
    if (kUnderAddressSanitizer) GTEST_SKIP() << "a failed allocation aborts under AddressSanitizer";
    cMatrix2 m;
    m.NumRows(65536);
    // 2^50 bytes, beyond any address space: the allocation fails at once.
    EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.NumCols(2147483647));
    EXPECT_EQ(2147483647, m.NumCols());
    m.PutData(1, 1, 5.0);  // no store to write: ignored, never outside the store
    EXPECT_SAME_DOUBLE(0.0, m.GetData(1, 1));
    m.NumCols(2);
    m.PutData(65536, 2, 5.0);
    EXPECT_SAME_DOUBLE(5.0, m.GetData(65536, 2));
}

}  // namespace
}  // namespace tervanix
