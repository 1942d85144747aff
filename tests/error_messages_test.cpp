// The messages a caller meets: each names the method the host called, the kind, what
// the caller did and what to do, with the same text from every compiler.
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <Tervanix/Tervanix.h>
#include <Tervanix/runtime/WholeNumbers.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

TEST(ErrorMessages, SayWhereWhatAndWhatToDo) {
    const cGenUtil util;
    const cMatrixOps ops;
    const CInterpolation interpolation;
    std::shared_ptr<cMatrix2> none, result;
    // Its elimination leaves a zero on the diagonal, which the normalisation divides by.
    const auto singular = MatrixOf({{1, 1, 0}, {1, 1, 1}, {0, 1, 1}});
    Double out = 0;

    const TextRow<void> table[] = {
        {"AddToMatrix before MatrixSize", [] { cMatrix().AddToMatrix(1, 1, 2.0); },
         "cMatrix.AddToMatrix: SubscriptOutOfRange: the size must be set first: call MatrixSize with the number "
         "of equations, 1 or more"},
        {"MatrixSize(0)", [] { cMatrix().MatrixSize(0); },
         "cMatrix.MatrixSize: SubscriptOutOfRange: the size must be at least 1, the number of equations; "
         "MatrixSize was given 0"},
        {"subscripts checked first to last", [] { cMatrix m; m.MatrixSize(2); m.AddToMatrix(0, 0, 1.0); },
         "cMatrix.AddToMatrix: SubscriptOutOfRange: row 0 lies outside 1 to 2, the rows of the system MatrixSize set: "
         "pass a row from 1 to 2"},
        {"a table ending at 32767",
         [&] {
             DoubleArray x(32765, {1.0, 2.0, 3.0}), y(32765, {1.0, 2.0, 3.0});
             interpolation.InterpolationOf1DArray(2.5, x, y, EXTRAPOLATE_LINEARLY, out);
         },
         "CInterpolation.InterpolationOf1DArray: OverflowError: dXArray, with bounds 32765 to 32767, is too long "
         "for Integer positions: the scan starts one position above the last, beyond 32767; end the table at "
         "position 32766 or below"},
        {"a bound of 40000",
         [&] {
             DoubleArray x(1, 40000), y(1, 40000);
             interpolation.InterpolationOf1DArray(2.5, x, y, EXTRAPOLATE_LINEARLY, out);
         },
         "CInterpolation.InterpolationOf1DArray: OverflowError: the upper bound 40000 of dXArray lies outside the "
         "Integer positions -32768 to 32767 that the array is read with; give dXArray bounds within them"},
        {"a zero pivot, met inside MatrixInvert", [&] { ops.SimultEqns(singular, singular, result); },
         "cMatrixOps.SimultEqns: FloatingPointFault: the pivot of row 1 is 0 after elimination, and 1 / 0 raised "
         "division-by-zero: the matrix is singular or too ill-conditioned for elimination without row exchanges; "
         "cMatrix.Calc arranges rows"},
        {"no memory for an array", [] { DoubleArray2D huge(1, 2147483647, 1, 2147483647); },
         "OutOfMemory: the array's size exceeds the address space"},
        {"inf + -inf", [&] { util.Avg(kInf, -kInf); }, "cGenUtil.Avg: FloatingPointFault: inf + -inf raised invalid-operation"},
        {"two products overflow: the same one is named on every build", [] { cGeom().Distance2D(0, 0, 1e200, 3e200); },
         "cGeom.Distance2D: FloatingPointFault: 1e+200 * 1e+200 raised overflow"},
        {"a function", [] { Double x = 0, y = 0; cGeom().PolarToCart(1, kInf, x, y); },
         "cGeom.PolarToCart: FloatingPointFault: Cos(inf) raised invalid-operation"},
        {"no Coeffs", [&] { ops.SimultEqns(none, singular, result); },
         "cMatrixOps.SimultEqns: MissingObject: Coeffs refers to no object; pass a variable that holds one"},
        {"no Vector", [&] { ops.SimultEqns(MatrixOf({{2, 0, 0}, {0, 2, 0}, {0, 0, 2}}), none, result); },
         "cMatrixOps.SimultEqns: MissingObject: Vector refers to no object; pass a variable that holds one"},
        {"vXData without an array", [] { Variant x, y; CSort().BubbleSortXYPairsByX(x, y); },
         "CSort.BubbleSortXYPairsByX: TypeMismatch: vXData holds no array; pass a Variant that holds an array or "
         "refers to one (Variant::RefTo)"},
        {"vYData without an array",
         [] {
             DoubleArray a(1, {2.0, 1.0});
             Variant x = Variant::RefTo(a), y;
             CSort().BubbleSortXYPairsByX(x, y);
         },
         "CSort.BubbleSortXYPairsByX: TypeMismatch: vYData holds no array; pass a Variant that holds an array or "
         "refers to one (Variant::RefTo)"},
        {"a NaN target",
         [&] {
             DoubleArray x(1, {1.0, 2.0, 3.0}), y(1, {1.0, 2.0, 3.0});
             interpolation.InterpolationOf1DArray(kNaN, x, y, EXTRAPOLATE_LINEARLY, out);
         },
         "CInterpolation.InterpolationOf1DArray: SubscriptOutOfRange: the target dXTarget is NaN, which no two "
         "positions of dXArray bracket; pass a number"},
        {"a short Y array",
         [&] {
             DoubleArray x(1, {1.0, 2.0, 3.0}), y(1, {1.0, 2.0});
             interpolation.InterpolationOf1DArray(2.5, x, y, EXTRAPOLATE_LINEARLY, out);
         },
         "CInterpolation.InterpolationOf1DArray: SubscriptOutOfRange: dYArray ends at subscript 2, but dXArray runs "
         "to 3: give dYArray the bounds of dXArray"},
        {"an empty table",
         [&] {
             DoubleArray x(1, 0), y(1, 0);
             interpolation.InterpolationOf1DArray(2.5, x, y, EXTRAPOLATE_LINEARLY, out);
         },
         "CInterpolation.InterpolationOf1DArray: SubscriptOutOfRange: dXArray and dYArray are empty (bounds 1 to "
         "0), and the call reads their elements: give them values"},
        {"an empty X array",
         [&] {
             DoubleArray x(0, -1);
             Integer i1 = 0, i2 = 0;
             Boolean outside = false;
             interpolation.InterpolationIndices(2.5, x, NO_EXTRAPOLATION, i1, i2, out, outside);
         },
         "CInterpolation.InterpolationIndices: SubscriptOutOfRange: dXArray is empty (bounds 0 to -1), and the "
         "call reads its elements: give it values"},
        {"an empty table in a batch",
         [&] {
             DoubleArray x(1, 0), y(1, 0);
             std::vector<Double> at = {1.0}, values(1);
             std::vector<BatchOutcome> outcomes(1);
             InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, at, values, outcomes);
         },
         "InterpolationOf1DArrayBatch: SubscriptOutOfRange: dXArray and dYArray are empty (bounds 1 to 0), and "
         "the call reads their elements: give them values"},
        {"an inverse whose elimination overflows",
         [&] {
             auto a = std::make_shared<cMatrix2>();
             a->NumRows(130);
             a->NumCols(130);
             for (Long i = 1; i <= 130; ++i) {
                 for (Long j = 1; j <= 130; ++j) a->PutData(i, j, (i == j ? 2.0 : 0.0) + 0.01);
             }
             ops.SimultEqns(a, a, result);
         },
         "cMatrixOps.SimultEqns: FloatingPointFault: -2.011107937621762e+307 * -328.0000000000002 raised "
         "overflow while eliminating the 130 x 130 matrix: with no row exchanges each step scales the other "
         "rows by pivot / element, so the values grow with the size even when well conditioned; use a solver "
         "that exchanges rows (partial pivoting)"},
        {"a Y array that starts late",
         [] {
             DoubleArray a(1, {3.0, 2.0, 1.0}), b(2, {1.0, 2.0});
             Variant x = Variant::RefTo(a), y = Variant::RefTo(b);
             CSort().BubbleSortXYPairsByX(x, y);
         },
         "CSort.BubbleSortXYPairsByX: SubscriptOutOfRange: vYData starts at subscript 2, but vXData starts at 1: "
         "give vYData the bounds of vXData"},
        {"an array never given bounds",
         [&] {
             DoubleArray x, y(1, {1.0, 2.0});
             cInterp2().Interp2D(x, y, false, 1.5, out);
         },
         "cInterp2.Interp2D: SubscriptOutOfRange: XValues has never been given bounds; make it with bounds first"},
        {"a loop counter", [] { rt::NextCounter(2147483647); },
         "OverflowError: a loop over 2147483647 elements, rows or columns would step its Long counter past "
         "2147483647, the largest Long; at most 2147483646 can be counted here"},
        {"Log10Sum(-400, -400)", [&] { util.Log10Sum(-400, -400); },
         "cGenUtil.Log10Sum: InvalidArgument: the sum 10^X + 10^Y underflowed to 0 (X = -400, Y = -400), which "
         "has no logarithm; at least one of X and Y must lie above about -323.6"},
        {"LogDBSum(-4000, -4000)", [&] { util.LogDBSum(-4000, -4000); },
         "cGenUtil.LogDBSum: InvalidArgument: the sum 10^(X/10) + 10^(Y/10) underflowed to 0 (X = -4000, Y = "
         "-4000), which has no logarithm; at least one of X and Y must lie above about -3236"},
    };
    ExpectErrorTexts(table);
}

// Each error kind is named in the message as a stream writes it; so are the
// enumerations a host passes, and a value outside them as its number.
TEST(ErrorMessages, EnumerationsPrintTheirNames) {
    std::ostringstream text;
    text << ErrorKind::SubscriptOutOfRange << ' ' << EXTRAPOLATE_FIXEDENDPT << ' ' << NO_EXTRAPOLATION << ' '
         << static_cast<BoundaryCondition>(-1) << ' ' << EXTRAP_LINEARLY << ' ' << static_cast<BoundaryCondition2>(3);
    EXPECT_EQ("SubscriptOutOfRange EXTRAPOLATE_FIXEDENDPT NO_EXTRAPOLATION -1 EXTRAP_LINEARLY 3", text.str());
    EXPECT_STREQ("UnknownBoundaryCondition", ToString(static_cast<BoundaryCondition>(3)));
    EXPECT_STREQ("EXTRAP_FIXEDENDPT", ToString(EXTRAP_FIXEDENDPT));
}

// The handler that names the method passes on what is not the library's own.
TEST(ErrorMessages, AHostsOwnExceptionPassesUnchanged) {
    struct HostError {};
    const rt::MessageSink previous = rt::SetMessageSink([](const String&) { throw HostError{}; });
    EXPECT_THROW(cMatrix().HelpForProgrammer(), HostError);
    rt::SetMessageSink(previous);
}

}  // namespace
}  // namespace tervanix
