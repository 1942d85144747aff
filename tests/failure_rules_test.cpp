// Each documented failure rule, method by method: the error kind it raises and the
// method its message names, and for each False the code of LastFalseReason() and the
// method its text names (a False or an error met inside another public method is
// named after the method the host called).
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <Tervanix/Tervanix.h>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

struct ErrorRow {
    const char* name;
    std::function<void()> run;
    ErrorKind kind;
    const char* method;  // the message begins "<method>: <kind>: "
};

void ExpectErrors(const std::vector<ErrorRow>& rows) {
    for (const ErrorRow& row : rows) {
        try {
            row.run();
            ADD_FAILURE() << row.name << ": no error";
        } catch (const LibraryError& e) {
            EXPECT_STREQ(KindName(row.kind), KindName(e.kind())) << row.name << ": " << e.what();
            const std::string prefix = std::string(row.method) + ": " + KindName(row.kind) + ": ";
            EXPECT_EQ(prefix, std::string(e.what()).substr(0, prefix.size())) << row.name << ": " << e.what();
            // The text says more than the kind: what was wrong.
            EXPECT_GT(std::strlen(e.what()), prefix.size() + 10) << row.name;
        }
    }
}

TEST(FailureRules, cGenUtilRaisesTheDocumentedKinds) {
    const cGenUtil u;
    ExpectErrors({
        {"Avg overflows", [&] { u.Avg(1e308, 1e308); }, ErrorKind::FloatingPointFault, "cGenUtil.Avg"},
        {"Avg of opposite infinities", [&] { u.Avg(-kInf, kInf); }, ErrorKind::FloatingPointFault, "cGenUtil.Avg"},
        {"Log10 of 0", [&] { u.Log10(0); }, ErrorKind::InvalidArgument, "cGenUtil.Log10"},
        {"Log10 of -0", [&] { u.Log10(-0.0); }, ErrorKind::InvalidArgument, "cGenUtil.Log10"},
        {"Log10 of a negative", [&] { u.Log10(-1e-300); }, ErrorKind::InvalidArgument, "cGenUtil.Log10"},
        {"Log10 of -inf", [&] { u.Log10(-kInf); }, ErrorKind::InvalidArgument, "cGenUtil.Log10"},
        {"Log10Sum, 10^X beyond the range", [&] { u.Log10Sum(400, 0); }, ErrorKind::OverflowError, "cGenUtil.Log10Sum"},
        {"Log10Sum, 10^Y beyond the range", [&] { u.Log10Sum(0, 309); }, ErrorKind::OverflowError, "cGenUtil.Log10Sum"},
        {"Log10Sum, the sum beyond the range", [&] { u.Log10Sum(308.2, 308.2); }, ErrorKind::FloatingPointFault,
         "cGenUtil.Log10Sum"},
        {"Log10Sum, both underflow", [&] { u.Log10Sum(-400, -330); }, ErrorKind::InvalidArgument, "cGenUtil.Log10Sum"},
        {"LogDBSum, 10^(X/10) beyond the range", [&] { u.LogDBSum(3090, 0); }, ErrorKind::OverflowError,
         "cGenUtil.LogDBSum"},
        {"LogDBSum, the sum beyond the range", [&] { u.LogDBSum(3082, 3082); }, ErrorKind::FloatingPointFault,
         "cGenUtil.LogDBSum"},
        {"LogDBSum, both underflow", [&] { u.LogDBSum(-4000, -3300); }, ErrorKind::InvalidArgument, "cGenUtil.LogDBSum"},
        {"IsEqualAbs, the difference beyond the range", [&] { u.IsEqualAbs(1e308, -1e308, 1); },
         ErrorKind::OverflowError, "cGenUtil.IsEqualAbs"},
        {"IsEqualAbs, infinities of one sign", [&] { u.IsEqualAbs(kInf, kInf, 1); }, ErrorKind::FloatingPointFault,
         "cGenUtil.IsEqualAbs"},
        {"IsEqualRel, Y = 0", [&] { u.IsEqualRel(1, 0, 0.01); }, ErrorKind::FloatingPointFault, "cGenUtil.IsEqualRel"},
        {"IsEqualRel, Y = -0", [&] { u.IsEqualRel(-1, -0.0, 0.01); }, ErrorKind::FloatingPointFault,
         "cGenUtil.IsEqualRel"},
        {"IsEqualRel, 0 / 0", [&] { u.IsEqualRel(0, 0, 0.01); }, ErrorKind::FloatingPointFault, "cGenUtil.IsEqualRel"},
        {"IsEqualRel, X - Y overflows", [&] { u.IsEqualRel(1e308, -1e308, 1); }, ErrorKind::FloatingPointFault,
         "cGenUtil.IsEqualRel"},
    });
}

// Unordered comparisons are True, and the edges of each tolerance are included.
TEST(FailureRules, cGenUtilToleranceEdgesAndUnorderedAnswers) {
    const cGenUtil u;
    const struct {
        const char* name;
        bool abs;
        double x, y, tol;
        bool expected;
    } rows[] = {
        {"abs: a NaN X", true, kNaN, 1, 0, true},
        {"abs: a NaN tol", true, 1, 5, kNaN, true},
        {"abs: the difference equals tol", true, 1, 1.25, 0.25, true},
        {"abs: just beyond", true, 1, 1.2500000000000002, 0.25, false},
        {"abs: a negative tol", true, 1, 1, -0.0000001, false},
        {"abs: zero tol, equal", true, -0.0, 0.0, 0, true},
        {"abs: an infinity beside a number", true, kInf, 1, 1e308, false},
        {"rel: a NaN Y", false, 1, kNaN, 1, true},
        {"rel: a NaN tol", false, 1, 2, kNaN, true},
        {"rel: relative to Y, not X (101 vs 100)", false, 101, 100, 0.01, true},
        {"rel: relative to Y, not X (100 vs 101)", false, 100, 101, 0.0099, false},
        {"rel: equal, tol 0", false, 3, 3, 0, true},
        {"rel: an infinite X", false, kInf, 1, 1e308, false},
    };
    for (const auto& r : rows) {
        const bool got = static_cast<bool>(r.abs ? u.IsEqualAbs(r.x, r.y, r.tol) : u.IsEqualRel(r.x, r.y, r.tol));
        EXPECT_EQ(r.expected, got) << r.name;
    }
}

TEST(FailureRules, cGeomRaisesTheDocumentedKinds) {
    const cGeom g;
    Double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
    ExpectErrors({
        {"Distance2D, a difference", [&] { g.Distance2D(-1e308, 0, 1e308, 0); }, ErrorKind::FloatingPointFault,
         "cGeom.Distance2D"},
        {"Distance2D, a square, though the root would fit", [&] { g.Distance2D(0, 0, 1e160, 0); },
         ErrorKind::FloatingPointFault, "cGeom.Distance2D"},
        {"Distance3D, the sum of squares", [&] { g.Distance3D(0, 0, 0, 1e154, 1e154, 1e154); },
         ErrorKind::FloatingPointFault, "cGeom.Distance3D"},
        {"Line2D, the slope", [&] { g.Line2D(0, 0, 1e-300, 1e300, a, b); }, ErrorKind::FloatingPointFault, "cGeom.Line2D"},
        {"VectorAdd", [&] { g.VectorAdd(0, 0, kInf, 0, 0, -kInf, a, b, c); }, ErrorKind::FloatingPointFault,
         "cGeom.VectorAdd"},
        {"DotProduct, a product", [&] { g.DotProduct(1e200, 0, 0, 1e200, 0, 0); }, ErrorKind::FloatingPointFault,
         "cGeom.DotProduct"},
        {"DotProduct, the sum", [&] { g.DotProduct(1e154, 1e154, 0, 1e154, 1e154, 0); }, ErrorKind::FloatingPointFault,
         "cGeom.DotProduct"},
        {"DotProduct, inf * 0", [&] { g.DotProduct(kInf, 0, 0, 0, 0, 0); }, ErrorKind::FloatingPointFault,
         "cGeom.DotProduct"},
        {"CrossProduct", [&] { g.CrossProduct(0, 1e200, 0, 0, 0, 1e200, a, b, c); }, ErrorKind::FloatingPointFault,
         "cGeom.CrossProduct"},
        {"PlaneCoeffsFrom3Pts", [&] { g.PlaneCoeffsFrom3Pts(1e300, 0, 0, 1e300, 1e5, 0, 1e300, 0, 1e5, a, b, c, d); },
         ErrorKind::FloatingPointFault, "cGeom.PlaneCoeffsFrom3Pts"},
        {"SurfNormFrom3Pts, its dropped d", [&] { g.SurfNormFrom3Pts(1e300, 0, 0, 1e300, 1e5, 0, 1e300, 0, 1e5, a, b, c); },
         ErrorKind::FloatingPointFault, "cGeom.SurfNormFrom3Pts"},
        {"Intersect2Planes, the direction", [&] { g.Intersect2Planes(0, 1e200, 0, 0, 0, 0, 1e200, 0, a, b, c, d, e, f); },
         ErrorKind::FloatingPointFault, "cGeom.Intersect2Planes"},
        {"Intersect3Planes, the triple product",
         [&] { g.Intersect3Planes(1e200, 0, 0, 1, 0, 1e200, 0, 1, 0, 0, 1e200, 1, a, b, c); },
         ErrorKind::FloatingPointFault, "cGeom.Intersect3Planes"},
        {"CartToPolar, the sum of squares", [&] { g.CartToPolar(1e200, 1, a, b); }, ErrorKind::FloatingPointFault,
         "cGeom.CartToPolar"},
        {"PolarToCart, an infinite angle", [&] { g.PolarToCart(1, -kInf, a, b); }, ErrorKind::FloatingPointFault,
         "cGeom.PolarToCart"},
        {"DegToRad", [&] { g.DegToRad(1e308); }, ErrorKind::FloatingPointFault, "cGeom.DegToRad"},
        {"RadToDeg", [&] { g.RadToDeg(-1e307); }, ErrorKind::FloatingPointFault, "cGeom.RadToDeg"},
        {"InLine2D, a difference of x", [&] { g.InLine2D(-1e308, 0, 1e308, 1, 0, 0, 1); }, ErrorKind::OverflowError,
         "cGeom.InLine2D"},
    });
}

TEST(FailureRules, cGeomInLine2DComparesStrictlyAlongYOrAlongXForAVerticalLine) {
    const cGeom g;
    const struct {
        const char* name;
        double x1, y1, x2, y2, x3, y3, tol;
        bool expected;
    } rows[] = {
        {"on the line", 0, 0, 1, 1, 2, 2, 0.001, true},
        {"tol 0: False even on the line", 0, 0, 1, 1, 2, 2, 0, false},
        {"a negative tol", 0, 0, 1, 1, 2, 2, -1, false},
        {"measured along y, not across", 0, 0, 1, 10, 0.5, 4.95, 0.1, true},
        {"along y, just outside", 0, 0, 1, 10, 0.5, 5.5, 0.5, false},
        {"x values closer than tol: vertical", 5, 0, 5.001, 10, 5.5, 3, 0.01, false},
        {"vertical, within tol along x", 5, 0, 5, 10, 5.005, 300, 0.01, true},
        {"a NaN point", 0, 0, 1, 1, kNaN, 2, 0.5, true},
        {"a NaN tol", 0, 0, 1, 1, 2, 9, kNaN, true},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.expected, static_cast<bool>(g.InLine2D(r.x1, r.y1, r.x2, r.y2, r.x3, r.y3, r.tol))) << r.name;
    }
}

TEST(FailureRules, CInterpolationRaisesTheDocumentedKinds) {
    const CInterpolation ci;
    Double v = 0;
    Integer i1 = 0, i2 = 0;
    Boolean outside = false;
    ExpectErrors({
        {"1Way", [&] { ci.LinearInterpolation1Way(-1e308, 1e308, 0.5); }, ErrorKind::FloatingPointFault,
         "CInterpolation.LinearInterpolation1Way"},
        {"2Way, a step inside it", [&] { ci.LinearInterpolation2Way(-1e308, 0, 1e308, 0, 0.5, 0.5); },
         ErrorKind::FloatingPointFault, "CInterpolation.LinearInterpolation2Way"},
        {"3Way", [&] { ci.LinearInterpolation3Way(0, 0, 0, 0, 0, 0, 0, 0, kInf, 0, 0.5); },
         ErrorKind::FloatingPointFault, "CInterpolation.LinearInterpolation3Way"},
        {"4Way", [&] { ci.LinearInterpolation4Way(kInf, 0, -kInf, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5); },
         ErrorKind::FloatingPointFault, "CInterpolation.LinearInterpolation4Way"},
        {"Ratio", [&] { ci.InterpolationRatio(-1e308, 1e308, 0, v); }, ErrorKind::FloatingPointFault,
         "CInterpolation.InterpolationRatio"},
        {"Extrapolation1Way, the slope", [&] { ci.LinearExtrapolation1Way(0, -1e308, 1, 1e308, 2, v); },
         ErrorKind::FloatingPointFault, "CInterpolation.LinearExtrapolation1Way"},
        {"Extrapolation2Way, inside its 1Way", [&] { ci.LinearExtrapolation2Way(0, -1e308, 1, 1e308, 0, 0, 0, 1, 1, 1, 2, 0.5, v); },
         ErrorKind::FloatingPointFault, "CInterpolation.LinearExtrapolation2Way"},
        {"1DArray, bounds above 32767",
         [&] {
             DoubleArray x(32767, 32768), y(32767, 32768);
             ci.InterpolationOf1DArray(1, x, y, EXTRAPOLATE_LINEARLY, v);
         },
         ErrorKind::OverflowError, "CInterpolation.InterpolationOf1DArray"},
        {"1DArray, without bounds",
         [&] {
             DoubleArray x, y;
             ci.InterpolationOf1DArray(1, x, y, EXTRAPOLATE_LINEARLY, v);
         },
         ErrorKind::SubscriptOutOfRange, "CInterpolation.InterpolationOf1DArray"},
        {"1DArray, Y starting later",
         [&] {
             DoubleArray x(1, {1.0, 2.0, 3.0}), y(2, {1.0, 2.0});
             ci.InterpolationOf1DArray(1.5, x, y, EXTRAPOLATE_LINEARLY, v);
         },
         ErrorKind::SubscriptOutOfRange, "CInterpolation.InterpolationOf1DArray"},
        {"1DArray, a NaN target with the fixed end",
         [&] {
             DoubleArray x(1, {1.0, 2.0}), y(1, {1.0, 2.0});
             ci.InterpolationOf1DArray(kNaN, x, y, EXTRAPOLATE_FIXEDENDPT, v);
         },
         ErrorKind::SubscriptOutOfRange, "CInterpolation.InterpolationOf1DArray"},
        {"1DArray, the extrapolation overflows",
         [&] {
             DoubleArray x(1, {0.0, 1.0}), y(1, {0.0, 1e300});
             ci.InterpolationOf1DArray(1e10, x, y, EXTRAPOLATE_LINEARLY, v);
         },
         ErrorKind::FloatingPointFault, "CInterpolation.InterpolationOf1DArray"},
        {"Indices, bounds below -32768",
         [&] { ci.InterpolationIndices(1, DoubleArray(-32769, -32767), NO_EXTRAPOLATION, i1, i2, v, outside); },
         ErrorKind::OverflowError, "CInterpolation.InterpolationIndices"},
        {"Indices, without bounds",
         [&] { ci.InterpolationIndices(1, DoubleArray(), NO_EXTRAPOLATION, i1, i2, v, outside); },
         ErrorKind::SubscriptOutOfRange, "CInterpolation.InterpolationIndices"},
        {"Indices, a NaN target extrapolating",
         [&] { ci.InterpolationIndices(kNaN, DoubleArray(1, {1.0, 2.0}), EXTRAPOLATE_FIXEDENDPT, i1, i2, v, outside); },
         ErrorKind::SubscriptOutOfRange, "CInterpolation.InterpolationIndices"},
        {"Indices, the fraction",
         [&] { ci.InterpolationIndices(1e308, DoubleArray(1, {-1e308, 0.0}), EXTRAPOLATE_LINEARLY, i1, i2, v, outside); },
         ErrorKind::FloatingPointFault, "CInterpolation.InterpolationIndices"},
    });
}

TEST(FailureRules, CSortAndcInterp2RaiseTheDocumentedKinds) {
    const CSort sorter;
    const cInterp2 interp;
    Double v = 0;
    ExpectErrors({
        {"a number meets a string",
         [&] {
             VariantArray a(1, 3);
             a(1) = Variant(2.0);
             a(2) = Variant(u"b");
             a(3) = Variant(1.0);
             Variant va = Variant::RefTo(a);
             sorter.BubbleSort1DArray(va);
         },
         ErrorKind::TypeMismatch, "CSort.BubbleSort1DArray"},
        {"an empty array",
         [&] {
             Variant va = DoubleArray(1, 0);
             sorter.BubbleSort1DArray(va);
         },
         ErrorKind::SubscriptOutOfRange, "CSort.BubbleSort1DArray"},
        {"Y holds no array at the first exchange",
         [&] {
             Variant vx = DoubleArray(1, {2.0, 1.0}), vy(3.0);
             sorter.BubbleSortXYPairsByX(vx, vy);
         },
         ErrorKind::TypeMismatch, "CSort.BubbleSortXYPairsByX"},
        {"X bounds above the Integer range",
         [&] {
             Variant vx = DoubleArray(32767, {2.0, 1.0}), vy = DoubleArray(32767, {2.0, 1.0});
             sorter.BubbleSortXYPairsByX(vx, vy);
         },
         ErrorKind::OverflowError, "CSort.BubbleSortXYPairsByX"},
        {"Sort, X without bounds",
         [&] {
             DoubleArray x, y(1, {1.0});
             interp.SortXYPairsByX(x, y);
         },
         ErrorKind::SubscriptOutOfRange, "cInterp2.SortXYPairsByX"},
        {"Sort, an empty X",
         [&] {
             DoubleArray x(1, 0), y(1, 0);
             interp.SortXYPairsByX(x, y);
         },
         ErrorKind::SubscriptOutOfRange, "cInterp2.SortXYPairsByX"},
        {"Interp2D, Y without bounds",
         [&] {
             DoubleArray x(1, {1.0, 2.0}), y;
             interp.Interp2D(x, y, true, 1.5, v);
         },
         ErrorKind::SubscriptOutOfRange, "cInterp2.Interp2D"},
        {"Interp2D_Extrap, its sort",
         [&] {
             DoubleArray x(1, {2.0, 1.0}), y;
             interp.Interp2D_Extrap(x, y, EXTRAP_LINEARLY, 1.5, v);
         },
         ErrorKind::SubscriptOutOfRange, "cInterp2.Interp2D_Extrap"},
        {"Interp3D, X without bounds",
         [&] { interp.Interp3D(DoubleArray(), DoubleArray(1, {1.0, 2.0}), DoubleArray2D(1, 2, 1, 2), true, 1, 1, v); },
         ErrorKind::SubscriptOutOfRange, "cInterp2.Interp3D"},
        {"Interp3D, the formula",
         [&] {
             DoubleArray2D z(1, 2, 1, 2);
             z(2, 1) = 1e308;
             z(1, 1) = -1e308;
             interp.Interp3D(DoubleArray(1, {1.0, 2.0}), DoubleArray(1, {1.0, 2.0}), z, true, 1.5, 1, v);
         },
         ErrorKind::FloatingPointFault, "cInterp2.Interp3D"},
        {"Interp4D, W without bounds",
         [&] {
             const DoubleArray g(1, {0.0, 1.0});
             interp.Interp4D(DoubleArray(), g, g, DoubleArray3D(1, 2, 1, 2, 1, 2), true, 0, 0, 0, v);
         },
         ErrorKind::SubscriptOutOfRange, "cInterp2.Interp4D"},
    });
}

TEST(FailureRules, MatrixClassesRaiseTheDocumentedKinds) {
    const cMatrixOps ops;
    std::shared_ptr<cMatrix2> none, out;
    std::shared_ptr<Collection> solution;
    ExpectErrors({
        {"MatrixSize(-3)", [] { cMatrix().MatrixSize(-3); }, ErrorKind::SubscriptOutOfRange, "cMatrix.MatrixSize"},
        {"AddToVector before MatrixSize", [] { cMatrix().AddToVector(1, 1); }, ErrorKind::SubscriptOutOfRange,
         "cMatrix.AddToVector"},
        {"Calc before MatrixSize", [&] { cMatrix().Calc(solution); }, ErrorKind::SubscriptOutOfRange, "cMatrix.Calc"},
        {"Calc's back substitution overflows",
         [&] {
             cMatrix m;
             m.MatrixSize(1);
             m.AddToMatrix(1, 1, 1e-300);
             m.AddToVector(1, 1e300);
             m.Calc(solution);
         },
         ErrorKind::FloatingPointFault, "cMatrix.Calc"},
        {"MatrixMult without A", [&] { ops.MatrixMult(none, MatrixOf({{1}}), out); }, ErrorKind::MissingObject,
         "cMatrixOps.MatrixMult"},
        {"SimultEqns without Vector, Coeffs invertible", [&] { ops.SimultEqns(MatrixOf({{2}}), none, out); },
         ErrorKind::MissingObject, "cMatrixOps.SimultEqns"},
        {"MatrixMult's sum", [&] { ops.MatrixMult(MatrixOf({{1e300, 1e300}}), MatrixOf({{1e10}, {1}}), out); },
         ErrorKind::FloatingPointFault, "cMatrixOps.MatrixMult"},
        {"MatrixInvert, a zero pivot after the screening",
         [&] { ops.MatrixInvert(MatrixOf({{1, 1, 0}, {1, 1, 1}, {0, 1, 1}}), out); }, ErrorKind::FloatingPointFault,
         "cMatrixOps.MatrixInvert"},
        {"SimultEqns, the product of inverse and Vector",
         [&] { ops.SimultEqns(MatrixOf({{1e-300}}), MatrixOf({{1e300}}), out); }, ErrorKind::FloatingPointFault,
         "cMatrixOps.SimultEqns"},
    });
}

// Each False through each method that has the rule: its code, and a text that names
// the method the host called, also when the False came from another public method.
TEST(FailureRules, EveryFalseNamesTheCalledMethodAndItsRule) {
    const CInterpolation ci;
    const cInterp2 interp;
    const cGeom geom;
    const cMatrixOps ops;
    const cGenUtil util;
    Double v = 0, a = 0, b = 0;
    Integer i1 = 0, i2 = 0, n = 0;
    Long l = 0;
    Boolean outside = false;
    std::shared_ptr<cMatrix2> out;
    const DoubleArray g(1, {0.0, 1.0});
    const struct {
        std::function<Boolean()> run;
        FalseReason code;
        const char* method;
    } rows[] = {
        {[&] { return ci.LinearExtrapolation1Way(2, 0, 2, 1, 3, v); }, FalseReason::VerticalLine,
         "CInterpolation.LinearExtrapolation1Way"},
        {[&] { return ci.LinearExtrapolation2Way(0, 0, 1, 1, 0, 0, 0, 1, 1, 1, 2, 3, v); }, FalseReason::ValueOutsideRange,
         "CInterpolation.LinearExtrapolation2Way"},
        {[&] { return ci.LinearExtrapolation2Way(0, 0, 1, 1, 4, 0, 0, 1, 1, 4, 2, 4, v); }, FalseReason::RangeWithoutWidth,
         "CInterpolation.LinearExtrapolation2Way"},
        {[&] { return ci.InterpolationIndices(5, DoubleArray(1, {1.0, 2.0}), NO_EXTRAPOLATION, i1, i2, v, outside); },
         FalseReason::TargetOutsideTable, "CInterpolation.InterpolationIndices"},
        {[&] { return ci.InterpolationIndices(kNaN, DoubleArray(1, {1.0, 2.0}), NO_EXTRAPOLATION, i1, i2, v, outside); },
         FalseReason::NotANumber, "CInterpolation.InterpolationIndices"},
        {[&] {
             DoubleArray x(1, {1.0, 2.0}), y(1, {1.0, 2.0});
             return ci.InterpolationOf1DArray(-5, x, y, NO_EXTRAPOLATION, v);
         },
         FalseReason::TargetOutsideTable, "CInterpolation.InterpolationOf1DArray"},
        {[&] { return geom.Line2D(3, 1, 3, 2, a, b); }, FalseReason::VerticalLine, "cGeom.Line2D"},
        {[&] { return geom.Line2D(1, 1, kNaN, 2, a, b); }, FalseReason::NotANumber, "cGeom.Line2D"},
        {[&] { return util.BinToLong(u"1", l); }, FalseReason::NotBinaryText, "cGenUtil.BinToLong"},
        {[&] { return util.BinToInt(u"000000000000000x", n); }, FalseReason::NotBinaryText, "cGenUtil.BinToInt"},
        {[&] {
             DoubleArray x(1, {1.0}), y(1, {1.0});
             return interp.Interp2D(x, y, true, 1, v);
         },
         FalseReason::TableTooShort, "cInterp2.Interp2D"},
        {[&] {
             DoubleArray x(1, {1.0, 2.0}), y(1, {1.0, 2.0});
             return interp.Interp2D_Extrap(x, y, EXTRAP_NO, 9, v);
         },
         FalseReason::TargetOutsideTable, "cInterp2.Interp2D_Extrap"},
        {[&] {
             DoubleArray x(1, {2.0, 2.0}), y(1, {1.0, 2.0});
             return interp.Interp2D_Extrap(x, y, EXTRAP_FIXEDENDPT, 9, v);
         },
         FalseReason::RepeatedX, "cInterp2.Interp2D_Extrap"},
        {[&] { return interp.Interp3D(DoubleArray(1, {1.0}), g, DoubleArray2D(1, 1, 1, 2), true, 1, 0.5, v); },
         FalseReason::TableTooShort, "cInterp2.Interp3D"},
        {[&] { return interp.Interp3D(g, DoubleArray(1, {1.0, 1.0}), DoubleArray2D(1, 2, 1, 2), true, 0.5, 1, v); },
         FalseReason::NotAscending, "cInterp2.Interp3D"},
        {[&] { return interp.Interp4D(DoubleArray(2, {0.0, 1.0}), g, g, DoubleArray3D(1, 2, 1, 2, 1, 2), true, 0, 0, 0, v); },
         FalseReason::TableNotNumberedFromOne, "cInterp2.Interp4D"},
        {[&] { return interp.Interp4D(g, g, g, DoubleArray3D(1, 2, 1, 2, 1, 2), false, -0.5, 0, 0, v); },
         FalseReason::TargetOutsideTable, "cInterp2.Interp4D"},
        {[&] { return ops.SimultEqns(MatrixOf({{1, 2, 3}}), MatrixOf({{1}}), out); }, FalseReason::NotSquare,
         "cMatrixOps.SimultEqns"},
        {[&] { return ops.SimultEqns(MatrixOf({{1, 0}, {2, 0}}), MatrixOf({{1}, {1}}), out); }, FalseReason::ZeroColumn,
         "cMatrixOps.SimultEqns"},
        {[&] { return ops.SimultEqns(MatrixOf({{1, 2}, {-3, -6}}), MatrixOf({{1}, {1}}), out); },
         FalseReason::ProportionalRows, "cMatrixOps.SimultEqns"},
        {[&] { return ops.MatrixInvert(MatrixOf({{0, 0}, {1, 2}}), out); }, FalseReason::ZeroRow, "cMatrixOps.MatrixInvert"},
    };
    for (const auto& r : rows) {
        EXPECT_FALSE(static_cast<bool>(r.run())) << r.method << ", " << ToString(r.code);
        const FalseExplanation why = LastFalseReason();
        EXPECT_EQ(r.code, why.code()) << r.method << ": " << why.text();
        const std::string prefix = std::string(r.method) + ": ";
        EXPECT_EQ(prefix, std::string(why.text()).substr(0, prefix.size())) << why.text();
    }
}

// The predicates answer a question: their False records nothing, nor does any True.
TEST(FailureRules, PredicatesAndTruesLeaveTheLastReason) {
    Double out = 0;
    ASSERT_FALSE(static_cast<bool>(CInterpolation().InterpolationRatio(1, 1, 1, out)));
    const std::string before = LastFalseReason().text();
    EXPECT_FALSE(static_cast<bool>(CInterpolation().BoundedBy(11, 0, 10)));
    EXPECT_FALSE(static_cast<bool>(CInterpolation().BoundedBy(kNaN, 0, 10)));
    EXPECT_FALSE(static_cast<bool>(cGenUtil().IsEqualAbs(1, 2, 0.5)));
    EXPECT_FALSE(static_cast<bool>(cGenUtil().IsEqualRel(1, 2, 0.1)));
    EXPECT_FALSE(static_cast<bool>(cGeom().InLine2D(0, 0, 1, 1, 2, 3, 0.5)));
    String s;
    EXPECT_TRUE(static_cast<bool>(cGenUtil().IntToBin(3, s)));
    EXPECT_EQ(FalseReason::RangeWithoutWidth, LastFalseReason().code());
    EXPECT_EQ(before, LastFalseReason().text());
    // The text of a FalseExplanation is its own: a later False does not change it.
    const FalseExplanation kept = LastFalseReason();
    Integer n = 0;
    EXPECT_FALSE(static_cast<bool>(cGenUtil().BinToInt(u"2", n)));
    EXPECT_EQ(before, kept.text());
    EXPECT_EQ(FalseReason::RangeWithoutWidth, kept.code());
    // A text beyond the capacity is cut, not overrun.
    const std::string longText(1000, 'x');
    const FalseExplanation cut(FalseReason::RepeatedX, longText.c_str());
    EXPECT_EQ(FalseExplanation::kTextCapacity - 1, std::strlen(cut.text()));
    EXPECT_STREQ("UnknownReason", ToString(static_cast<FalseReason>(100)));
    EXPECT_STREQ("None", ToString(FalseExplanation().code()));
    EXPECT_STREQ("", FalseExplanation().text());
}

}  // namespace
}  // namespace tervanix
