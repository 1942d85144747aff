// For orientation only: Eigen's product and inverse of the same matrices as
// cMatrixOps_bench.cpp. Compiled when CMake finds Eigen; the library never uses it.
// Eigen pivots and blocks, so its digits differ from ours; only the time compares.
#ifdef TERVANIX_BENCH_WITH_EIGEN

#include <benchmark/benchmark.h>

#include <Eigen/Dense>

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

}  // namespace

BENCHMARK(BM_MatrixMult200_Eigen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInvert100_Eigen)->Unit(benchmark::kMillisecond);

#endif
