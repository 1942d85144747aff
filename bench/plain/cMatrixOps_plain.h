// cMatrixOps' product and inverse written plainly on raw row-major arrays, counted
// from 0, with the same operations in the same order but without bounds checks: the
// yardstick for the cost of the library's accessors and checks.
//
// Each function comes twice: plain, and "FaultTested", which runs the same steps with
// the library's Double fault test (rt::Fp, rt::Stored) on every operation. Ours beside
// the fault-tested one shows what the cMatrix2 accessors cost by themselves.
#pragma once

#include <vector>

namespace plain {

// A (rows x inner) times B (inner x cols), into AB (rows x cols), which is resized.
void MatrixMult(const std::vector<double>& A, const std::vector<double>& B, std::vector<double>& AB, int rows,
                int inner, int cols);
void MatrixMultFaultTested(const std::vector<double>& A, const std::vector<double>& B, std::vector<double>& AB,
                           int rows, int inner, int cols);

// The inverse of the n x n matrix Original into Inverted (resized); false when the
// screening rejects the matrix.
bool MatrixInvert(const std::vector<double>& Original, std::vector<double>& Inverted, int n);
bool MatrixInvertFaultTested(const std::vector<double>& Original, std::vector<double>& Inverted, int n);

}  // namespace plain
