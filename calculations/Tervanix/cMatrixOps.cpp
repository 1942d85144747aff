#include "Tervanix/cMatrixOps.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

#include "Tervanix/runtime/Accumulation.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/Objects.h"
#include "Tervanix/runtime/MatrixTiles.h"
#include "Tervanix/runtime/RowUpdate.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

using rt::Fp;
using rt::Stored;

namespace {

// The one tolerance of the library, used only to find proportional rows.
constexpr Double kProportionalTolerance = 1e-12;

// The step of a For loop with a Long counter: stepping past 2147483647 overflows.
inline Long Next(Long i) { return rt::NextCounter(i); }

// A column count divided by 2.0 and converted to Long: N for the working matrix.
Long HalfOf(Long count) { return rt::ToLong(Stored(Fp(static_cast<Double>(count)) / 2.0)); }

// Whether some row of M (or, with rows false, some column) is 0.0 in every place.
bool HasLineOfZeros(const cMatrix2& M, bool rows) {
    const Long lines = rows ? M.NumRows() : M.NumCols();
    for (Long a = 1; a <= lines; a = Next(a)) {
        bool zero = true;
        const Long length = rows ? M.NumCols() : M.NumRows();
        for (Long b = 1; b <= length && zero; b = Next(b)) zero = (rows ? M.GetData(a, b) : M.GetData(b, a)) == 0.0;
        if (zero) return true;
    }
    return false;
}

// ---- The proportional-rows test when no step can fault ----------------------------

// Whether each of the count values is finite.
bool AllFinite(const Double* values, std::size_t count) {
    bool finite = true;
    for (std::size_t c = 0; c < count; ++c) finite &= std::fabs(values[c]) <= std::numeric_limits<Double>::max();
    return finite;
}

Double LargestMagnitude(const Double* row, std::size_t cols) {
    Double largest = 0.0;
    for (std::size_t c = 0; c < cols; ++c) largest = std::max(largest, std::fabs(row[c]));
    return largest;
}

// Whether no step of the comparison of a row with the finite ratio can fault, every
// element of both rows being finite: each product |q| is at most largest * |ratio|,
// and each quotient |q / r| (taken only where |r| >= the tolerance) at most that over
// the tolerance, since rounding keeps order. When both bounds are finite no product,
// quotient or difference overflows (subtracting 1 from a finite quotient cannot), and
// no operation on finite values with a non-zero divisor is invalid.
bool ComparisonCannotFault(Double largestOfRow, Double ratio) {
    const Double products = largestOfRow * std::fabs(ratio);
    return products <= std::numeric_limits<Double>::max() &&
           products / kProportionalTolerance <= std::numeric_limits<Double>::max();
}

// RowsProportionalStepByStep's answer for rows that ComparisonCannotFault: the same
// values, element by element, up to the first that is beyond the tolerance (the rest
// can change neither the answer nor raise).
bool RowsProportionalWithoutFault(const Double* rowI, const Double* rowK, std::size_t cols, Double ratio) {
    for (std::size_t c = 0; c < cols; ++c) {
        const Double q = rowI[c] * ratio;
        const Double r = rowK[c];
        const Double d = std::fabs(r) >= kProportionalTolerance ? std::fabs(q / r - 1.0) : std::fabs(q);
        if (d > kProportionalTolerance) return false;
    }
    return true;
}

// The step of element (i, j) of the product, through GetData: the step-by-step run.
auto ProductStep(const cMatrix2& a, const cMatrix2& b, Long i, Long j) {
    return [&a, &b, i, j](auto F, Long k, Double s) { return F(b.GetData(k, j)) * a.GetData(i, k) + s; };
}

// row[c] = row[c] * s for every c when every product is finite (then none faulted,
// and each is the step-by-step value); otherwise the row is left as it was, for the
// step-by-step scaling to raise the fault, if any. False when it left the row.
bool ScaleRowAtOnce(Double* row, std::size_t cols, Double s) {
    // No elements only after a failed allocation; differential: unreachable
    if (row == nullptr) return false;
    bool finite = true;
    for (std::size_t c = 0; c < cols; ++c) finite &= std::fabs(row[c] * s) <= std::numeric_limits<Double>::max();
    if (!finite) return false;
    for (std::size_t c = 0; c < cols; ++c) row[c] = row[c] * s;
    return true;
}

// The elimination without row exchanges left a pivot whose reciprocal faults: the
// same FloatingPointFault as the division, with what it means and what to do.
// The pivot is finite (every step before it was tested), so 1 / pivot faults only
// for 0 or a pivot so small that its reciprocal overflows.
[[noreturn]] TERVANIX_COLD_NOINLINE void RaiseSingularPivot(Long row, Double pivot) {
    rt::MessageText<> text;
    text << "the pivot of row " << row << " is " << pivot << " after elimination, and 1 / " << pivot << " raised "
         << (pivot == 0.0 ? "division-by-zero" : "overflow") << ": the matrix is singular or too ill-conditioned for elimination without row exchanges; "
            "cMatrix.Calc arranges rows";
    rt::Raise(ErrorKind::FloatingPointFault, text.c_str());
}

// An overflow while eliminating: the values grew beyond the Double range, as they can
// without row exchanges. The same FloatingPointFault, with why and what to do; any
// other error goes on as it was.
[[noreturn]] TERVANIX_COLD_NOINLINE void RaiseGrowth(const LibraryError& error, Long n) {
    if (error.kind() != ErrorKind::FloatingPointFault || std::strstr(error.message(), "overflow") == nullptr) throw;
    rt::MessageText<> text;
    text << error.message() << " while eliminating the " << n << " x " << n
         << " matrix: with no row exchanges each step scales the other rows by pivot / element, so the values grow "
            "with the size even when well conditioned; use a solver that exchanges rows (partial pivoting)";
    rt::Raise(ErrorKind::FloatingPointFault, text.c_str());
}

}  // namespace

Boolean cMatrixOps::MatrixTrans(const std::shared_ptr<cMatrix2>& Original,
                                std::shared_ptr<cMatrix2>& Transposed) const try {
    Transposed = rt::New<cMatrix2>();
    cMatrix2& transposed = *Transposed;
    const cMatrix2& original = rt::Deref(Original, "Original");
    transposed.NumRows(original.NumCols());
    transposed.NumCols(original.NumRows());
    const Long rows = original.NumRows();
    for (Long i = 1; i <= rows; i = Next(i)) {
        const Long cols = original.NumCols();
        for (Long j = 1; j <= cols; j = Next(j)) transposed.PutData(j, i, original.GetData(i, j));
    }
    return true;
} catch (...) { rt::RethrowFrom("cMatrixOps.MatrixTrans"); }

Boolean cMatrixOps::MatrixMult(const std::shared_ptr<cMatrix2>& A, const std::shared_ptr<cMatrix2>& B,
                               std::shared_ptr<cMatrix2>& AB) const try {
    AB = rt::New<cMatrix2>();
    cMatrix2& ab = *AB;
    const cMatrix2& a = rt::Deref(A, "A");
    const cMatrix2& b = rt::Deref(B, "B");
    if (a.NumCols() != b.NumRows()) return RefuseProduct(a, b);
    ab.NumRows(a.NumRows());
    ab.NumCols(b.NumCols());
    // Each element is s = B(k, j) * A(i, k) + s for k = 1 to NumCols of A, every step
    // stored. Those loops only read, so each is tested once at the end
    // (runtime/Accumulation.h). When AB is neither A nor B, writing an element changes
    // nothing the next one reads, so a whole row of AB is summed at once.
    const bool apart = !rt::kStepByStep && &ab != &a && &ab != &b;
    // No elements only after a failed allocation; differential: unreachable
    if (apart && a.RowElements(1) != nullptr && b.RowElements(1) != nullptr) {
        MultiplyByRows(a, b, ab);
        return true;
    }
    const Long rows = ab.NumRows();
    for (Long i = 1; i <= rows; i = Next(i)) {
        const Long cols = ab.NumCols();
        for (Long j = 1; j <= cols; j = Next(j)) {
            ab.PutData(i, j, rt::StoredAccumulation(1, a.NumCols(), 0.0, ProductStep(a, b, i, j)));
        }
    }
    return true;
} catch (...) { rt::RethrowFrom("cMatrixOps.MatrixMult"); }

// Four rows of AB at a time: their sums run on plain Doubles in tiles of four rows
// and a block of columns (runtime/MatrixTiles.h), each element's own sum from k = 1
// up. Then each element is tested and written in turn, row by row, as the
// element-by-element loop would have done.
void cMatrixOps::MultiplyByRows(const cMatrix2& a, const cMatrix2& b, cMatrix2& ab) const {
    const Long rows = ab.NumRows();
    const Long cols = ab.NumCols();
    const Long inner = a.NumCols();
    const auto width = static_cast<std::size_t>(cols);
    const auto depth = static_cast<std::size_t>(inner);
    constexpr Long kRows = 4;
    std::vector<Double> sums(kRows * width);
    for (Long i = 1; i <= rows; i = rt::Add(i, kRows)) {
        const Long count = std::min(kRows, rows - i + 1);
        rt::PlainProductRows({a.RowElements(i), depth, depth}, static_cast<std::size_t>(count),
                             {b.RowElements(1), width, width}, depth,
                             {sums.data(), width, width});
        for (Long r = 0; r < count; ++r) {
            const Double* const row = sums.data() + static_cast<std::size_t>(r) * width;
            for (Long j = 1; j <= cols; j = Next(j)) {
                ab.PutData(i + r, j, rt::StoredAccumulation(row[j - 1], 1, inner, 0.0, ProductStep(a, b, i + r, j)));
            }
        }
    }
}

Boolean cMatrixOps::MatrixInvert(const std::shared_ptr<cMatrix2>& Original,
                                 std::shared_ptr<cMatrix2>& Inverted) const try {
    Inverted = rt::New<cMatrix2>();
    const cMatrix2& original = rt::Deref(Original, "Original");
    Boolean ok = original.NumRows() == original.NumCols();
    if (ok && HasZeroRow(original)) ok = false;
    if (ok && HasZeroColumn(original)) ok = false;
    if (ok && HasProportionalRows(original)) ok = false;
    if (!ok) return RefuseInverse("cMatrixOps.MatrixInvert", "Original", original);
    std::shared_ptr<cMatrix2> W = BuildAugmented(original);
    try {
        FixZeroDiagonal(*W);
        if (!EliminateInPanels(*W)) {
            // A step faulted (or a value was not finite to begin with): again from the
            // start, a row at a time, to raise the fault where the step-by-step loop does.
            W.reset();
            W = BuildAugmented(original);
            FixZeroDiagonal(*W);
            EliminateColumns(*W);
        }
    } catch (const LibraryError& error) {
        RaiseGrowth(error, original.NumRows());
    }
    NormalizeRows(*W);
    ExtractInverse(*W, Inverted);
    return true;
} catch (...) { rt::RethrowFrom("cMatrixOps.MatrixInvert"); }

Boolean cMatrixOps::SimultEqns(const std::shared_ptr<cMatrix2>& Coeffs, const std::shared_ptr<cMatrix2>& Vector,
                               std::shared_ptr<cMatrix2>& Solution) const try {
    std::shared_ptr<cMatrix2> T = rt::New<cMatrix2>();
    // A missing argument is named as the caller knows it. MatrixInvert fails at once
    // on a missing Coeffs; MatrixMult puts a new matrix into Solution first, then
    // fails on a missing Vector (unless Solution is that same variable).
    rt::Deref(Coeffs, "Coeffs");
    if (!MatrixInvert(Coeffs, T)) return RefuseInverse("cMatrixOps.SimultEqns", "Coeffs", *Coeffs);
    if (!Vector) {
        Solution = rt::New<cMatrix2>();
        rt::Deref(Vector, "Vector");
    }
    if (!MatrixMult(T, Vector, Solution)) {
        return RefuseSizes("cMatrixOps.SimultEqns", "Coeffs", T->NumCols(), "Vector", Vector->NumRows());
    }
    return true;
} catch (...) { rt::RethrowFrom("cMatrixOps.SimultEqns"); }

// The False of a product: the left matrix's columns against the right one's rows.
bool cMatrixOps::RefuseSizes(const char* where, const char* left, Long columns, const char* right,
                                Long rows) const {
    rt::MessageText<> text;
    text << left << " has " << columns << " columns and " << right << " has " << rows << " rows; the product needs "
         << "one row of " << right << " for each column of " << left << ": give " << right << ' ' << columns
         << " rows";
    return rt::RecordFalse(FalseReason::SizesDoNotMatch, where, text.c_str());
}

bool cMatrixOps::RefuseProduct(const cMatrix2& a, const cMatrix2& b) const {
    return RefuseSizes("cMatrixOps.MatrixMult", "A", a.NumCols(), "B", b.NumRows());
}

// The False of MatrixInvert's screening, asked again in its order: square, no row of
// zeros, no column of zeros, no two proportional rows. Every question was answered
// before without an error, so none raises now.
bool cMatrixOps::RefuseInverse(const char* where, const char* argument, const cMatrix2& M) const {
    rt::MessageText<> text;
    const Long rows = M.NumRows(), cols = M.NumCols();
    if (rows != cols) {
        text << argument << " has " << rows << " rows and " << cols << " columns; only a square matrix has an "
             << "inverse: give it as many rows as columns";
        return rt::RecordFalse(FalseReason::NotSquare, where, text.c_str());
    }
    for (Long i = 1; i <= rows; ++i) {
        Long j = 1;
        while (j <= cols && M.GetData(i, j) == 0.0) ++j;
        if (j > cols) {
            text << "row " << i << " of " << argument << " is 0 in every column: the matrix has no inverse";
            return rt::RecordFalse(FalseReason::ZeroRow, where, text.c_str());
        }
    }
    for (Long j = 1; j <= cols; ++j) {
        Long i = 1;
        while (i <= rows && M.GetData(i, j) == 0.0) ++i;
        if (i > rows) {
            text << "column " << j << " of " << argument << " is 0 in every row: the matrix has no inverse";
            return rt::RecordFalse(FalseReason::ZeroColumn, where, text.c_str());
        }
    }
    for (Long i = 1; i <= rows; ++i) {
        Long j = 1;
        while (M.GetData(i, j) == 0.0) ++j;
        for (Long k = i + 1; k <= rows; ++k) {
            const Double ratio = Stored(Fp(M.GetData(k, j)) / M.GetData(i, j));
            if (!RowsProportionalStepByStep(M, i, k, ratio)) continue;
            text << "rows " << i << " and " << k << " of " << argument << " are proportional (row " << k
                 << " is row " << i << " times " << ratio << ", within " << kProportionalTolerance
                 << "): the matrix has no inverse";
            return rt::RecordFalse(FalseReason::ProportionalRows, where, text.c_str());
        }
    }
    return false;  // not reached: the screening found a broken rule
}

bool cMatrixOps::HasZeroRow(const cMatrix2& M) const {
    return HasLineOfZeros(M, /*rows=*/true);
}

bool cMatrixOps::HasZeroColumn(const cMatrix2& M) const {
    return HasLineOfZeros(M, /*rows=*/false);
}

// When every element of M is finite, a pair of rows whose comparison cannot fault
// (ComparisonCannotFault) stops at its first element beyond the tolerance; every other
// pair, and every pair in the reference build, is compared element by element.
bool cMatrixOps::HasProportionalRows(const cMatrix2& M) const {
    bool found = false;
    const Long rows = M.NumRows();
    const auto cols = static_cast<std::size_t>(M.NumCols());
    const Double* const elements = M.RowElements(1);
    // No elements only after a failed allocation; differential: unreachable
    const bool finite = !rt::kStepByStep && elements != nullptr &&
                        AllFinite(elements, static_cast<std::size_t>(rows) * cols);
    for (Long i = 1; i <= rows; i = Next(i)) {
        Long j = 1;  // the first non-zero column of row i: HasZeroRow has made sure there is one
        while (M.GetData(i, j) == 0.0) j = Next(j);
        const Double largest = finite ? LargestMagnitude(M.RowElements(i), cols) : 0.0;
        const Long others = M.NumRows();
        for (Long k = Next(i); k <= others; k = Next(k)) {
            // Every pair is compared, even after one was found: a later pair may still fault.
            const Double ratio = Stored(Fp(M.GetData(k, j)) / M.GetData(i, j));
            if (!rt::kStepByStep && finite && ComparisonCannotFault(largest, ratio)) {
                if (RowsProportionalWithoutFault(M.RowElements(i), M.RowElements(k), cols, ratio)) found = true;
                continue;
            }
            const int atOnce = rt::kStepByStep ? -1 : RowsProportionalAtOnce(M, i, k, ratio);
            if (atOnce == 1 || (atOnce < 0 && RowsProportionalStepByStep(M, i, k, ratio))) found = true;
        }
    }
    return found;
}

// Whether row k is row i times ratio, element by element within the tolerance, each
// value stored.
bool cMatrixOps::RowsProportionalStepByStep(const cMatrix2& M, Long i, Long k, Double ratio) const {
    bool proportional = true;
    const Long cols = M.NumCols();
    for (Long c = 1; c <= cols; c = Next(c)) {
        const Double q = Stored(Fp(M.GetData(i, c)) * ratio);
        const Double r = M.GetData(k, c);
        const Double d = std::fabs(r) >= kProportionalTolerance ? std::fabs(Stored(Fp(q) / r - 1.0)) : std::fabs(q);
        if (d > kProportionalTolerance) proportional = false;
    }
    return proportional;
}

// The same comparison on plain Doubles: 1 or 0 when every value it computed is finite
// (then none of them faulted, and the answer is the step-by-step one), -1 otherwise,
// for the step-by-step comparison to find the fault, if any. Each element's
// difference d is |q| or |q / r - 1|, and a q that is not finite leaves q / r - 1 not
// finite too, so the sum of the d is finite only when every value is (a sum that
// overflows merely sends the pair the step-by-step way).
int cMatrixOps::RowsProportionalAtOnce(const cMatrix2& M, Long i, Long k, Double ratio) const {
    const Double* const rowI = M.RowElements(i);
    const Double* const rowK = M.RowElements(k);
    // No elements only after a failed allocation; differential: unreachable
    if (rowI == nullptr) return -1;
    const auto cols = static_cast<std::size_t>(M.NumCols());
    bool proportional = true;
    Double sum = 0.0;
    for (std::size_t c = 0; c < cols; ++c) {
        const Double q = rowI[c] * ratio;
        const Double r = rowK[c];
        const Double d = std::fabs(r) >= kProportionalTolerance ? std::fabs(q / r - 1.0) : std::fabs(q);
        sum += d;
        if (d > kProportionalTolerance) proportional = false;
    }
    if (!std::isfinite(sum)) return -1;
    return proportional ? 1 : 0;
}

std::shared_ptr<cMatrix2> cMatrixOps::BuildAugmented(const cMatrix2& Original) const {
    std::shared_ptr<cMatrix2> W = rt::New<cMatrix2>();
    W->NumRows(Original.NumRows());
    W->NumCols(rt::Mul(Long{2}, Original.NumCols()));
    const Long rows = Original.NumRows();
    for (Long i = 1; i <= rows; i = Next(i)) {
        const Long cols = Original.NumCols();
        for (Long j = 1; j <= cols; j = Next(j)) W->PutData(i, j, Original.GetData(i, j));
    }
    const Long n = W->NumRows();
    for (Long i = 1; i <= n; i = Next(i)) W->PutData(i, rt::Add(W->NumRows(), i), 1.0);
    return W;
}

void cMatrixOps::FixZeroDiagonal(cMatrix2& W) const {
    const Long h = HalfOf(W.NumCols());
    for (Long p = 1; p <= h; p = Next(p)) {
        if (W.GetData(p, p) != 0.0) continue;
        // The first row with a non-zero in column p: no column of the original is all
        // zeros, and adding one row to another never makes a column all zeros.
        Long k = 1;
        while (W.GetData(k, p) == 0.0) k = Next(k);
        const Long cols = W.NumCols();
        for (Long c = 1; c <= cols; c = Next(c)) W.PutData(p, c, Stored(Fp(W.GetData(p, c)) + W.GetData(k, c)));
    }
}

void cMatrixOps::EliminateColumns(cMatrix2& W) const {
    const Long h = HalfOf(W.NumCols());
    std::vector<Double> updated;  // a row's new values, before they replace it
    for (Long p = 1; p <= h; p = Next(p)) {
        const Long rows = W.NumRows();
        for (Long r = 1; r <= rows; r = Next(r)) {
            if (r == p || W.GetData(r, p) == 0.0) continue;
            // The pivot is not tested: a pivot of 0.0 makes f zero and row r a copy of
            // row p, which NormalizeRows then meets as a zero on the diagonal.
            const Double f = Stored(Fp(W.GetData(p, p)) * -1.0 / W.GetData(r, p));
            if constexpr (rt::kStepByStep) {
                UpdateRowStepByStep(W, p, r, f);
            } else if (!UpdateRowAtOnce(W, p, r, f, updated)) {
                UpdateRowStepByStep(W, p, r, f);
            }
        }
    }
}

// EliminateColumns eight pivots at a time (runtime/MatrixTiles.h): true when no
// step faulted and W holds the values of the step-by-step elimination; false, with W
// partly updated, otherwise and always in the reference build.
bool cMatrixOps::EliminateInPanels(cMatrix2& W) const {
    if constexpr (rt::kStepByStep) return false;
    Double* const elements = W.RowElements(1);
    const Long h = HalfOf(W.NumCols());
    // W has N rows and 2N columns, and elements unless an allocation failed; differential: unreachable
    if (elements == nullptr || h != W.NumRows()) return false;
    const auto cols = static_cast<std::size_t>(W.NumCols());
    return rt::EliminateInPanels({elements, cols, cols}, {nullptr, 0, 0}, static_cast<std::size_t>(h),
                                 /*gaussJordan=*/true);
}

// Row r becomes row p plus row r times f, element by element, each product and each
// sum stored.
void cMatrixOps::UpdateRowStepByStep(cMatrix2& W, Long p, Long r, Double f) const {
    const Long cols = W.NumCols();
    for (Long c = 1; c <= cols; c = Next(c)) {
        const Double t = Stored(Fp(W.GetData(r, c)) * f);
        W.PutData(r, c, Stored(Fp(W.GetData(p, c)) + t));
    }
}

// The same update on plain Doubles into `updated` (runtime/RowUpdate.h), which
// replaces row r only when every new value is finite. Otherwise row r is left as it
// was, for the step-by-step update to find the fault, if any. False when it did not
// replace the row.
bool cMatrixOps::UpdateRowAtOnce(cMatrix2& W, Long p, Long r, Double f, std::vector<Double>& updated) const {
    Double* const rowR = W.RowElements(r);
    const Double* const rowP = W.RowElements(p);
    // No elements only after a failed allocation; differential: unreachable
    if (rowR == nullptr) return false;
    const auto cols = static_cast<std::size_t>(W.NumCols());
    updated.resize(cols);
    const bool finite = rt::PlainRowUpdate(rowP, rowR, f, cols, updated.data());
    if (finite) std::copy(updated.begin(), updated.end(), rowR);
    return finite;
}

void cMatrixOps::NormalizeRows(cMatrix2& W) const {
    const Long rows = W.NumRows();
    for (Long r = 1; r <= rows; r = Next(r)) {
        const Double pivot = W.GetData(r, r);
        const Fp reciprocal = Fp(1.0) / pivot;  // a pivot of 0.0, or one too small, faults here
        if (TERVANIX_UNLIKELY(reciprocal.faults() != rt::kNoFault)) RaiseSingularPivot(r, pivot);
        const Double s = reciprocal.value();
        const Long cols = W.NumCols();
        if (!rt::kStepByStep && ScaleRowAtOnce(W.RowElements(r), static_cast<std::size_t>(cols), s)) continue;
        for (Long c = 1; c <= cols; c = Next(c)) W.PutData(r, c, Stored(Fp(W.GetData(r, c)) * s));
    }
}

void cMatrixOps::ExtractInverse(const cMatrix2& W, std::shared_ptr<cMatrix2>& Inverted) const {
    Inverted = rt::New<cMatrix2>();
    cMatrix2& inverted = *Inverted;
    inverted.NumRows(W.NumRows());
    inverted.NumCols(HalfOf(W.NumCols()));
    const Long rows = inverted.NumRows();
    // Column c of the inverse is column N + c of W, N + c computed as NumCols / 2 + c,
    // which lies inside W and inside the Long range for every c: no statement of the
    // loop can raise, so the normal build copies the right half of each row at once.
    // W has at least one row, and elements unless an allocation failed; differential: unreachable
    if (!rt::kStepByStep && rows >= 1 && W.RowElements(1) != nullptr) {
        const auto half = static_cast<std::size_t>(inverted.NumCols());
        for (Long r = 1; r <= rows; r = Next(r)) {
            const Double* const from = W.RowElements(r) + half;
            std::copy(from, from + half, inverted.RowElements(r));
        }
        return;
    }
    for (Long r = 1; r <= rows; r = Next(r)) {
        const Long cols = inverted.NumCols();
        for (Long c = 1; c <= cols; c = Next(c)) {
            const Long m = rt::ToLong(Stored(Fp(static_cast<Double>(W.NumCols())) / 2.0 + static_cast<Double>(c)));
            inverted.PutData(r, c, W.GetData(r, m));
        }
    }
}

}  // namespace tervanix
