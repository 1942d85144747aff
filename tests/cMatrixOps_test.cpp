#include <Tervanix/cMatrixOps.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;
using Rows = std::vector<std::vector<double>>;
using Matrix = std::shared_ptr<cMatrix2>;

// The matrix has exactly these rows, every element to the bit.
void ExpectMatrix(const Rows& expected, const Matrix& m) {
    ASSERT_TRUE(m);
    ASSERT_EQ(static_cast<Long>(expected.size()), m->NumRows());
    ASSERT_EQ(static_cast<Long>(expected[0].size()), m->NumCols());
    for (Long i = 1; i <= m->NumRows(); ++i)
        for (Long j = 1; j <= m->NumCols(); ++j)
            EXPECT_SAME_DOUBLE(expected[i - 1][j - 1], m->GetData(i, j)) << "at " << i << ", " << j;
}

const cMatrixOps ops;
const Rows kNew = {{0.0}};

TEST(cMatrixOpsTest, TransposeAndProductSumUpwardAndReplaceTheOutput) {
    Matrix out = MatrixOf({{9.0}});
    const Matrix before = out;
    EXPECT_EQ(True, ops.MatrixTrans(MatrixOf({{1, 2, 3}, {4, 5, 6}}), out));
    ExpectMatrix({{1, 4}, {2, 5}, {3, 6}}, out);
    // The sum runs upward from k = 1: (1e16 + 1) + 1 loses both ones, 1 + 1 + 1e16 does not.
    EXPECT_EQ(True, ops.MatrixMult(MatrixOf({{1, 1, 1e16}}), MatrixOf({{1}, {1}, {1}}), out));
    ExpectMatrix({{1e16 + 2}}, out);
    EXPECT_EQ(False, ops.MatrixMult(MatrixOf({{1, 2, 3}, {4, 5, 6}}), MatrixOf({{1, 2, 3}, {4, 5, 6}}), out));
    ExpectMatrix(kNew, out);
    ExpectMatrix({{9.0}}, before);  // the caller's former matrix is neither read nor changed
}

TEST(cMatrixOpsTest, InverseDigits) {
    const struct { Rows original, inverse; } cases[] = {
        {{{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}},
        {{{0, 1}, {1, 0}}, {{-0.0, 1}, {1, 0}}},  // FixZeroDiagonal leaves a negative zero
        // Zero diagonals fixed from rows below and above; the digits show the order of the steps.
        {{{0, 2, 1}, {1, 0, 3}, {4, 1, 0}},
         {{-0.1200000000000001, 0.040000000000000036, 0.24}, {0.48, -0.16, 0.04}, {0.04000000000000004, 0.32, -0.08}}},
        // Proportional only up to the tolerance: d = |q| just above 1e-12; and |r| = 1e-12
        // exactly takes the relative test, where q / r - 1 is -0.5.
        {{{1, std::nextafter(1e-12, 1.0)}, {1, 0}}, {{-0.0, 1}, {999999999999.9999, -999999999999.9999}}},
        {{{1, 0.5e-12}, {1, 1e-12}}, {{2, -1}, {-2e12, 2e12}}},
    };
    for (const auto& c : cases) {
        Matrix inverted;
        EXPECT_EQ(True, ops.MatrixInvert(MatrixOf(c.original), inverted));
        ExpectMatrix(c.inverse, inverted);
    }
}

TEST(cMatrixOpsTest, TheScreeningRejectsWithANewMatrix) {
    const Rows rejected[] = {
        {{1, 2, 3}, {4, 5, 6}}, {{0, 0}, {1, 1}}, {{1, 0}, {1, 0}}, {{0}},
        {{1, 1e-12}, {1, 0}},  // d = |q| = 1e-12 still counts as proportional
        // The same where an element is so large that a quotient might overflow, which
        // takes the comparison that checks its values afterwards
        {{1, 1e-12, 1e297}, {1, 0, 1e297}, {0, 0, 1}},
        {{1, 2, 3}, {0, 1, 1}, {-3, -6, -9 * (1 + 1e-13)}},
    };
    for (const Rows& original : rejected) {
        Matrix inverted = MatrixOf({{9.0}});
        EXPECT_EQ(False, ops.MatrixInvert(MatrixOf(original), inverted));
        ExpectMatrix(kNew, inverted);
    }
}

TEST(cMatrixOpsTest, TheSameVariableAsInputAndOutputIsReplacedBeforeItIsRead) {
    Matrix m = MatrixOf({{1, 2}, {3, 4}});
    EXPECT_EQ(True, ops.MatrixTrans(m, m));
    ExpectMatrix(kNew, m);
    m = MatrixOf({{4, 7}, {2, 6}});
    EXPECT_EQ(False, ops.MatrixInvert(m, m));
    ExpectMatrix(kNew, m);
    m = MatrixOf({{2, 3}});  // A becomes 1 x 1, then 1 x 2 through AB, and is read as such
    EXPECT_EQ(True, ops.MatrixMult(m, MatrixOf({{2, 3}}), m));
    ExpectMatrix({{0, 0}}, m);
    Matrix coeffs = MatrixOf({{2, 0}, {0, 4}});  // read in full before Solution is replaced
    EXPECT_EQ(True, ops.SimultEqns(coeffs, MatrixOf({{2}, {8}}), coeffs));
    ExpectMatrix({{1}, {2}}, coeffs);
}

TEST(cMatrixOpsTest, AVariableWithoutAMatrixEndsTheCallAfterTheOutputIsReplaced) {
    const Matrix none, some = MatrixOf({{2}});
    Matrix out = MatrixOf({{9.0}});
    const Matrix callers = out;
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.MatrixTrans(none, out));
    ExpectMatrix(kNew, out);
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.MatrixMult(some, none, out));
    out = callers;
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.SimultEqns(none, some, out));
    EXPECT_EQ(callers, out);  // the inversion failed before Solution was touched
    EXPECT_LIBRARY_ERROR(ErrorKind::MissingObject, ops.SimultEqns(some, none, out));
    ExpectMatrix(kNew, out);
}

}  // namespace
}  // namespace tervanix
