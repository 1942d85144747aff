// For orientation only: Eigen's product, inverse, LU solve and inverse-then-product solve of the same matrices as
// cMatrixOps_bench.cpp and cMatrix_bench.cpp. Compiled when CMake finds Eigen; the
// library never uses it.
// Eigen pivots and blocks, so its digits differ from ours; only the time compares. The
// solves count how many of the 200 unknowns differ from SimultEqns's (the counter
// unlike_SimultEqns), which shows what the faster solve would change.
#ifdef TERVANIX_BENCH_WITH_EIGEN

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include <Eigen/Dense>

#include <Tervanix/cMatrixOps.h>

#include "LibraryMatrices.h"
#include "MatrixData.h"

namespace {

using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

RowMajor ToEigen(const std::vector<double>& values, int n) { return Eigen::Map<const RowMajor>(values.data(), n, n); }

void BM_MatrixMult200_Eigen(benchmark::State& state) {
    const RowMajor a = ToEigen(benchdata::MultA(), benchdata::kMultSize);
    const RowMajor b = ToEigen(benchdata::MultB(), benchdata::kMultSize);
    RowMajor ab;
    for (auto _ : state) {
        ab.noalias() = a * b;
        benchmark::DoNotOptimize(ab.data());
    }
}

void BM_MatrixInvert100_Eigen(benchmark::State& state) {
    const RowMajor original = ToEigen(benchdata::ToInvert(), benchdata::kInvertSize);
    RowMajor inverted;
    for (auto _ : state) {
        inverted = original.inverse();
        benchmark::DoNotOptimize(inverted.data());
    }
}

// The partial-pivoting inverse, n = range(0), beside BM_MatrixInvert_Checked.
void BM_MatrixInvert_Eigen(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    const RowMajor original = ToEigen(benchdata::ToInvertOfSize(n), n);
    RowMajor inverted;
    for (auto _ : state) {
        inverted = original.partialPivLu().inverse();
        benchmark::DoNotOptimize(inverted.data());
    }
}

// How many of x's elements differ, bit for bit, from the solution of SimultEqns on the
// same system.
int UnlikeSimultEqns(const Eigen::VectorXd& x) {
    const int n = benchdata::kSolveSize;
    std::shared_ptr<tervanix::cMatrix2> solution;
    tervanix::cMatrixOps().SimultEqns(benchdata::ToMatrix(benchdata::ToSolve(), n, n),
                                      benchdata::ToMatrix(benchdata::SolveConstants(), n, 1), solution);
    int unlike = 0;
    for (int i = 0; i < n; ++i) {
        const double ours = solution->GetData(i + 1, 1);
        unlike += std::memcmp(&ours, &x[i], sizeof ours) != 0;
    }
    return unlike;
}

// Solves the system that BM_CalcDense200_Checked and BM_SimultEqns200_Checked solve
// (cMatrix_bench.cpp, cMatrixOps_bench.cpp) by solve(a, b), once per iteration.
template <typename Solve>
void RunSolve(benchmark::State& state, Solve solve) {
    const int n = benchdata::kSolveSize;
    const RowMajor a = ToEigen(benchdata::ToSolve(), n);
    const Eigen::VectorXd b = Eigen::Map<const Eigen::VectorXd>(benchdata::SolveConstants().data(), n);
    Eigen::VectorXd x;
    for (auto _ : state) {
        x = solve(a, b);
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["unlike_SimultEqns"] = UnlikeSimultEqns(x);
}

// The LU solve.
void BM_CalcDense200_EigenLU(benchmark::State& state) {
    RunSolve(state, [](const RowMajor& a, const Eigen::VectorXd& b) -> Eigen::VectorXd {
        return a.partialPivLu().solve(b);
    });
}

// The system solved as SimultEqns solves it: the inverse, then its product with the
// constants. Beside BM_SimultEqns200_Checked it shows what that way costs Eigen,
// against the LU solve above.
void BM_SimultEqns200_EigenInverse(benchmark::State& state) {
    RunSolve(state, [](const RowMajor& a, const Eigen::VectorXd& b) -> Eigen::VectorXd {
        return a.partialPivLu().inverse() * b;
    });
}

}  // namespace

BENCHMARK(BM_MatrixInvert_Eigen)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcDense200_EigenLU)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimultEqns200_EigenInverse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixMult200_Eigen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInvert100_Eigen)->Unit(benchmark::kMillisecond);

#endif
