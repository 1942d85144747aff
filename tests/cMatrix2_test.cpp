#include <Tervanix/cMatrix2.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

TEST(cMatrix2Test, EveryAcceptedSizeClearsAndNoPositiveSizeChangesNothing) {
    cMatrix2 m;  // a new matrix is 1 x 1
    EXPECT_EQ(1, m.NumCols());
    m.NumRows(2);
    m.PutData(2, 1, -0.0);
    for (Long bad : {0, -5, -2147483647 - 1}) {
        m.NumRows(bad);
        m.NumCols(bad);
    }
    EXPECT_EQ(2, m.NumRows());
    EXPECT_EQ(1, m.NumCols());
    EXPECT_SAME_DOUBLE(-0.0, m.GetData(2, 1));
    m.NumRows(2);  // the same size
    EXPECT_SAME_DOUBLE(0.0, m.GetData(2, 1));
    m.PutData(1, 1, 7.0);
    m.NumCols(1);
    EXPECT_SAME_DOUBLE(0.0, m.GetData(1, 1));
}

TEST(cMatrix2Test, AddressesOutsideTheMatrixAreIgnoredOnWriteAndZeroOnRead) {
    cMatrix2 m;
    m.NumRows(3);
    m.NumCols(2);
    m.PutData(3, 2, 4.5);
    const Long outside[][2] = {{2, 3}, {4, 1}, {0, 1}, {1, 0}, {-2147483647 - 1, 2147483647}};
    for (const auto& at : outside) {
        m.PutData(at[0], at[1], 9.0);
        EXPECT_SAME_DOUBLE(0.0, m.GetData(at[0], at[1])) << at[0] << ", " << at[1];
    }
    for (Long i = 1; i <= 3; ++i)
        for (Long j = 1; j <= 2; ++j) EXPECT_SAME_DOUBLE(i == 3 && j == 2 ? 4.5 : 0.0, m.GetData(i, j));
}

TEST(cMatrix2Test, ASizeWithoutMemoryLeavesTheNewCountsAndNoElements) {
    if (kUnderAddressSanitizer) GTEST_SKIP() << "a failed allocation aborts under AddressSanitizer";
    cMatrix2 m;
    m.NumRows(65536);
    m.PutData(1, 1, 3.0);
    // 2^50 bytes, beyond any address space: the allocation fails at once.
    EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.NumCols(2147483647));
    EXPECT_EQ(65536, m.NumRows());
    EXPECT_EQ(2147483647, m.NumCols());
    m.PutData(1, 1, 5.0);  // no store to write: ignored, never outside the store
    EXPECT_SAME_DOUBLE(0.0, m.GetData(1, 1));
    m.NumCols(2);
    m.PutData(65536, 2, 5.0);
    EXPECT_SAME_DOUBLE(5.0, m.GetData(65536, 2));
}

}  // namespace
}  // namespace tervanix
