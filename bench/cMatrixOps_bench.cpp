// cMatrixOps against the same steps written plainly on raw arrays (bench/plain),
// side by side on the same matrices: the product of two 200 x 200 matrices and the
// inverse of a 100 x 100 one (ours also at 200 and 500, beside Eigen's), and SimultEqns
// on the 200 equations that Eigen's LU solve takes. Each side allocates its result, as
// ours does. The fault-tested transcriptions carry the library's Double fault test but
// no bounds checks, so that ours beside them shows the cost of the cMatrix2 accessors
// alone.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <Tervanix/cMatrixOps.h>
#include <Tervanix/runtime/MatrixTiles.h>

#include "LibraryMatrices.h"
#include "MatrixData.h"
#include "plain/cMatrixOps_plain.h"

namespace {

using tervanix::cMatrix2;
using tervanix::Long;

using benchdata::ToMatrix;

const tervanix::cMatrixOps ops;

// Ours: `call` runs the operation into the result variable it is given. The label
// names the vectors the run-time choice took for the tiles; the result's last element,
// (rows, cols), is read after each run.
template <typename Call>
void RunChecked(benchmark::State& state, Long rows, Long cols, Call call) {
    state.SetLabel(tervanix::rt::MatrixTilesUseAvx2() ? "avx2" : "sse2");
    std::shared_ptr<cMatrix2> result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(result));
        benchmark::DoNotOptimize(result->GetData(rows, cols));
    }
}

void BM_MatrixMult200_Checked(benchmark::State& state) {
    const int n = benchdata::kMultSize;
    const auto a = ToMatrix(benchdata::MultA(), n, n);
    const auto b = ToMatrix(benchdata::MultB(), n, n);
    RunChecked(state, n, n, [&](std::shared_ptr<cMatrix2>& ab) { return ops.MatrixMult(a, b, ab); });
}

template <auto Mult>
void BM_MatrixMult200_Raw(benchmark::State& state) {
    const int n = benchdata::kMultSize;
    std::vector<double> ab;
    for (auto _ : state) {
        Mult(benchdata::MultA(), benchdata::MultB(), ab, n, n, n);
        benchmark::DoNotOptimize(ab.data());
    }
}

// The inverse of an n x n matrix, n = range(0).
void BM_MatrixInvert_Checked(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    const auto original = ToMatrix(benchdata::ToInvertOfSize(n), n, n);
    RunChecked(state, n, n, [&](std::shared_ptr<cMatrix2>& inverted) { return ops.MatrixInvert(original, inverted); });
}

// SimultEqns on the system of 200 equations that Calc and Eigen's LU solve take
// (cMatrix_bench.cpp, cMatrixOps_eigen_bench.cpp): the inverse, then its product with
// the constants.
void BM_SimultEqns200_Checked(benchmark::State& state) {
    const int n = benchdata::kSolveSize;
    const auto coeffs = ToMatrix(benchdata::ToSolve(), n, n);
    const auto constants = ToMatrix(benchdata::SolveConstants(), n, 1);
    RunChecked(state, n, 1, [&](std::shared_ptr<cMatrix2>& solution) {
        return ops.SimultEqns(coeffs, constants, solution);
    });
}

template <auto Invert>
void BM_MatrixInvert100_Raw(benchmark::State& state) {
    const int n = benchdata::kInvertSize;
    std::vector<double> inverted;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Invert(benchdata::ToInvert(), inverted, n));
        benchmark::DoNotOptimize(inverted.data());
    }
}

}  // namespace

BENCHMARK(BM_MatrixMult200_Checked)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_MatrixMult200_Raw, plain::MatrixMult)->Name("BM_MatrixMult200_Plain")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_MatrixMult200_Raw, plain::MatrixMultFaultTested)
    ->Name("BM_MatrixMult200_PlainFaultTested")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimultEqns200_Checked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInvert_Checked)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_MatrixInvert100_Raw, plain::MatrixInvert)
    ->Name("BM_MatrixInvert100_Plain")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_MatrixInvert100_Raw, plain::MatrixInvertFaultTested)
    ->Name("BM_MatrixInvert100_PlainFaultTested")
    ->Unit(benchmark::kMillisecond);
