// Runs one matrix operation, the library's or Eigen's, CALLS times on the matrices of
// bench/MatrixData.h, for callgrind to count its instructions per call: run it with
// two call counts and divide the difference of the totals by the difference of the
// counts, so that the set-up (making the matrices, loading the program) cancels out.
// Built by hand against a built library (one command):
//   g++ -O2 -std=c++17 -ffp-contract=off -msse2 -Icalculations -IBUILD/calculations/include -Ibench
//       -I/usr/include/eigen3 -DWITH_EIGEN bench/callgrind/matrices.cpp BUILD/calculations/libtervanix.a
//       -o matrices
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./matrices invert500 1
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./matrices invert500 3
// OPERATION: mult200, invert200, invert500, calc200, simult200, invert-mult200 (the
// inverse of simult200's matrix, then its product with the constants: SimultEqns's
// two steps as two calls), or the first five with "eigen-" in front (Eigen's product,
// partial-pivoting inverse and LU solve). A third
// argument "pairs" makes the library's tiles use vectors of two Doubles, as on a
// processor without AVX2 (otherwise the processor's choice).
#include <Tervanix/cMatrix.h>
#include <Tervanix/cMatrix2.h>
#include <Tervanix/cMatrixOps.h>
#include <Tervanix/runtime/MatrixTiles.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "MatrixData.h"

#ifdef WITH_EIGEN
#include <Eigen/Dense>
#endif

namespace {

using tervanix::Long;

std::shared_ptr<tervanix::cMatrix2> Make(const std::vector<double>& values, int rows, int cols) {
    auto m = std::make_shared<tervanix::cMatrix2>();
    m->NumRows(rows);
    m->NumCols(cols);
    for (Long i = 1; i <= rows; ++i) {
        for (Long j = 1; j <= cols; ++j) m->PutData(i, j, values[static_cast<std::size_t>(i - 1) * cols + (j - 1)]);
    }
    return m;
}

double Ours(const std::string& what, int calls) {
    tervanix::cMatrixOps ops;
    std::shared_ptr<tervanix::cMatrix2> out;
    double sink = 0.0;
    if (what == "mult200") {
        const auto a = Make(benchdata::MultA(), benchdata::kMultSize, benchdata::kMultSize);
        const auto b = Make(benchdata::MultB(), benchdata::kMultSize, benchdata::kMultSize);
        for (int c = 0; c < calls; ++c) sink += ops.MatrixMult(a, b, out) ? out->GetData(1, 1) : 0.0;
    } else if (what == "invert200" || what == "invert500") {
        const int n = what == "invert200" ? 200 : 500;
        const auto m = Make(benchdata::ToInvertOfSize(n), n, n);
        for (int c = 0; c < calls; ++c) sink += ops.MatrixInvert(m, out) ? out->GetData(1, 1) : 0.0;
    } else if (what == "simult200") {
        const int n = benchdata::kSolveSize;
        const auto m = Make(benchdata::ToSolve(), n, n);
        const auto v = Make(benchdata::SolveConstants(), n, 1);
        for (int c = 0; c < calls; ++c) sink += ops.SimultEqns(m, v, out) ? out->GetData(1, 1) : 0.0;
    } else if (what == "invert-mult200") {  // SimultEqns's two documented steps, as two calls
        const int n = benchdata::kSolveSize;
        const auto m = Make(benchdata::ToSolve(), n, n);
        const auto v = Make(benchdata::SolveConstants(), n, 1);
        std::shared_ptr<tervanix::cMatrix2> inverse;
        for (int c = 0; c < calls; ++c) {
            sink += ops.MatrixInvert(m, inverse) && ops.MatrixMult(inverse, v, out) ? out->GetData(1, 1) : 0.0;
        }
    } else if (what == "calc200") {
        const int n = benchdata::kSolveSize;
        tervanix::cMatrix system;
        system.MatrixSize(n);
        for (Long r = 1; r <= n; ++r) {
            system.AddToVector(r, benchdata::SolveConstants()[r - 1]);
            for (Long c = 1; c <= n; ++c) system.AddToMatrix(r, c, benchdata::ToSolve()[(r - 1) * n + (c - 1)]);
        }
        std::shared_ptr<tervanix::Collection> solution;
        for (int c = 0; c < calls; ++c) sink += system.Calc(solution) ? 1.0 : 0.0;
    } else {
        std::fprintf(stderr, "unknown operation %s\n", what.c_str());
        std::exit(2);
    }
    return sink;
}

#ifdef WITH_EIGEN
using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

RowMajor ToEigen(const std::vector<double>& values, int rows, int cols) {
    return Eigen::Map<const RowMajor>(values.data(), rows, cols);
}

double Theirs(const std::string& what, int calls) {
    double sink = 0.0;
    if (what == "mult200") {
        const RowMajor a = ToEigen(benchdata::MultA(), benchdata::kMultSize, benchdata::kMultSize);
        const RowMajor b = ToEigen(benchdata::MultB(), benchdata::kMultSize, benchdata::kMultSize);
        RowMajor ab;
        for (int c = 0; c < calls; ++c) {
            ab.noalias() = a * b;
            sink += ab(0, 0);
        }
    } else if (what == "invert200" || what == "invert500") {
        const int n = what == "invert200" ? 200 : 500;
        const RowMajor m = ToEigen(benchdata::ToInvertOfSize(n), n, n);
        RowMajor inverted;
        for (int c = 0; c < calls; ++c) {
            inverted = m.partialPivLu().inverse();
            sink += inverted(0, 0);
        }
    } else if (what == "calc200" || what == "simult200") {
        const int n = benchdata::kSolveSize;
        const RowMajor a = ToEigen(benchdata::ToSolve(), n, n);
        const Eigen::VectorXd b = Eigen::Map<const Eigen::VectorXd>(benchdata::SolveConstants().data(), n);
        Eigen::VectorXd x;
        for (int c = 0; c < calls; ++c) {
            x = a.partialPivLu().solve(b);
            sink += x(0);
        }
    } else {
        std::fprintf(stderr, "unknown operation %s\n", what.c_str());
        std::exit(2);
    }
    return sink;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "pairs") == 0)) {
        std::fprintf(stderr, "usage: %s OPERATION CALLS [pairs]\n", argv[0]);
        return 2;
    }
    if (argc == 4) tervanix::rt::UseTileVectors(tervanix::rt::TileVectors::Pairs);
    const std::string what = argv[1];
    const int calls = std::atoi(argv[2]);
    double sink = 0.0;
    if (what.rfind("eigen-", 0) == 0) {
#ifdef WITH_EIGEN
        sink = Theirs(what.substr(6), calls);
#else
        std::fprintf(stderr, "built without Eigen\n");
        return 2;
#endif
    } else {
        sink = Ours(what, calls);
    }
    std::printf("%g\n", sink);
    return 0;
}
