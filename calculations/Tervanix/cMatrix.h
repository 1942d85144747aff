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
    // Sets N and replaces A (N x N), then b (N), by arrays of zeros. N is stored
    // first; a value below 1 then fails with SubscriptOutOfRange and storage that
    // cannot be had with OutOfMemory, and an array not replaced keeps what it held.
    TERVANIX_API void MatrixSize(const Long& X);
    // Replaces one coefficient or constant; an index above N is ignored, one below 1
    // raises SubscriptOutOfRange, and so does any index before the first MatrixSize.
    TERVANIX_API void AddToMatrix(Long row, Long col, Double value);
    TERVANIX_API void AddToVector(Long row, Double value);
    // Puts a new Collection into Solution: the N unknowns in order and True, or
    // empty and False when no order of the equations avoids a zero on the diagonal or
    // the equations are dependent. After an error Solution is unchanged.
    TERVANIX_API Boolean Calc(std::shared_ptr<Collection>& Solution) const;
    // Shows four message boxes that explain the class.
    TERVANIX_API void HelpForProgrammer() const;

private:
    bool ArrangeRows(DoubleArray2D& W, DoubleArray& V) const;
    bool IdentityOrderFits() const;
    bool FindRowOrder(LongArray& P) const;
    void EliminateForward(DoubleArray2D& W, DoubleArray& V) const;
    bool SubstituteBack(const DoubleArray2D& W, const DoubleArray& V, DoubleArray& x) const;

    Long N = 0;
    DoubleArray2D A;
    DoubleArray b;
};

}  // namespace tervanix
