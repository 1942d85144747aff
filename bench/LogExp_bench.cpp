// The library's correctly rounded logarithm and powers against the C library's, side
// by side on the same arguments: 1024 drawn at random, spread as a calculation spreads
// them, and (the cases named _Grid) 1024 evenly spaced ones taken in ascending order,
// whose branches a predictor learns. Run with --benchmark_enable_random_interleaving=true
// to interleave the two.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "Tervanix/elementary/LogExp.h"

namespace {

namespace cr = tervanix::rt::cr;

// Positive numbers from 1e-20 to 1e20, and exponents from -30 to 30: a linear
// congruential walk, the same on every run.
template <typename Make>
std::array<double, 1024> Arguments(Make make) {
    std::array<double, 1024> a{};
    unsigned long long state = 12345;
    for (double& x : a) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        x = make(static_cast<double>(state >> 11) / 9007199254740992.0);  // [0, 1)
    }
    return a;
}
const auto kPositive = Arguments([](double u) { return std::exp((u - 0.5) * 92.0); });
const auto kExponent = Arguments([](double u) { return (u - 0.5) * 60.0; });

template <typename Make>
std::array<double, 1024> Grid(Make make) {
    std::array<double, 1024> a{};
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = make(static_cast<double>(i) / 1024.0);
    return a;
}
const auto kPositiveGrid = Grid([](double u) { return std::exp((u - 0.5) * 92.0); });
const auto kExponentGrid = Grid([](double u) { return (u - 0.5) * 60.0; });

template <typename F>
void Run(benchmark::State& state, const std::array<double, 1024>& args, F f) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(args[i & 1023]));
        ++i;
    }
}

void BM_Log_Ours(benchmark::State& s) { Run(s, kPositive, [](double x) { return cr::Log(x); }); }
void BM_Log_CLibrary(benchmark::State& s) { Run(s, kPositive, [](double x) { return std::log(x); }); }
void BM_Pow10_Ours(benchmark::State& s) { Run(s, kExponent, [](double y) { return cr::Exp10(y); }); }
void BM_Pow10_CLibrary(benchmark::State& s) { Run(s, kExponent, [](double y) { return std::pow(10.0, y); }); }
void BM_Pow2_Ours(benchmark::State& s) { Run(s, kExponent, [](double y) { return cr::Exp2(y); }); }
void BM_Pow2_CLibrary(benchmark::State& s) { Run(s, kExponent, [](double y) { return std::exp2(y); }); }
void BM_Log_Grid_Ours(benchmark::State& s) { Run(s, kPositiveGrid, [](double x) { return cr::Log(x); }); }
void BM_Log_Grid_CLibrary(benchmark::State& s) { Run(s, kPositiveGrid, [](double x) { return std::log(x); }); }
void BM_Pow2_Grid_Ours(benchmark::State& s) { Run(s, kExponentGrid, [](double y) { return cr::Exp2(y); }); }
void BM_Pow2_Grid_CLibrary(benchmark::State& s) { Run(s, kExponentGrid, [](double y) { return std::exp2(y); }); }

}  // namespace

BENCHMARK(BM_Log_Ours);
BENCHMARK(BM_Log_CLibrary);
BENCHMARK(BM_Pow10_Ours);
BENCHMARK(BM_Pow10_CLibrary);
BENCHMARK(BM_Pow2_Ours);
BENCHMARK(BM_Pow2_CLibrary);
BENCHMARK(BM_Log_Grid_Ours);
BENCHMARK(BM_Log_Grid_CLibrary);
BENCHMARK(BM_Pow2_Grid_Ours);
BENCHMARK(BM_Pow2_Grid_CLibrary);
