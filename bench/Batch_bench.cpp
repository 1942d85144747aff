// The batch lookups per target, beside std::upper_bound plus one interpolation
// (bench/plain), GSL's gsl_interp_eval when GSL is installed, and one single call per
// target. items_per_second counts targets.
#include <benchmark/benchmark.h>

#include <vector>

#include <Tervanix/Batch.h>
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include "BatchTable.h"
#include "plain/Batch_plain.h"

#if defined(TERVANIX_BENCH_WITH_GSL)
#include <gsl/gsl_interp.h>
#endif

namespace {

using tervanix::BatchOutcome;
using tervanix::DoubleArray;
using tervanix::Long;

constexpr std::size_t kTargets = 4096;

// A table of n points and kTargets targets, with its values as the library's arrays.
struct Table : benchdata::BatchTable {
    explicit Table(std::size_t n) : BatchTable(n, kTargets) {}
    // The table as the library's arrays: from 1, or from -32768 when it needs more positions.
    DoubleArray Array(const std::vector<double>& values) const {
        const Long lo = values.size() > 32767 ? -32768 : 1;
        DoubleArray a(lo, static_cast<Long>(lo + static_cast<Long>(values.size()) - 1));
        std::copy(values.begin(), values.end(), a.begin());
        return a;
    }
};

void BM_Batch1D_Library(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x = table.Array(table.x), y = table.Array(table.y);
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    for (auto _ : state) {
        tervanix::InterpolationOf1DArrayBatch(x, y, tervanix::EXTRAPOLATE_LINEARLY, table.targets, results, outcomes);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTargets));
}

void BM_Batch1D_UpperBound(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    std::vector<double> results(kTargets);
    for (auto _ : state) {
        plain::UpperBoundInterpolation(table.x.data(), table.y.data(), static_cast<int>(table.x.size()),
                                       table.targets.data(), results.data(), kTargets);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTargets));
}

// One InterpolationOf1DArray call per target: a sort pass and a scan each time.
void BM_Batch1D_SingleCalls(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x = table.Array(table.x), y = table.Array(table.y);
    const tervanix::CInterpolation& interp = tervanix::CInterpolation::Default();
    std::size_t i = 0;
    double result = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interp.InterpolationOf1DArray(table.targets[i++ % kTargets], x, y,
                                                               tervanix::EXTRAPOLATE_LINEARLY, result));
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}

#if defined(TERVANIX_BENCH_WITH_GSL)
void BM_Batch1D_Gsl(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    gsl_interp* const interp = gsl_interp_alloc(gsl_interp_linear, table.x.size());
    gsl_interp_init(interp, table.x.data(), table.y.data(), table.x.size());
    std::vector<double> results(kTargets);
    for (auto _ : state) {
        for (std::size_t i = 0; i < kTargets; ++i) {
            results[i] = gsl_interp_eval(interp, table.x.data(), table.y.data(), table.targets[i], nullptr);
        }
        benchmark::DoNotOptimize(results.data());
    }
    gsl_interp_free(interp);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTargets));
}
BENCHMARK(BM_Batch1D_Gsl)->Arg(1000)->Arg(65535);
#endif

// The pair lookup of Interp2D on a table of distinct X values.
void BM_Batch2D_Library(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x(1, static_cast<Long>(table.x.size())), y(1, static_cast<Long>(table.x.size()));
    std::copy(table.x.begin(), table.x.end(), x.begin());
    std::copy(table.y.begin(), table.y.end(), y.begin());
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    for (auto _ : state) {
        tervanix::Interp2DBatch(x, y, true, table.targets, results, outcomes);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTargets));
}

BENCHMARK(BM_Batch1D_Library)->Arg(1000)->Arg(65535);
BENCHMARK(BM_Batch1D_UpperBound)->Arg(1000)->Arg(65535);
BENCHMARK(BM_Batch1D_SingleCalls)->Arg(1000)->Arg(65535);
BENCHMARK(BM_Batch2D_Library)->Arg(1000)->Arg(30000);

}  // namespace
