// The library's correctly rounded sine, cosine and arctangent beside the C library's
// (std::sin, std::cos, std::atan), on the same arguments. Both sides are out-of-line
// calls; every result feeds a sink. The arguments are drawn at random (a fixed
// generator), so that neither side's branches can learn their order; the cases named
// _Grid take an evenly spaced grid in a fixed order instead, which a branch predictor
// does learn (kept to show the difference). Run interleaved for a fair ratio:
//   tervanix_bench --benchmark_filter=Trig --benchmark_repetitions=5
//                  --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include <Tervanix/elementary/Trig.h>

namespace {

// 4096 arguments drawn uniformly from [lo, hi) by a linear congruential generator,
// the same on every run.
std::vector<double> Arguments(double lo, double hi) {
    std::vector<double> v(4096);
    unsigned long long state = 12345;
    for (double& x : v) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        x = lo + (hi - lo) * (static_cast<double>(state >> 11) * 0x1p-53);
    }
    return v;
}

// 4096 arguments spread evenly over [lo, hi] in a fixed scrambled order: each next
// argument a fixed stride further on, modulo the interval.
std::vector<double> Grid(double lo, double hi) {
    std::vector<double> v(4096);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = lo + (hi - lo) * static_cast<double>((i * 2654435761u) % 4096) / 4096.0;
    return v;
}

const std::vector<double> kAngles = Arguments(-7.0, 7.0);         // up to a turn either way
const std::vector<double> kLargeAngles = Arguments(1e5, 1e15);    // reduction by many multiples
const std::vector<double> kRatios = Arguments(-8.0, 8.0);
const std::vector<double> kAngleGrid = Grid(-7.0, 7.0);
const std::vector<double> kRatioGrid = Grid(-8.0, 8.0);

void Run(benchmark::State& state, double (*f)(double), const std::vector<double>& args) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(args[i & 4095]));
        ++i;
    }
}

double LibSin(double x) { return std::sin(x); }
double LibCos(double x) { return std::cos(x); }
double LibAtan(double x) { return std::atan(x); }

}  // namespace

BENCHMARK_CAPTURE(Run, Trig_Sin_Ours, tervanix::rt::cr::Sin, kAngles);
BENCHMARK_CAPTURE(Run, Trig_Sin_Lib, LibSin, kAngles);
BENCHMARK_CAPTURE(Run, Trig_Cos_Ours, tervanix::rt::cr::Cos, kAngles);
BENCHMARK_CAPTURE(Run, Trig_Cos_Lib, LibCos, kAngles);
BENCHMARK_CAPTURE(Run, Trig_SinLarge_Ours, tervanix::rt::cr::Sin, kLargeAngles);
BENCHMARK_CAPTURE(Run, Trig_SinLarge_Lib, LibSin, kLargeAngles);
BENCHMARK_CAPTURE(Run, Trig_Atan_Ours, tervanix::rt::cr::Atan, kRatios);
BENCHMARK_CAPTURE(Run, Trig_Atan_Lib, LibAtan, kRatios);
BENCHMARK_CAPTURE(Run, Trig_Sin_Grid_Ours, tervanix::rt::cr::Sin, kAngleGrid);
BENCHMARK_CAPTURE(Run, Trig_Sin_Grid_Lib, LibSin, kAngleGrid);
BENCHMARK_CAPTURE(Run, Trig_Cos_Grid_Ours, tervanix::rt::cr::Cos, kAngleGrid);
BENCHMARK_CAPTURE(Run, Trig_Cos_Grid_Lib, LibCos, kAngleGrid);
BENCHMARK_CAPTURE(Run, Trig_Atan_Grid_Ours, tervanix::rt::cr::Atan, kRatioGrid);
BENCHMARK_CAPTURE(Run, Trig_Atan_Grid_Lib, LibAtan, kRatioGrid);
