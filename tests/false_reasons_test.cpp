// Why a method returned False: a row per reason, each with the code and the whole
// text that LastFalseReason() gives, the same from every compiler.
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <Tervanix/Tervanix.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

Boolean Solve(Long n, std::vector<double> coefficients) {
    cMatrix system;
    system.MatrixSize(n);
    for (Long r = 1; r <= n; ++r) {
        for (Long c = 1; c <= n; ++c) system.AddToMatrix(r, c, coefficients[static_cast<std::size_t>((r - 1) * n + c - 1)]);
        system.AddToVector(r, 1.0);
    }
    std::shared_ptr<Collection> solution;
    return system.Calc(solution);
}

TEST(FalseReasons, EveryFalseSaysWhichRuleAndWhatToDo) {
    const CInterpolation interpolation;
    const cInterp2 interp2;
    const cGeom geom;
    const cMatrixOps ops;
    Double out = 0, m = 0, b = 0;
    Integer n = 0;
    std::shared_ptr<cMatrix2> result;
    const DoubleArray grid(1, {1.0, 2.0, 3.0}), rows(1, {1.0, 2.0});

    // Each row is named by the code it expects, as ToString and operator<< write it.
    const TextRow<Boolean> table[] = {
        {"TableNotNumberedFromOne",
         [&] { DoubleArray x(0, {1.0, 2.0}), y(0, {10.0, 20.0}); return interp2.Interp2D(x, y, true, 1.5, out); },
         "cInterp2.Interp2D: XValues starts at subscript 0; Interp2D reads tables numbered from 1: give "
         "XValues and YValues lower bound 1"},
        {"TableSizesDiffer",
         [&] { DoubleArray2D z(1, 2, 1, 3); return interp2.Interp3D(grid, rows, z, true, 1.5, 1.5, out); },
         "cInterp2.Interp3D: XValues ends at 3 and dimension 1 of ZValues at 2; dimension 1 of ZValues runs "
         "along XValues: give it the bounds 1 to 3 (a grid passed transposed breaks this rule)"},
        {"TableTooShort",
         [&] { DoubleArray x(1, {1.0}), y(1, {10.0}); return interp2.Interp2D_Extrap(x, y, EXTRAP_LINEARLY, 1, out); },
         "cInterp2.Interp2D_Extrap: XValues ends at subscript 1; Interp2D_Extrap needs at least 2 points in "
         "XValues: give it the bounds 1 to 2 or more"},
        {"RepeatedX",
         [&] { DoubleArray x(1, {3.0, 1.0, 1.0}), y(1, {1.0, 2.0, 3.0}); return interp2.Interp2D(x, y, true, 2, out); },
         "cInterp2.Interp2D: XValues(1) and XValues(2) are both 1 after sorting by X; Interp2D needs distinct "
         "X values: remove or merge the repeated point"},
        {"NotAscending",
         [&] {
             DoubleArray w(1, {1.0, 2.0}), x(1, {1.0, 3.0, 2.0});
             DoubleArray3D z(1, 2, 1, 3, 1, 2);
             return interp2.Interp4D(w, x, rows, z, true, 1.5, 1.5, 1.5, out);
         },
         "cInterp2.Interp4D: XValues(3), 2, does not exceed XValues(2), 3; Interp4D needs grid values that "
         "rise strictly: order XValues from the lowest value up, with ZValues to match"},
        {"TargetOutsideTable",
         [&] { DoubleArray2D z(1, 3, 1, 2); return interp2.Interp3D(grid, rows, z, false, 2, 9, out); },
         "cInterp2.Interp3D: the target Y, 9, lies above the last value of YValues, 2, and bAllowExtrap is "
         "False: allow extrapolation or extend the table"},
        {"EndXValuesEqual",
         [&] {
             DoubleArray x(1, {1.0, 2.0, 1.0}), y(1, {1.0, 2.0, 3.0});
             return interpolation.InterpolationOf1DArray(0, x, y, EXTRAPOLATE_LINEARLY, out);
         },
         "CInterpolation.InterpolationOf1DArray: dXArray(2) and dXArray(1) are both 1, so the end interval "
         "the target lies beyond has no slope to extrapolate along: give the table two different X values at "
         "that end"},
        {"ValueOutsideRange", [&] { return interpolation.InterpolationRatio(10, 20, 25, out); },
         "CInterpolation.InterpolationRatio: dValue, 25, lies outside dIndex1 to dIndex2, 10 to 20: give a "
         "value between the ends, or extrapolate with LinearExtrapolation1Way"},
        {"RangeWithoutWidth", [&] { return interpolation.InterpolationRatio(10, 10, 10, out); },
         "CInterpolation.InterpolationRatio: dIndex1 and dIndex2 are both 10, so the range from one to the "
         "other has no width to take a fraction of: give two different ends"},
        {"VerticalLine",
         [&] { return interpolation.LinearExtrapolation2Way(0, 0, 1, 1, 0, 4, 0, 4, 1, 1, 3, 0.5, out); },
         "CInterpolation.LinearExtrapolation2Way: dX21 and dX22 are both 4: the line through the two points "
         "is vertical and has no slope; give two points with different x"},
        {"NotANumber", [&] { return geom.Line2D(kNaN, 2, 1, 6, m, b); },
         "cGeom.Line2D: x1 and x2 are nan and 1; a NaN gives no slope: pass numbers"},
        {"NotANumber",
         [&] {
             DoubleArray x(1, {1.0, 2.0, 4.0}), y(1, {10.0, 20.0, 40.0});
             return interpolation.InterpolationOf1DArray(kNaN, x, y, NO_EXTRAPOLATION, out);
         },
         "CInterpolation.InterpolationOf1DArray: the target dXTarget is NaN, which lies neither inside dXArray's "
         "range nor beyond either end, so no eExtrapolationType gives it a value: pass a number"},
        {"NotBinaryText", [&] { return cGenUtil().BinToInt(u"101", n); },
         "cGenUtil.BinToInt: sBin has 3 characters; BinToInt reads exactly 16 characters \"0\" and \"1\", the "
         "first weighing -2^15: give the text in that form"},
        {"ParallelPlanes",
         [&] {
             Double p[6];
             return geom.Intersect2Planes(1, 2, 3, 4, 2, 4, 6, 1, p[0], p[1], p[2], p[3], p[4], p[5]);
         },
         "cGeom.Intersect2Planes: the normals (a1, b1, c1) and (a2, b2, c2) have a zero cross product: the "
         "planes are parallel (or a normal is zero) and share no single line; give planes with normals that "
         "are not multiples of each other"},
        {"NoSinglePoint", [&] { return geom.Intersect3Planes(1, 0, 0, -1, 2, 0, 0, -2, 0, 0, 1, -3, out, m, b); },
         "cGeom.Intersect3Planes: the triple product (a1, b1, c1) . ((a2, b2, c2) x (a3, b3, c3)) of the "
         "normals is 0: two of the planes are parallel or all three share a line, so they meet in no single "
         "point; give three independent normals"},
        {"NotSquare", [&] { return ops.MatrixInvert(MatrixOf({{1, 2, 3}, {4, 5, 6}}), result); },
         "cMatrixOps.MatrixInvert: Original has 2 rows and 3 columns; only a square matrix has an inverse: "
         "give it as many rows as columns"},
        {"ZeroRow", [&] { return ops.SimultEqns(MatrixOf({{1, 2}, {0, 0}}), MatrixOf({{1}, {1}}), result); },
         "cMatrixOps.SimultEqns: row 2 of Coeffs is 0 in every column: the matrix has no inverse"},
        {"ZeroColumn", [&] { return ops.MatrixInvert(MatrixOf({{0, 2}, {0, 3}}), result); },
         "cMatrixOps.MatrixInvert: column 1 of Original is 0 in every row: the matrix has no inverse"},
        {"ProportionalRows", [&] { return ops.MatrixInvert(MatrixOf({{1, 2, 3}, {0, 1, 4}, {2, 4, 6}}), result); },
         "cMatrixOps.MatrixInvert: rows 1 and 3 of Original are proportional (row 3 is row 1 times 2, within "
         "1e-12): the matrix has no inverse"},
        {"SizesDoNotMatch",
         [&] { return ops.MatrixMult(MatrixOf({{1, 2, 3}, {4, 5, 6}}), MatrixOf({{1, 0}, {0, 1}}), result); },
         "cMatrixOps.MatrixMult: A has 3 columns and B has 2 rows; the product needs one row of B for each "
         "column of A: give B 3 rows"},
        {"NoRowOrder", [] { return Solve(2, {0, 1, 0, 2}); },
         "cMatrix.Calc: column 1 is 0 in every equation, so no order of the 2 equations puts a non-zero on "
         "the diagonal: the equations are dependent, or an AddToMatrix call is missing"},
        {"DependentEquations", [] { return Solve(2, {1, 2, 2, 4}); },
         "cMatrix.Calc: after elimination the coefficient on the diagonal of arranged row 2 is 0: the 2 "
         "equations are dependent (one is a combination of others) and have no single solution; remove the "
         "dependent equation or correct its coefficients"},
    };
    std::set<std::string> covered;
    for (const TextRow<Boolean>& row : table) {
        EXPECT_FALSE(static_cast<bool>(row.run())) << row.name;
        const FalseExplanation why = LastFalseReason();
        std::ostringstream code;
        code << why.code();
        EXPECT_EQ(row.name, code.str());
        EXPECT_STREQ(row.text, why.text()) << row.name;
        covered.insert(row.name);
    }
    // A row for every reason of the enumeration, None aside: the names, all distinct,
    // stand for the codes.
    std::set<std::string> reasons;
    for (int code = 1; ToString(static_cast<FalseReason>(code)) != std::string("UnknownReason"); ++code) {
        reasons.insert(ToString(static_cast<FalseReason>(code)));
    }
    EXPECT_EQ(reasons, covered);
}

// Per thread, and a True leaves it as it was.
TEST(FalseReasons, BelongToTheThreadAndOutliveATrue) {
    Double out = 0;
    EXPECT_FALSE(static_cast<bool>(CInterpolation().InterpolationRatio(10, 20, 25, out)));
    EXPECT_TRUE(static_cast<bool>(CInterpolation().InterpolationRatio(10, 20, 15, out)));
    EXPECT_EQ(FalseReason::ValueOutsideRange, LastFalseReason().code());
    std::thread([] { EXPECT_EQ(FalseReason::None, LastFalseReason().code()); }).join();
}

// The batch gives each target the code that the single call leaves.
TEST(FalseReasons, BatchGivesEachTargetItsReason) {
    DoubleArray x(1, {1.0, 2.0, 4.0}), y(1, {10.0, 20.0, 40.0});
    std::vector<Double> targets = {1.5, 9.0}, results(2);
    std::vector<BatchOutcome> outcomes(2);
    std::vector<FalseReason> reasons(2, FalseReason::RepeatedX);
    Interp2DBatch(x, y, false, targets, results, outcomes, reasons);
    EXPECT_EQ(FalseReason::None, reasons[0]);
    EXPECT_EQ(FalseReason::TargetOutsideTable, reasons[1]);
    DoubleArray2D transposed(1, 2, 1, 3);
    Interp3DBatch(x, DoubleArray(1, {1.0, 2.0}), transposed, true, targets, targets, results, outcomes, reasons);
    EXPECT_EQ(FalseReason::TableSizesDiffer, reasons[0]);
    EXPECT_EQ(FalseReason::TableSizesDiffer, reasons[1]);
    const std::vector<Double> nanAndOutside = {kNaN, 9.0};
    InterpolationOf1DArrayBatch(x, y, NO_EXTRAPOLATION, nanAndOutside, results, outcomes, reasons);
    EXPECT_EQ(FalseReason::NotANumber, reasons[0]);
    EXPECT_EQ(FalseReason::TargetOutsideTable, reasons[1]);
}

// A batch leaves the calling thread's last False as it found it, whatever its
// targets gave and whichever thread looked each up: the reasons are in the span.
TEST(FalseReasons, BatchLeavesTheThreadsLastFalse) {
    Double out = 0;
    EXPECT_FALSE(static_cast<bool>(CInterpolation().InterpolationRatio(10, 20, 25, out)));
    const std::string before = LastFalseReason().text();
    DoubleArray x(1, {1.0, 2.0, 4.0}), y(1, {10.0, 20.0, 40.0});
    std::vector<Double> targets(40000, 9.0), results(targets.size());
    std::vector<BatchOutcome> outcomes(targets.size());
    std::vector<FalseReason> reasons(targets.size());
    for (const unsigned threads : {1u, 2u}) {
        Interp2DBatch(x, y, false, targets, results, outcomes, reasons, BatchOptions{threads});
        EXPECT_EQ(FalseReason::TargetOutsideTable, reasons.back());
        EXPECT_EQ(FalseReason::ValueOutsideRange, LastFalseReason().code());
        EXPECT_EQ(before, LastFalseReason().text());
        DoubleArray unnumbered(0, {1.0, 2.0});
        InterpolationOf1DArrayBatch(unnumbered, y, NO_EXTRAPOLATION, targets, results, outcomes, reasons,
                                    BatchOptions{threads});
        EXPECT_EQ(before, LastFalseReason().text());
    }
}

}  // namespace
}  // namespace tervanix
