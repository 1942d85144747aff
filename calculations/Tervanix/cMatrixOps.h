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
    /// The transpose of Original: element (j, i) of the result is element (i, j).
    ///
    /// @param Original  the matrix to transpose.
    /// @param[out] Transposed  made to refer to a new matrix, the transpose.
    /// @return True, always.
    /// @throws LibraryError MissingObject when Original refers to no matrix;
    ///         OutOfMemory.
    ///
    /// @code
    ///   auto a = std::make_shared<cMatrix2>();
    ///   a->NumCols(3); a->PutData(1, 3, 7);
    ///   std::shared_ptr<cMatrix2> t;
    ///   cMatrixOps().MatrixTrans(a, t);   // True: t->NumRows() = 3, t->GetData(3, 1) = 7
    /// @endcode
    TERVANIX_API Boolean MatrixTrans(const std::shared_ptr<cMatrix2>& Original, std::shared_ptr<cMatrix2>& Transposed) const;
    /// The matrix product A B: element (i, j) is the sum over k of B(k, j) * A(i, k),
    /// for k from 1 up.
    ///
    /// @param A, B  the factors; NumCols of A must equal NumRows of B.
    /// @param[out] AB  made to refer to a new matrix: the product after True, a
    ///        1 x 1 matrix holding 0.0 after False.
    /// @return True; False when NumCols of A differs from NumRows of B.
    /// @throws LibraryError MissingObject when A or B refers to no matrix;
    ///         FloatingPointFault when a sum overflows (AB holds the elements done);
    ///         OutOfMemory.
    ///
    /// @code
    ///   auto a = std::make_shared<cMatrix2>(), b = std::make_shared<cMatrix2>();
    ///   a->NumCols(2); a->PutData(1, 1, 2); a->PutData(1, 2, 3);   // a row: 2 3
    ///   b->NumRows(2); b->PutData(1, 1, 4); b->PutData(2, 1, 5);   // a column: 4 5
    ///   std::shared_ptr<cMatrix2> ab;
    ///   cMatrixOps().MatrixMult(a, b, ab);   // True: ab->GetData(1, 1) = 23
    /// @endcode
    TERVANIX_API Boolean MatrixMult(const std::shared_ptr<cMatrix2>& A, const std::shared_ptr<cMatrix2>& B,
                       std::shared_ptr<cMatrix2>& AB) const;
    /// The inverse of a square matrix, by Gauss-Jordan elimination after a screening
    /// for rows or columns of zeros and proportional rows.
    ///
    /// @param Original  the matrix to invert.
    /// @param[out] Inverted  made to refer to a new matrix: the inverse after True, a
    ///        1 x 1 matrix holding 0.0 after False or an error.
    /// @return True; False when Original is not square, has a row or a column of
    ///         zeros, or two rows proportional within a relative 1e-12.
    /// @throws LibraryError FloatingPointFault when the elimination overflows or
    ///         meets a zero pivot (a singular matrix that passed the screening);
    ///         MissingObject when Original refers to no matrix; OutOfMemory.
    ///
    /// Limits. The elimination takes the diagonal as it comes, with no row exchanges
    /// (pivoting) and no scaling: each step multiplies the other rows by the pivot
    /// over their element, so the values grow with the size even when the matrix is
    /// well conditioned. 2I + 0.01 (every element 0.01, plus 2 on the diagonal;
    /// condition 1.6) inverts up to 127 x 127 and raises FloatingPointFault (an
    /// overflow) from 128 x 128; 2I + 1 up to 168 x 168. The inverse's error is that
    /// of elimination without pivoting: about 6x that of LU with partial pivoting on
    /// the 3 x 3 matrix of tenths (0.1 0.2 0.3 / 0.4 0.5 0.6 / 0.7 0.8 1.0) and on
    /// the Hilbert matrix of order 8 (see SimultEqns).
    ///
    /// @code
    ///   auto a = std::make_shared<cMatrix2>();
    ///   a->NumRows(2); a->NumCols(2); a->PutData(1, 1, 2); a->PutData(2, 2, 4);
    ///   std::shared_ptr<cMatrix2> inv;
    ///   cMatrixOps().MatrixInvert(a, inv);   // True: inv->GetData(1, 1) = 0.5, inv->GetData(2, 2) = 0.25
    ///   a->PutData(2, 2, 0);
    ///   cMatrixOps().MatrixInvert(a, inv);   // False: inv->NumRows() = 1
    /// @endcode
    TERVANIX_API Boolean MatrixInvert(const std::shared_ptr<cMatrix2>& Original, std::shared_ptr<cMatrix2>& Inverted) const;
    /// Solves Coeffs X = Vector as the inverse of Coeffs times Vector, one column of
    /// X for each column of Vector.
    ///
    /// @param Coeffs  the square matrix of coefficients, one equation per row.
    /// @param Vector  the right-hand sides, one row per equation.
    /// @param[out] Solution  after True, a new matrix holding X; after False because
    ///        Coeffs has no inverse, unchanged; after False because Vector's row count
    ///        differs from Coeffs', a new 1 x 1 matrix holding 0.0.
    /// @return True; False as MatrixInvert for Coeffs, or when the row counts differ.
    /// @throws LibraryError as MatrixInvert and MatrixMult.
    ///
    /// Solving through the inverse costs accuracy beside LU with partial pivoting
    /// (LAPACK's dgesv), and MatrixInvert's size limits apply. Largest error of X,
    /// relative to its largest element, against the exact solution of the stored
    /// system: 1.4e-14 against 2.3e-15 for the 3 x 3 matrix of tenths (condition 88),
    /// 8.3e-10 against 1.6e-10 for Hilbert 6 (1.5e7), 2.4e-6 against 3.6e-7 for
    /// Hilbert 8 (1.5e10); alike (2e-15) for the well-conditioned 2I + 0.01U, 100 x 100.
    ///
    /// @code
    ///   auto c = std::make_shared<cMatrix2>(), v = std::make_shared<cMatrix2>();
    ///   c->NumRows(2); c->NumCols(2); c->PutData(1, 1, 2); c->PutData(1, 2, 1); c->PutData(2, 1, 1); c->PutData(2, 2, -1);
    ///   v->NumRows(2); v->PutData(1, 1, 5); v->PutData(2, 1, 1);
    ///   std::shared_ptr<cMatrix2> x;
    ///   cMatrixOps().SimultEqns(c, v, x);   // True: x->GetData(1, 1) = 2, x->GetData(2, 1) = 1
    /// @endcode
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
    bool EliminateInPanels(cMatrix2& W) const;
    void EliminateColumns(cMatrix2& W) const;
    void UpdateRowStepByStep(cMatrix2& W, Long p, Long r, Double f) const;
    bool UpdateRowAtOnce(cMatrix2& W, Long p, Long r, Double f, std::vector<Double>& updated) const;
    void NormalizeRows(cMatrix2& W) const;
    void ExtractInverse(const cMatrix2& W, std::shared_ptr<cMatrix2>& Inverted) const;
    // The False paths: each records which rule said no and gives False. `where` is
    // the method the caller called, the other names its arguments.
    TERVANIX_COLD_NOINLINE bool RefuseProduct(const cMatrix2& a, const cMatrix2& b) const;
    TERVANIX_COLD_NOINLINE bool RefuseSizes(const char* where, const char* left, Long columns,
                                               const char* right, Long rows) const;
    TERVANIX_COLD_NOINLINE bool RefuseInverse(const char* where, const char* argument, const cMatrix2& M) const;
};

}  // namespace tervanix
