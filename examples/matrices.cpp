// cMatrix2 and cMatrixOps at work: the inverse of a small matrix, checked by
// multiplying back, and one set of equations solved for two right-hand sides at once.
#include <initializer_list>
#include <iomanip>
#include <iostream>
#include <memory>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

using namespace tervanix;

namespace {

std::shared_ptr<cMatrix2> FromRows(std::initializer_list<std::initializer_list<Double>> rows) {
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(static_cast<Long>(rows.size()));
    m->NumCols(static_cast<Long>(rows.begin()->size()));
    Long i = 0;
    for (const auto& row : rows) {
        ++i;
        Long j = 0;
        for (Double value : row) m->PutData(i, ++j, value);
    }
    return m;
}

void Print(const char* name, const std::shared_ptr<cMatrix2>& m) {
    std::cout << name << " (" << m->NumRows() << " x " << m->NumCols() << "):\n";
    for (Long i = 1; i <= m->NumRows(); ++i) {
        for (Long j = 1; j <= m->NumCols(); ++j) std::cout << std::setw(24) << m->GetData(i, j);
        std::cout << '\n';
    }
}

}  // namespace

void MatricesSection() {
    const cMatrixOps ops;
    std::cout << "== Matrices (cMatrix2, cMatrixOps) ==\n" << std::setprecision(17);

    // A zero on the diagonal is fixed by adding a later row before the elimination.
    const auto a = FromRows({{0, 2, 1}, {1, 0, 3}, {4, 1, 0}});
    std::shared_ptr<cMatrix2> inverse, product;
    ops.MatrixInvert(a, inverse);
    Print("A", a);
    Print("inverse of A (exactly -3, 1, 6 / 12, -4, 1 / 1, 8, -2, each over 25)", inverse);
    ops.MatrixMult(a, inverse, product);
    Print("A times its inverse: the identity up to rounding", product);

    // Three loads on a frame, two load cases: each column of the right-hand side is one
    // case, and the same column of the solution answers it.
    const auto coeffs = FromRows({{4, -1, 0}, {-1, 4, -1}, {0, -1, 4}});
    const auto loads = FromRows({{2, 0}, {4, 5}, {10, 0}});
    std::shared_ptr<cMatrix2> solution;
    const Boolean solved = ops.SimultEqns(coeffs, loads, solution);
    std::cout << "solved: " << solved << '\n';
    Print("solution, one column per load case", solution);

    // Two proportional rows: no inverse, and the result variable holds a new 1 x 1 matrix.
    const Boolean invertible = ops.MatrixInvert(FromRows({{1, 2}, {2, 4}}), inverse);
    std::cout << "((1, 2), (2, 4)) invertible: " << invertible << "; result " << inverse->NumRows() << " x "
              << inverse->NumCols() << " holding " << inverse->GetData(1, 1) << "\n\n";
}
