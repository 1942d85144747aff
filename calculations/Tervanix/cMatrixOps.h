// cMatrixOps: transpose, product and inverse of cMatrix2 matrices, and simultaneous
// equations solved through the inverse.
//
// Every matrix is an object reference: the caller's own std::shared_ptr variable.
// An output variable is made to refer to a new matrix as the first step of the
// operation, so when the same variable is passed as an input and as the output, the
// input is that new 1 x 1 matrix holding 0.0 by the time it is read. An input
// variable that refers to no matrix ends the call with MissingObject (after the
// output has been replaced). Matrices are reached only through cMatrix2's public
// operations.
#pragma once

#include <memory>
#include <vector>

#include "Tervanix/cMatrix2.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cMatrixOps {
public:
    // Always True.
    TERVANIX_API Boolean MatrixTrans(const std::shared_ptr<cMatrix2>& Original, std::shared_ptr<cMatrix2>& Transposed) const;
    // False when NumCols of A differs from NumRows of B; AB then holds a new 1 x 1 matrix.
    TERVANIX_API Boolean MatrixMult(const std::shared_ptr<cMatrix2>& A, const std::shared_ptr<cMatrix2>& B,
                       std::shared_ptr<cMatrix2>& AB) const;
    // False when Original is not square or has a row of zeros, a column of zeros or
    // two proportional rows; Inverted then holds a new 1 x 1 matrix.
    TERVANIX_API Boolean MatrixInvert(const std::shared_ptr<cMatrix2>& Original, std::shared_ptr<cMatrix2>& Inverted) const;
    // Solution = inverse of Coeffs times Vector, one column per right-hand side. False,
    // with Solution untouched, when Coeffs has no inverse; False, with Solution a new
    // 1 x 1 matrix, when Vector's row count does not fit.
    TERVANIX_API Boolean SimultEqns(const std::shared_ptr<cMatrix2>& Coeffs, const std::shared_ptr<cMatrix2>& Vector,
                       std::shared_ptr<cMatrix2>& Solution) const;

private:
    void MultiplyByRows(const cMatrix2& a, const cMatrix2& b, cMatrix2& ab) const;
    // The screening of MatrixInvert.
    bool HasZeroRow(const cMatrix2& M) const;
    bool HasZeroColumn(const cMatrix2& M) const;
    bool HasProportionalRows(const cMatrix2& M) const;
    bool RowsProportionalStepByStep(const cMatrix2& M, Long i, Long k, Double ratio) const;
    int RowsProportionalAtOnce(const cMatrix2& M, Long i, Long k, Double ratio) const;
    // Gauss-Jordan elimination on W = (Original | identity).
    std::shared_ptr<cMatrix2> BuildAugmented(const cMatrix2& Original) const;
    void FixZeroDiagonal(cMatrix2& W) const;
    void EliminateColumns(cMatrix2& W) const;
    void UpdateRowStepByStep(cMatrix2& W, Long p, Long r, Double f) const;
    bool UpdateRowAtOnce(cMatrix2& W, Long p, Long r, Double f, std::vector<Double>& updated) const;
    void NormalizeRows(cMatrix2& W) const;
    void ExtractInverse(const cMatrix2& W, std::shared_ptr<cMatrix2>& Inverted) const;
};

}  // namespace tervanix
