#include "Tervanix/cMatrix.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/MsgBox.h"
#include "Tervanix/runtime/NamedArrays.h"
#include "Tervanix/runtime/Objects.h"
#include "Tervanix/runtime/MatrixTiles.h"
#include "Tervanix/runtime/RowUpdate.h"
#include "Tervanix/runtime/Variant.h"

// Loop counters run from 1 to N + 1 at most, and only once N x N working storage
// exists, so no counter can leave the Long range.

namespace tervanix {

using rt::Fp;
using rt::Stored;

namespace {

constexpr const char16_t* kHelpTexts[] = {
    u"This class solves a system of N simultaneous equations.  The simultaneous equations are\r\n"
    u"represented by an N x N matrix.  The non-homogeneous terms are represented\r\n"
    u"by a N-sized vector.  The solution is returned as an N-sized vector inside a collection.",

    u"The user must perform the following steps.\r\n"
    u"\r\n"
    u"    * Create an instance of the class.\r\n"
    u"    * Indicate the number of simultaneous equations by setting the MatrixSize property.\r\n"
    u"    * Populate the N x N matrix using the AddToMatrix method.\r\n"
    u"    * Populate the N-sized non-homogeneous vector using the AddToVector method.\r\n"
    u"    * Call for the solution using the Calc method.  The solution vector is returned in a collection.",

    u"Setting the MatrixSize property clears the matrix and the vector, and resets their size\r\n"
    u"accordingly.  There is no limit on the size of the matrix.  Failure to\r\n"
    u"produce a solution is most likely caused by two or more of the simultaneous\r\n"
    u"equations being dependent.",

    u"Build 1.0.0.1 of Tervanix was the first Tervanix DLL to contain this matrix class.\r\n"
    u"Build 1.0.0.2 of Tervanix fixed an error in which the original matrix & vector data was changed after each calculation.\r\n"
    u"Build 1.0.0.3 of Tervanix fixed an error in which the calculation successfully rearranged rows to eliminate zeroes\r\n"
    u"     on the diagonal (in most cases), but failed to rearrange the rows at all if there was a zero on the last diagonal.",
};

// The size is the number of equations: 1 or more, set before the system is filled.
[[noreturn]] void RaiseSizeBelowOne(Long X) {
    rt::MessageText<> text;
    text << "the size must be at least 1, the number of equations; MatrixSize was given " << X;
    rt::Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
}

[[noreturn]] void RaiseSizeNotSet() {
    rt::Raise(ErrorKind::SubscriptOutOfRange,
              "the size must be set first: call MatrixSize with the number of equations, 1 or more");
}

// An assignment of the stored equations (rows of A) to the positions of the working
// system, one row per position, where row r may sit at position c only when
// A(r, c) is not 0.0. Position 0 and row 0 stand for "none".
class RowAssignment {
public:
    RowAssignment(const DoubleArray2D& A, Long N) : A_(A), N_(N) {
        rowAt_.ReDim(1, N);
        positionOf_.ReDim(1, N);
        cameFrom_.ReDim(1, N);
        queue_.ReDim(1, N);
    }

    // Gives every row a position; false when no complete assignment exists.
    bool PlaceEveryRow() {
        for (Long r = 1; r <= N_; ++r) {
            if (Fits(r, r)) Put(r, r);
        }
        for (Long r = 1; r <= N_; ++r) {
            if (positionOf_(r) != 0) continue;
            const Long free = Search(r, 1);
            if (free == 0) return false;
            ShiftAlong(free);
        }
        return true;
    }

    // Position i, every earlier position being settled, takes the smallest row that
    // can sit there while the remaining rows still fill the positions after it. Row r
    // can replace the row now at i exactly when an alternating path through the later
    // positions leads from the displaced row to r's position: shifting the rows along
    // it keeps the assignment complete.
    Long SettlePosition(Long i) {
        const Long current = rowAt_(i);
        bool searched = false;
        for (Long r = 1; r < current; ++r) {
            const Long c = positionOf_(r);
            if (c <= i || !Fits(r, i)) continue;  // settled already, or a zero at (r, i)
            if (!searched) {
                Vacate(i);
                Search(current, i + 1);  // no later position is free: this only marks
                searched = true;
            }
            if (cameFrom_(c) != 0) {
                Vacate(c);
                ShiftAlong(c);
                Put(r, i);
                return r;
            }
        }
        if (searched) Put(current, i);
        return current;
    }

private:
    bool Fits(Long r, Long c) const { return A_(r, c) != 0.0; }

    void Put(Long r, Long c) {
        rowAt_(c) = r;
        positionOf_(r) = c;
    }

    void Vacate(Long c) {
        positionOf_(rowAt_(c)) = 0;
        rowAt_(c) = 0;
    }

    // Breadth first from the row `from`, which holds no position, through the
    // positions from `first` on: a position is reached from a row that fits it, and
    // leads on to the row it holds. Each reached position remembers the row it was
    // reached from. Gives the first free position reached, or 0.
    Long Search(Long from, Long first) {
        for (Long c = first; c <= N_; ++c) cameFrom_(c) = 0;
        Long head = 1;
        Long tail = 1;
        queue_(tail++) = from;
        while (head < tail) {
            const Long r = queue_(head++);
            for (Long c = first; c <= N_; ++c) {
                if (cameFrom_(c) != 0 || !Fits(r, c)) continue;
                cameFrom_(c) = r;
                if (rowAt_(c) == 0) return c;
                queue_(tail++) = rowAt_(c);
            }
        }
        return 0;
    }

    // Moves each row on the path that Search found to the position it was found from,
    // from the free position c back to the row the search started at.
    void ShiftAlong(Long c) {
        while (c != 0) {
            const Long r = cameFrom_(c);
            const Long next = positionOf_(r);
            Put(r, c);
            c = next;
        }
    }

    const DoubleArray2D& A_;
    const Long N_;
    LongArray rowAt_;
    LongArray positionOf_;
    LongArray cameFrom_;
    LongArray queue_;
};

}  // namespace

void cMatrix::MatrixSize(const Long& X) try {
    N = X;
    if (X < 1) RaiseSizeBelowOne(X);
    A.ReDim(1, X, 1, X);
    b.ReDim(1, X);
} catch (...) { rt::RethrowFrom("cMatrix.MatrixSize"); }

void cMatrix::AddToMatrix(Long row, Long col, Double value) try {
    if (!A.HasBounds()) RaiseSizeNotSet();
    if (row <= A.UBound(1) && col <= A.UBound(2)) A(row, col) = value;
} catch (...) {
    rt::RethrowNamingSubscripts("cMatrix.AddToMatrix", "the system MatrixSize set", A, "row", "col");
}

void cMatrix::AddToVector(Long row, Double value) try {
    if (!b.HasBounds()) RaiseSizeNotSet();
    if (row <= b.UBound()) b(row) = value;
} catch (...) {
    rt::RethrowNamingSubscripts("cMatrix.AddToVector", "the system MatrixSize set", b, "row");
}

Boolean cMatrix::Calc(std::shared_ptr<Collection>& Solution) const try {
    // The working data, the largest first: a size whose storage cannot be had fails
    // before the rest is taken. Creating x first would end with the same kind of error.
    if (N < 1) RaiseSizeNotSet();
    DoubleArray2D W;
    W.ReDim(1, N, 1, N);
    DoubleArray V;
    V.ReDim(1, N);
    DoubleArray x;
    x.ReDim(1, N);
    DoubleArray scratch;  // a row's new values, before they replace it
    scratch.ReDim(1, N);

    bool ok = ArrangeRows(W, V);
    if (ok && !EliminateInPanels(W, V)) {
        // A step faulted (or a value was not finite to begin with): again from the
        // arranged system, a row at a time, to raise the fault where the step-by-step
        // loop does.
        ArrangeRows(W, V);
        EliminateForward(W, V, scratch);
    }
    if (ok) ok = SubstituteBack(W, V, x);

    // Filled before it is put into Solution, so that an error leaves Solution as it was.
    std::shared_ptr<Collection> result = rt::New<Collection>();
    if (ok) {
        for (Long i = 1; i <= N; ++i) result->Add(Variant(x(i)));
    }
    Solution = std::move(result);
    return ok;
} catch (...) { rt::RethrowFrom("cMatrix.Calc"); }

void cMatrix::HelpForProgrammer() const try {
    for (const char16_t* text : kHelpTexts) rt::MsgBox(text);
} catch (...) { rt::RethrowFrom("cMatrix.HelpForProgrammer"); }

// W and V become the stored system in the order found; they stay all zeros when no
// order puts a non-zero coefficient on every diagonal position.
bool cMatrix::ArrangeRows(DoubleArray2D& W, DoubleArray& V) const {
    LongArray P;
    P.ReDim(1, N);
    if (!FindRowOrder(P)) return RefuseRowOrder();
    const auto n = static_cast<std::size_t>(N);
    // A and b have N x N and N elements unless a MatrixSize failed for want of memory
    // after setting N; differential: unreachable
    if (!rt::kStepByStep && A.size() == n * n && b.size() == n) {
        // A is N x N and every P(i) lies in 1 to N: whole rows are copied at once.
        for (Long i = 1; i <= N; ++i) {
            V(i) = b(P(i));
            const Double* const from = A.data() + static_cast<std::size_t>(P(i) - 1) * n;
            std::copy(from, from + n, W.data() + static_cast<std::size_t>(i - 1) * n);
        }
        return true;
    }
    for (Long i = 1; i <= N; ++i) {
        V(i) = b(P(i));
        for (Long j = 1; j <= N; ++j) W(i, j) = A(P(i), j);
    }
    return true;
}

bool cMatrix::IdentityOrderFits() const {
    for (Long i = 1; i <= N; ++i) {
        if (A(i, i) == 0.0) return false;
    }
    return true;
}

// The order P is the lexicographically smallest permutation with no zero A(P(i), i):
// the first that a trial of every sequence of N row numbers, in lexicographic order,
// would accept. Such a trial costs N^N, and a depth-first search over permutations
// is exponential as well, so each position instead takes its row for good, in
// increasing row order, as soon as the remaining rows can still fill the remaining
// positions. That costs O(N^3) at most; the identity, the commonest answer, O(N).
bool cMatrix::FindRowOrder(LongArray& P) const {
    if (!rt::kStepByStep && IdentityOrderFits()) {
        for (Long i = 1; i <= N; ++i) P(i) = i;
        return true;
    }
    RowAssignment rows(A, N);
    if (!rows.PlaceEveryRow()) return false;
    for (Long i = 1; i <= N; ++i) P(i) = rows.SettlePosition(i);
    return true;
}

// Row i becomes row k plus f times row i, which clears W(i, k) up to rounding. Rows
// whose element in column k is exactly 0.0 are left alone; a zero pivot makes f zero
// and row i a copy of row k, which the back substitution reports.
//
// The normal build updates a row at once, in one pass on plain Doubles: each element
// is rounded as f times itself and then as row k's element plus that, exactly as the
// two passes round it. A row whose new values are not all finite is done again step
// by step, in the two passes (every product of the row before any sum), so that the
// first fault is the one the documented order meets. The reference build updates
// every row step by step.
void cMatrix::EliminateForward(DoubleArray2D& W, DoubleArray& V, DoubleArray& scratch) const {
    for (Long k = 1; k <= N; ++k) {
        for (Long i = k + 1; i <= N; ++i) {
            if (W(i, k) == 0.0) continue;
            const Double f = Stored((Fp(W(k, k)) * -1.0) / W(i, k));
            if constexpr (rt::kStepByStep) {
                EliminateRowStepByStep(W, V, k, i, f);
            } else if (!EliminateRowAtOnce(W, V, k, i, f, scratch)) {
                EliminateRowStepByStep(W, V, k, i, f);
            }
        }
    }
}

// EliminateForward eight pivots at a time (runtime/MatrixTiles.h): true when no
// step faulted and W and V hold the values of the step-by-step elimination; false,
// with W and V partly updated, otherwise and always in the reference build.
bool cMatrix::EliminateInPanels(DoubleArray2D& W, DoubleArray& V) const {
    if constexpr (rt::kStepByStep) return false;
    const auto n = static_cast<std::size_t>(N);
    return rt::EliminateInPanels({W.data(), n, n}, {V.data(), 1, 1}, n, /*gaussJordan=*/false);
}

// Row i times f, then row k added: every product before any sum, so that a fault is
// raised where the step-by-step elimination raises it (the reference build takes this
// path for every row).
void cMatrix::EliminateRowStepByStep(DoubleArray2D& W, DoubleArray& V, Long k, Long i, Double f) const {
    for (Long j = 1; j <= N; ++j) W(i, j) = Stored(Fp(f) * W(i, j));
    for (Long j = 1; j <= N; ++j) W(i, j) = Stored(Fp(W(k, j)) + W(i, j));
    const Double scaled = Stored(Fp(f) * V(i));
    V(i) = Stored(Fp(V(k)) + scaled);
}

// The same update on plain Doubles into `scratch` (runtime/RowUpdate.h), which
// replaces row i only when every new value is finite. Otherwise row i is left as it
// was, for the step-by-step update to find the fault, if any. False when it did not
// replace the row.
bool cMatrix::EliminateRowAtOnce(DoubleArray2D& W, DoubleArray& V, Long k, Long i, Double f,
                                 DoubleArray& scratch) const {
    const auto n = static_cast<std::size_t>(N);
    Double* const rowI = W.data() + static_cast<std::size_t>(i - 1) * n;
    const Double* const rowK = W.data() + static_cast<std::size_t>(k - 1) * n;
    Double v = 0.0;
    if (!rt::PlainRowUpdate(rowK, rowI, f, n, scratch.data()) || !rt::PlainRowUpdate(&V(k), &V(i), f, 1, &v)) {
        return false;
    }
    std::copy(scratch.begin(), scratch.end(), rowI);
    V(i) = v;
    return true;
}

// A zero on the diagonal means dependent equations: x(i) stays 0.0, the result is
// False (its reason names the lowest such row), and the remaining rows are still
// worked through.
bool cMatrix::SubstituteBack(const DoubleArray2D& W, const DoubleArray& V, DoubleArray& x) const {
    bool ok = true;
    for (Long i = N; i >= 1; --i) {
        Double s = 0.0;
        for (Long j = N; j >= i + 1; --j) s = Stored(Fp(x(j)) * W(i, j) + s);
        if (W(i, i) == 0.0) {
            ok = RefuseDependent(i);
        } else {
            x(i) = Stored((Fp(V(i)) - s) / W(i, i));
        }
    }
    return ok;
}

// The False of ArrangeRows: a column or an equation of zeros when there is one, else
// the general rule that no order of the rows avoids a zero on the diagonal.
bool cMatrix::RefuseRowOrder() const {
    rt::MessageText<> text;
    for (Long j = 1; j <= N; ++j) {
        Long i = 1;
        while (i <= N && A(i, j) == 0.0) ++i;
        if (i > N) {
            text << "column " << j << " is 0 in every equation, so no order of the " << N << " equations puts a "
                 << "non-zero on the diagonal: the equations are dependent, or an AddToMatrix call is missing";
            return rt::RecordFalse(FalseReason::NoRowOrder, "cMatrix.Calc", text.c_str());
        }
    }
    for (Long i = 1; i <= N; ++i) {
        Long j = 1;
        while (j <= N && A(i, j) == 0.0) ++j;
        if (j > N) {
            text << "equation " << i << " has 0 for every coefficient, so no order of the " << N << " equations "
                 << "puts a non-zero on the diagonal: the equations are dependent, or an AddToMatrix call is missing";
            return rt::RecordFalse(FalseReason::NoRowOrder, "cMatrix.Calc", text.c_str());
        }
    }
    text << "no order of the " << N << " equations puts a non-zero coefficient on every diagonal position (some k "
         << "columns have non-zeros in fewer than k equations): the equations are dependent, or an AddToMatrix call "
         << "is missing";
    return rt::RecordFalse(FalseReason::NoRowOrder, "cMatrix.Calc", text.c_str());
}

// The False of SubstituteBack at row i of the arranged system.
bool cMatrix::RefuseDependent(Long i) const {
    rt::MessageText<> text;
    text << "after elimination the coefficient on the diagonal of arranged row " << i << " is 0: the " << N
         << " equations are dependent (one is a combination of others) and have no single solution; "
         << "remove the dependent equation or correct its coefficients";
    return rt::RecordFalse(FalseReason::DependentEquations, "cMatrix.Calc", text.c_str());
}

}  // namespace tervanix
