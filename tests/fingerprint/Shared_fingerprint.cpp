// Calls whose arguments share storage: one array passed twice, two Variants that
// refer to one array, borrowed arrays over the same memory, one variable as input
// and output, one output variable for two outputs, one cMatrix2 in two parameters.
// Each is legal input with the documented result, and its digits are fed as ever.
#include <Tervanix/Tervanix.h>

#include "Sections.h"

namespace fingerprint {

using namespace tervanix;

namespace {

constexpr int kRounds = 40;

DoubleArray Table(Inputs& in, double store[8]) {
    for (int k = 0; k < 8; ++k) store[k] = in.Next() % 5 == 0 ? in.Number() : static_cast<double>(in.Next() % 9);
    const Long count = 2 + static_cast<Long>(in.Next() % 6);
    return DoubleArray::Borrow(store + in.Next() % 2, 1, count);
}

void AddAll(Digest& d, const double* values, int count) {
    for (int k = 0; k < count; ++k) d.Add(values[k]);
}

}  // namespace

void SharedSorting(Digest& d) {
    Inputs in(61);
    for (int round = 0; round < kRounds; ++round) {
        double store[8];
        DoubleArray x = Table(in, store);
        LongArray n = FilledArray<LongArray>(1, 5, [&] { return static_cast<Long>(in.Next() % 7); });
        StringArray s = FilledArray<StringArray>(0, 4, [&] { return String(1, static_cast<char16_t>(u'a' + in.Next() % 3)); });
        VariantArray v = FilledArray<VariantArray>(1, 4, [&] { return Variant(in.Number()); });
        DoubleArray overlapping = DoubleArray::Borrow(store + 1, 1, 6);
        Variant vx = Variant::RefTo(x), vn = Variant::RefTo(n), vs = Variant::RefTo(s), vv = Variant::RefTo(v);
        Variant vn2 = Variant::RefTo(n), vo = Variant::RefTo(overlapping);
        Variant owned(x);
        Try(d, [&] { CSort().BubbleSortXYPairsByX(vx, vx); });     // one Variant twice
        Try(d, [&] { CSort().BubbleSortXYPairsByX(vn, vn2); });    // two Variants, one array
        Try(d, [&] { CSort().BubbleSortXYPairsByX(vs, vs); });
        Try(d, [&] { CSort().BubbleSortXYPairsByX(vv, vv); });
        Try(d, [&] { CSort().BubbleSortXYPairsByX(vx, vo); });     // borrowed over the same memory
        Try(d, [&] { CSort().BubbleSortXYPairsByX(owned, owned); });
        AddAll(d, store, 8);
        for (const Long e : n) d.Add(std::int64_t{e});
        AddElements(d, s);
        d.Add(v(1).AsDouble());
        AddElements(d, *std::get<DoubleArray*>(rt::ArrayOf(owned)));
    }
}

void SharedInterpolation(Digest& d) {
    Inputs in(62);
    const CInterpolation ip;
    const cInterp2 i2;
    for (int round = 0; round < kRounds; ++round) {
        double store[8];
        DoubleArray x = Table(in, store);
        DoubleArray other = DoubleArray::Borrow(store + 1, 1, 5);
        const double t = in.Number() / 1e3;
        const auto condition = static_cast<BoundaryCondition>(in.Next() % 3);
        Integer index = 0;
        Boolean flag;
        Try(d, [&] { d.Add(ip.InterpolationOf1DArray(t, x, x, condition, x(1))); });  // output in the table
        Try(d, [&] { d.Add(ip.InterpolationOf1DArray(t, x, other, condition, other(2))); });
        Try(d, [&] { d.Add(ip.InterpolationIndices(t, x, condition, index, index, store[7], flag)); });
        d.Add(std::int64_t{index});
        Try(d, [&] { i2.SortXYPairsByX(x, other); });
        Try(d, [&] { d.Add(i2.Interp2D(x, x, in.Next() % 2 == 0, x(2), x(1))); });  // X read from the table it writes
        Try(d, [&] { d.Add(i2.Interp2D_Extrap(other, x, static_cast<BoundaryCondition2>(in.Next() % 3), t, other(1))); });
        DoubleArray axis = FilledArray<DoubleArray>(1, 3, [&, k = 0]() mutable { return static_cast<double>(k++); });
        DoubleArray2D z2(1, 3, 1, 3);
        DoubleArray3D z3(1, 3, 1, 3, 1, 3);
        for (double& e : z2) e = in.Number();
        for (double& e : z3) e = in.Number();
        double point = t * 2.0;
        Try(d, [&] { d.Add(i2.Interp3D(axis, axis, z2, true, point, point, point)); });
        Try(d, [&] { d.Add(i2.Interp4D(axis, axis, axis, z3, true, point, point, point, point)); });
        d.Add(point);
        AddAll(d, store, 8);
    }
}

void SharedGeometry(Digest& d) {
    Inputs in(63);
    const cGeom g;
    for (int round = 0; round < kRounds; ++round) {
        double v[12];
        for (double& e : v) e = in.Number();
        double o[3] = {1.0, 2.0, 3.0};
        double& a = o[in.Next() % 3];
        double& b = o[in.Next() % 3];
        Try(d, [&] { d.Add(g.Line2D(v[0], v[1], v[2], v[3], a, a)); });
        Try(d, [&] { g.VectorAdd(v[0], v[1], v[2], v[3], v[4], v[5], a, b, a); });
        Try(d, [&] { g.CrossProduct(v[0], v[1], v[2], v[3], v[4], v[5], b, a, b); });
        Try(d, [&] { g.PlaneCoeffsFrom3Pts(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], a, b, a, b); });
        Try(d, [&] { g.SurfNormFrom3Pts(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], a, a, b); });
        Try(d, [&] { d.Add(g.Intersect2Planes(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], a, b, a, b, a, b)); });
        Try(d, [&] { d.Add(g.Intersect3Planes(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], a, b, a)); });
        Try(d, [&] { g.CartToPolar(v[0], v[1], a, a); });
        Try(d, [&] { g.PolarToCart(v[0], v[1], b, b); });
        AddAll(d, o, 3);
    }
}

void SharedMatrices(Digest& d) {
    Inputs in(64);
    const cMatrixOps ops;
    for (int round = 0; round < kRounds; ++round) {
        const Long n = 1 + static_cast<Long>(in.Next() % 4);
        std::shared_ptr<cMatrix2> m[2];
        for (auto& matrix : m) {
            matrix = std::make_shared<cMatrix2>();
            matrix->NumRows(n);
            matrix->NumCols(n);
            for (Long i = 1; i <= n; ++i)
                for (Long j = 1; j <= n; ++j) matrix->PutData(i, j, static_cast<double>(in.Next() % 9) - 4.0);
        }
        auto& a = m[in.Next() % 2];
        auto& b = m[in.Next() % 2];
        Try(d, [&] { d.Add(ops.MatrixTrans(a, a)); });
        Try(d, [&] { d.Add(ops.MatrixMult(a, b, a)); });
        Try(d, [&] { d.Add(ops.MatrixMult(b, b, b)); });
        Try(d, [&] { d.Add(ops.MatrixInvert(b, b)); });
        Try(d, [&] { d.Add(ops.SimultEqns(a, b, b)); });
        for (const auto& matrix : m)
            for (Long i = 1; i <= matrix->NumRows(); ++i)
                for (Long j = 1; j <= matrix->NumCols(); ++j) d.Add(matrix->GetData(i, j));
    }
}

void SharedBatch(Digest& d) {
    Inputs in(65);
    for (int round = 0; round < kRounds; ++round) {
        double store[8];
        DoubleArray x = Table(in, store);
        std::vector<double> values(5);
        for (double& t : values) t = static_cast<double>(in.Next() % 40) / 4.0;
        std::vector<BatchOutcome> outcomes(values.size());
        const auto condition = static_cast<BoundaryCondition>(in.Next() % 3);
        Try(d, [&] { InterpolationOf1DArrayBatch(x, x, condition, values, values, outcomes); });  // targets are results
        for (const BatchOutcome o : outcomes) d.Add(std::int64_t{static_cast<int>(o)});
        Try(d, [&] { Interp2DBatch(x, x, true, values, values, outcomes); });
        for (const BatchOutcome o : outcomes) d.Add(std::int64_t{static_cast<int>(o)});
        AddAll(d, values.data(), 5);
        AddAll(d, store, 8);
    }
}

}  // namespace fingerprint
