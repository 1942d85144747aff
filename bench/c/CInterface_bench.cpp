// The cost of the C interface: the same calls through libtervanix_c and straight into
// the C++ classes, side by side. Avg is a scalar call; Interp3D on a 4 x 4 grid adds
// the checks of its three array descriptors (the arrays are borrowed, not copied); a
// batch lookup shows that the binding adds nothing per target (items_per_second
// counts targets).
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include <Tervanix/Batch.h>
#include <Tervanix/cGenUtil.h>
#include <Tervanix/cInterp2.h>
#include <Tervanix/tervanix_c.h>

#include "../BatchTable.h"

namespace {

using namespace tervanix;

const std::array<double, 8> kX = {1.5, 2.25, 3.0, 100.0, 0.125, 7.5, 42.0, 60.0};
const std::array<double, 8> kY = {2.5, 1.75, 3.5, 99.0, 0.25, 8.0, 41.0, 61.0};

void BM_Avg_Cpp(benchmark::State& state) {
    const cGenUtil util;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(util.Avg(kX[i & 7], kY[i & 7]));
        ++i;
    }
}

void BM_Avg_C(benchmark::State& state) {
    std::size_t i = 0;
    double result = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tvx_cGenUtil_Avg(kX[i & 7], kY[i & 7], &result));
        benchmark::DoNotOptimize(result);
        ++i;
    }
}

constexpr int kGrid = 4;

struct Grid {
    std::array<double, kGrid> x{}, y{};
    std::array<double, kGrid * kGrid> z{};
    Grid() {
        for (int i = 0; i < kGrid; ++i) {
            x[i] = 0.75 * i;
            y[i] = 1.5 * i + 0.25;
        }
        for (int k = 0; k < kGrid * kGrid; ++k) z[k] = 0.5 * k - 0.125 * (k % 3);
    }
};

void BM_Interp3D_Cpp(benchmark::State& state) {
    const Grid g;
    DoubleArray x(1, kGrid), y(1, kGrid);
    DoubleArray2D z(1, kGrid, 1, kGrid);
    for (Long i = 1; i <= kGrid; ++i) {
        x(i) = g.x[i - 1];
        y(i) = g.y[i - 1];
        for (Long j = 1; j <= kGrid; ++j) z(i, j) = g.z[(i - 1) * kGrid + (j - 1)];
    }
    const cInterp2 interp;
    double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interp.Interp3D(x, y, z, false, kX[k & 7] / 50, kY[k & 7] / 30, out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}

void BM_Interp3D_C(benchmark::State& state) {
    Grid g;
    const tvx_Array x = tvx_DoubleArray1D(g.x.data(), 1, kGrid), y = tvx_DoubleArray1D(g.y.data(), 1, kGrid);
    const tvx_Array z = tvx_DoubleArray2D(g.z.data(), 1, kGrid, 1, kGrid);
    double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tvx_cInterp2_Interp3D(&x, &y, &z, 0, kX[k & 7] / 50, kY[k & 7] / 30, &out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}

constexpr std::size_t kTablePoints = 1000;
constexpr std::size_t kTargets = 10000;

void BM_Batch1D_Cpp(benchmark::State& state) {
    const benchdata::BatchTable table(kTablePoints, kTargets);
    DoubleArray x(1, table.x), y(1, table.y);
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    for (auto _ : state) {
        InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, table.targets, results, outcomes);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTargets));
}

void BM_Batch1D_C(benchmark::State& state) {
    benchdata::BatchTable table(kTablePoints, kTargets);
    tvx_Array x = tvx_DoubleArray1D(table.x.data(), 1, kTablePoints);
    tvx_Array y = tvx_DoubleArray1D(table.y.data(), 1, kTablePoints);
    std::vector<double> results(kTargets);
    std::vector<tvx_BatchOutcome> outcomes(kTargets);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tvx_CInterpolation_InterpolationOf1DArrayBatch(
            &x, &y, TVX_EXTRAPOLATE_LINEARLY, table.targets.data(), kTargets, results.data(), kTargets,
            outcomes.data(), kTargets, 1));
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTargets));
}

}  // namespace

BENCHMARK(BM_Avg_Cpp);
BENCHMARK(BM_Avg_C);
BENCHMARK(BM_Interp3D_Cpp);
BENCHMARK(BM_Interp3D_C);
BENCHMARK(BM_Batch1D_Cpp);
BENCHMARK(BM_Batch1D_C);
