// The batch lookups per target, beside std::upper_bound plus one interpolation
// (bench/plain), GSL's gsl_interp_eval with and without its accelerator (when GSL is
// installed), and one single call per target. Every side looks up the same 65,536
// fresh random targets per iteration, or the same targets sorted (the "Sorted"
// variants), so that no branch predictor learns them. items_per_second counts
// targets. For one interleaved run:
//   tervanix_bench --benchmark_filter=Batch --benchmark_enable_random_interleaving=true
//                  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <thread>
#include <vector>

#include <Tervanix/Batch.h>
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include "BatchTable.h"
#include "plain/Batch_plain.h"

#if defined(TERVANIX_BENCH_WITH_GSL)
#include <gsl/gsl_errno.h>
#include <gsl/gsl_interp.h>
#endif

namespace {

using benchdata::kTargets;
using tervanix::BatchOutcome;
using tervanix::DoubleArray;
using tervanix::Long;

// A table of n points and kTargets targets, with its values as the library's arrays.
struct Table : benchdata::BatchTable {
    explicit Table(std::size_t n) : BatchTable(n, kTargets) {}
    // The values as a library array from 1.
    static DoubleArray Array(const std::vector<double>& values) { return ArrayFrom(1, values); }
    // A 1-D table's values: from -32768 when it needs more positions than 1 to 32767 give.
    static DoubleArray Array1D(const std::vector<double>& values) {
        return ArrayFrom(values.size() > 32767 ? -32768 : 1, values);
    }
    static DoubleArray ArrayFrom(Long lo, const std::vector<double>& values) {
        DoubleArray a(lo, static_cast<Long>(lo + static_cast<Long>(values.size()) - 1));
        std::copy(values.begin(), values.end(), a.begin());
        return a;
    }
    // The targets of the benchmark: range(1) is 1 for the sorted ones.
    const std::vector<double>& Targets(const benchmark::State& state) const {
        return state.range(1) != 0 ? sortedTargets : targets;
    }
};

void CountTargets(benchmark::State& state, std::size_t perIteration) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(perIteration));
}

// Times lookUp(), which fills results with a value for every target, once per iteration.
template <typename LookUp>
void TimeLookups(benchmark::State& state, std::vector<double>& results, LookUp lookUp) {
    for (auto _ : state) {
        lookUp();
        benchmark::DoNotOptimize(results.data());
    }
    CountTargets(state, results.size());
}

// Times call(target, result), one call per iteration on the next target in turn.
template <typename Call>
void TimeSingleCalls(benchmark::State& state, const std::vector<double>& targets, Call call) {
    std::size_t i = 0;
    double result = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(targets[i++ % kTargets], result));
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Batch1D_Library(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x = Table::Array1D(table.x), y = Table::Array1D(table.y);
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    TimeLookups(state, results, [&] {
        tervanix::InterpolationOf1DArrayBatch(x, y, tervanix::EXTRAPOLATE_LINEARLY, table.Targets(state), results,
                                              outcomes);
    });
}

void BM_Batch1D_UpperBound(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    const std::vector<double>& targets = table.Targets(state);
    std::vector<double> results(kTargets);
    TimeLookups(state, results, [&] {
        plain::UpperBoundInterpolation(table.x.data(), table.y.data(), static_cast<int>(table.x.size()),
                                       targets.data(), results.data(), kTargets);
    });
}

// One InterpolationOf1DArray call per target: a sort pass and a scan each time.
void BM_Batch1D_SingleCalls(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x = Table::Array1D(table.x), y = Table::Array1D(table.y);
    const tervanix::CInterpolation& interp = tervanix::CInterpolation::Default();
    TimeSingleCalls(state, table.Targets(state), [&](double target, double& result) {
        return interp.InterpolationOf1DArray(target, x, y, tervanix::EXTRAPOLATE_LINEARLY, result);
    });
}

// The pair lookup of Interp2D on a table of distinct X values.
void BM_Batch2D_Library(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x = Table::Array(table.x), y = Table::Array(table.y);
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    TimeLookups(state, results, [&] { tervanix::Interp2DBatch(x, y, true, table.Targets(state), results, outcomes); });
}

void BM_Batch2D_SingleCalls(benchmark::State& state) {
    const Table table(static_cast<std::size_t>(state.range(0)));
    DoubleArray x = Table::Array(table.x), y = Table::Array(table.y);
    const tervanix::cInterp2 interp;
    TimeSingleCalls(state, table.Targets(state), [&](double target, double& result) {
        return interp.Interp2D(x, y, true, target, result);
    });
}

#if defined(TERVANIX_BENCH_WITH_GSL)
// gsl_interp_eval per target; range(2) is 1 with the accelerator, which remembers
// the previous target's interval.
void BM_Batch1D_Gsl(benchmark::State& state) {
    gsl_set_error_handler_off();
    const Table table(static_cast<std::size_t>(state.range(0)));
    const std::vector<double>& targets = table.Targets(state);
    gsl_interp* const interp = gsl_interp_alloc(gsl_interp_linear, table.x.size());
    gsl_interp_init(interp, table.x.data(), table.y.data(), table.x.size());
    gsl_interp_accel* const accel = state.range(2) != 0 ? gsl_interp_accel_alloc() : nullptr;
    std::vector<double> results(kTargets);
    TimeLookups(state, results, [&] {
        for (std::size_t i = 0; i < kTargets; ++i) {
            results[i] = gsl_interp_eval(interp, table.x.data(), table.y.data(), targets[i], accel);
        }
    });
    if (accel != nullptr) gsl_interp_accel_free(accel);
    gsl_interp_free(interp);
}
BENCHMARK(BM_Batch1D_Gsl)->ArgsProduct({{10, 1000, 65535}, {0, 1}, {0, 1}})->ArgNames({"points", "sorted", "accel"});
#endif

// Every 1-D and pair benchmark at 10, 1,000 and 65,535 points, random and sorted targets.
void TableSizes(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{10, 1000, 65535}, {0, 1}})->ArgNames({"points", "sorted"});
}
BENCHMARK(BM_Batch1D_Library)->Apply(TableSizes);
BENCHMARK(BM_Batch1D_UpperBound)->Apply(TableSizes);
BENCHMARK(BM_Batch1D_SingleCalls)->Apply(TableSizes);
BENCHMARK(BM_Batch2D_Library)->Apply(TableSizes);
BENCHMARK(BM_Batch2D_SingleCalls)->Apply(TableSizes);

// ---- Grids ----------------------------------------------------------------------

// A grid of n values on each axis, with values at random, and kTargets points inside it.
struct Grid {
    std::vector<double> axis, z2, z3, a, b, c;
    explicit Grid(int n) : axis(benchdata::BatchTable(static_cast<std::size_t>(n), 0).x) {
        const benchdata::BatchTable values(static_cast<std::size_t>(n) * n * n, 0);
        z3 = values.y;
        z2.assign(z3.begin(), z3.begin() + static_cast<std::ptrdiff_t>(n) * n);
        a = benchdata::RandomTargets(kTargets, axis.front(), axis.back(), 21);
        b = benchdata::RandomTargets(kTargets, axis.front(), axis.back(), 22);
        c = benchdata::RandomTargets(kTargets, axis.front(), axis.back(), 23);
    }
    int n() const { return static_cast<int>(axis.size()); }
};

void BM_Batch3D_Library(benchmark::State& state) {
    const Grid grid(static_cast<int>(state.range(0)));
    const Long n = grid.n();
    const DoubleArray x = Table::Array(grid.axis), y = Table::Array(grid.axis);
    tervanix::DoubleArray2D z(1, n, 1, n);
    std::copy(grid.z2.begin(), grid.z2.end(), z.begin());
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    TimeLookups(state, results, [&] { tervanix::Interp3DBatch(x, y, z, false, grid.a, grid.b, results, outcomes); });
}

void BM_Batch3D_PlainBilinear(benchmark::State& state) {
    const Grid grid(static_cast<int>(state.range(0)));
    std::vector<double> results(kTargets);
    TimeLookups(state, results, [&] {
        plain::BilinearLookups(grid.axis.data(), grid.n(), grid.axis.data(), grid.n(), grid.z2.data(), grid.a.data(),
                               grid.b.data(), results.data(), kTargets);
    });
}

void BM_Batch4D_Library(benchmark::State& state) {
    const Grid grid(static_cast<int>(state.range(0)));
    const Long n = grid.n();
    const DoubleArray w = Table::Array(grid.axis), x = w, y = w;
    tervanix::DoubleArray3D z(1, n, 1, n, 1, n);
    std::copy(grid.z3.begin(), grid.z3.end(), z.begin());
    std::vector<double> results(kTargets);
    std::vector<BatchOutcome> outcomes(kTargets);
    TimeLookups(state, results,
                [&] { tervanix::Interp4DBatch(w, x, y, z, false, grid.a, grid.b, grid.c, results, outcomes); });
}

void BM_Batch4D_PlainTrilinear(benchmark::State& state) {
    const Grid grid(static_cast<int>(state.range(0)));
    const double* const axis = grid.axis.data();
    std::vector<double> results(kTargets);
    TimeLookups(state, results, [&] {
        plain::TrilinearLookups(axis, grid.n(), axis, grid.n(), axis, grid.n(), grid.z3.data(), grid.a.data(),
                                grid.b.data(), grid.c.data(), results.data(), kTargets);
    });
}

BENCHMARK(BM_Batch3D_Library)->Arg(10)->Arg(100);
BENCHMARK(BM_Batch3D_PlainBilinear)->Arg(10)->Arg(100);
BENCHMARK(BM_Batch4D_Library)->Arg(10)->Arg(100);
BENCHMARK(BM_Batch4D_PlainTrilinear)->Arg(10)->Arg(100);

// ---- Threads --------------------------------------------------------------------

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// 10^6 targets on a 1,000-point table with range(0) threads (0: every core), timed on
// the wall clock. The counters give the CPU time of the whole process per iteration
// and its share per thread, beside the wall time the benchmark reports.
void BM_BatchThreads(benchmark::State& state) {
    constexpr std::size_t kMany = 1000000;
    const benchdata::BatchTable table(1000, kMany);
    DoubleArray x = Table::Array(table.x), y = Table::Array(table.y);
    std::vector<double> results(kMany);
    std::vector<BatchOutcome> outcomes(kMany);
    tervanix::BatchOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    const unsigned used = options.threads == 0 ? std::max(1u, std::thread::hardware_concurrency()) : options.threads;
    const double cpuBefore = ProcessCpuSeconds();
    TimeLookups(state, results, [&] {
        tervanix::InterpolationOf1DArrayBatch(x, y, tervanix::EXTRAPOLATE_LINEARLY, table.targets, results, outcomes,
                                              options);
    });
    const double cpu = (ProcessCpuSeconds() - cpuBefore) / static_cast<double>(state.iterations());
    state.counters["process_cpu_ms"] = 1e3 * cpu;
    state.counters["cpu_ms_per_thread"] = 1e3 * cpu / used;
    state.counters["threads_used"] = used;
}
BENCHMARK(BM_BatchThreads)->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
