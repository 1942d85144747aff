#include <cstdint>
#include <memory>

#include <Tervanix/cMatrixOps.h>

#include "Sections.h"

namespace fingerprint {

namespace {

using tervanix::cMatrix2;
using tervanix::Long;
using Matrix = std::shared_ptr<cMatrix2>;

void AddMatrix(Digest& d, const Matrix& m) {
    d.Add(std::int64_t{m->NumRows()});
    d.Add(std::int64_t{m->NumCols()});
    for (Long i = 1; i <= m->NumRows(); ++i)
        for (Long j = 1; j <= m->NumCols(); ++j) d.Add(m->GetData(i, j));
}

// Small whole numbers (many zeros, so that zero rows, columns and diagonals, proportional
// rows and singular matrices come up) mixed with the general numbers of Inputs.
double Element(Inputs& in) {
    const std::uint64_t r = in.Next();
    return r % 3 == 0 ? in.Number() : static_cast<double>(static_cast<std::int64_t>(r % 5) - 2);
}

Matrix Random(Inputs& in, Long rows, Long cols) {
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(rows);
    m->NumCols(cols);
    for (Long i = 1; i <= rows; ++i)
        for (Long j = 1; j <= cols; ++j) m->PutData(i, j, Element(in));
    if (rows >= 2 && in.Next() % 4 == 0) {  // now and then a row a multiple of another, up to a trace
        const double multiple = Element(in);
        const double factor = multiple * (1.0 + static_cast<double>(in.Next() % 3) * 1e-13);
        for (Long j = 1; j <= cols; ++j) m->PutData(rows, j, m->GetData(1, j) * factor);
    }
    return m;
}

Long Size(Inputs& in) { return static_cast<Long>(1 + in.Next() % 4); }

}  // namespace

void MatrixContainer(Digest& d) {
    Inputs in(5);
    cMatrix2 m;
    for (int i = 0; i < 20000; ++i) {
        const Long a = static_cast<Long>(in.Next() % 9) - 2, b = static_cast<Long>(in.Next() % 9) - 2;
        switch (in.Next() % 8) {
            case 0: m.NumRows(a); break;
            case 1: m.NumCols(b); break;
            case 2: case 3: case 4: m.PutData(a, b, in.Number()); break;
            default: d.Add(m.GetData(a, b));
        }
        d.Add(std::int64_t{m.NumRows()});
        d.Add(std::int64_t{m.NumCols()});
    }
}

void MatrixOperations(Digest& d) {
    const tervanix::cMatrixOps ops;
    Inputs in(6);
    for (int t = 0; t < 3000; ++t) {
        const Long rows = Size(in), inner = Size(in), cols = Size(in);
        Matrix out;
        ops.MatrixTrans(Random(in, rows, cols), out);
        AddMatrix(d, out);

        // Mostly fitting sizes; an error leaves the sums already written.
        const Long innerB = in.Next() % 5 == 0 ? Size(in) : inner;
        const Matrix a = Random(in, rows, inner);
        const Matrix b = Random(in, innerB, cols);
        Try(d, [&] { d.Add(ops.MatrixMult(a, b, out)); });
        AddMatrix(d, out);

        const Long n = Size(in) + (in.Next() % 6 == 0 ? 1 : 0);
        const Matrix original = Random(in, n, in.Next() % 8 == 0 ? n + 1 : n);
        Try(d, [&] { d.Add(ops.MatrixInvert(original, out)); });
        AddMatrix(d, out);

        Matrix solution = std::make_shared<cMatrix2>();
        solution->PutData(1, 1, -1.0);  // the caller's matrix, kept when the inversion fails
        const Matrix coeffs = Random(in, n, n);
        const Long vectorRows = in.Next() % 6 == 0 ? n + 1 : n;
        const Matrix vector = Random(in, vectorRows, Size(in));
        Try(d, [&] { d.Add(ops.SimultEqns(coeffs, vector, solution)); });
        AddMatrix(d, solution);
    }
}

}  // namespace fingerprint
