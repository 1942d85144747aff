// cMatrix: solves N simultaneous linear equations A x = b. The caller sets the size,
// enters the coefficients and the constants one by one, and Calc returns the unknowns
// in a new Collection. Calc works on copies, so the stored system never changes and
// Calc may be called again with the same result.
#pragma once

#include <memory>

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Collection.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cMatrix {
public:
    /// Sets the number of equations and unknowns N, and replaces the coefficients A
    /// (N x N) and the constants b (N) by zeros. Call it first, and again to start over.
    ///
    /// @param X  N, 1 or more.
    /// @throws LibraryError SubscriptOutOfRange when X < 1; OutOfMemory when the
    ///         storage cannot be had. N is stored first, and an array not yet replaced
    ///         keeps what it held.
    ///
    /// @code
    ///   cMatrix m;
    ///   m.MatrixSize(3);
    ///   m.MatrixSize(0);   // throws SubscriptOutOfRange
    /// @endcode
    TERVANIX_API void MatrixSize(const Long& X);
    /// Sets one coefficient: A(row, col), the factor of unknown col in equation row.
    ///
    /// @param row, col  counted from 1. A row or col above N makes the call do nothing.
    /// @throws LibraryError SubscriptOutOfRange for a row or col below 1 (when neither
    ///         is above N), and for any call before the first MatrixSize.
    ///
    /// @code
    ///   cMatrix m;
    ///   m.MatrixSize(2);
    ///   m.AddToMatrix(1, 2, 4.5);   // equation 1: ... + 4.5 * x2 = ...
    ///   m.AddToMatrix(0, 1, 1.0);   // throws SubscriptOutOfRange
    /// @endcode
    TERVANIX_API void AddToMatrix(Long row, Long col, Double value);
    /// Sets one constant: b(row), the right-hand side of equation row.
    ///
    /// @param row  counted from 1; a row above N is ignored.
    /// @throws LibraryError as AddToMatrix.
    ///
    /// @code
    ///   cMatrix m;
    ///   m.MatrixSize(2);
    ///   m.AddToVector(2, 7.0);
    /// @endcode
    TERVANIX_API void AddToVector(Long row, Double value);
    /// Solves A x = b. The equations are first put in the first order (by row
    /// numbers) that leaves no zero on the diagonal, then eliminated forward and
    /// substituted back, all on copies: the stored system never changes, and a
    /// second Calc gives the same digits.
    ///
    /// @param[out] Solution  made to refer to a new Collection: the N unknowns as
    ///        Double items 1 to N after True, no items after False.
    /// @return True; False when no order of the equations avoids a zero on the
    ///         diagonal, or the equations are dependent.
    /// @throws LibraryError SubscriptOutOfRange before the first MatrixSize;
    ///         FloatingPointFault when the elimination overflows or divides by zero;
    ///         OutOfMemory. Solution is then unchanged.
    ///
    /// @code
    ///   cMatrix m;
    ///   m.MatrixSize(2);
    ///   m.AddToMatrix(1, 1, 2); m.AddToMatrix(1, 2, 1); m.AddToVector(1, 5);    // 2 x1 + x2 = 5
    ///   m.AddToMatrix(2, 1, 1); m.AddToMatrix(2, 2, -1); m.AddToVector(2, 1);   // x1 - x2 = 1
    ///   std::shared_ptr<Collection> x;
    ///   m.Calc(x);   // True: x->Item(1) = 2.0, x->Item(2) = 1.0
    /// @endcode
    TERVANIX_API Boolean Calc(std::shared_ptr<Collection>& Solution) const;
    /// Shows four message boxes that explain the class (what it solves, the steps of
    /// its use, what MatrixSize clears, its history), through the host's message sink
    /// (SetMessageSink) or, without one, on the standard error stream.
    ///
    /// @code
    ///   Long shown = 0;
    ///   auto previous = rt::SetMessageSink([&shown](const String&) { ++shown; });
    ///   cMatrix().HelpForProgrammer();
    ///   rt::SetMessageSink(previous);
    ///   shown;   // 4
    /// @endcode
    TERVANIX_API void HelpForProgrammer() const;

private:
    bool ArrangeRows(DoubleArray2D& W, DoubleArray& V) const;
    bool IdentityOrderFits() const;
    bool FindRowOrder(LongArray& P) const;
    void EliminateForward(DoubleArray2D& W, DoubleArray& V, DoubleArray& scratch) const;
    bool EliminateInPanels(DoubleArray2D& W, DoubleArray& V) const;
    void EliminateRowStepByStep(DoubleArray2D& W, DoubleArray& V, Long k, Long i, Double f) const;
    bool EliminateRowAtOnce(DoubleArray2D& W, DoubleArray& V, Long k, Long i, Double f, DoubleArray& scratch) const;
    bool SubstituteBack(const DoubleArray2D& W, const DoubleArray& V, DoubleArray& x) const;
    // The False paths: each records which rule said no and gives False.
    TERVANIX_COLD_NOINLINE bool RefuseRowOrder() const;
    TERVANIX_COLD_NOINLINE bool RefuseDependent(Long i) const;

    Long N = 0;
    DoubleArray2D A;
    DoubleArray b;
};

}  // namespace tervanix
