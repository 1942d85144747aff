// The library's correctly rounded sine, cosine and arctangent beside the C library's
// (std::sin, std::cos, std::atan), on the same arguments. Both sides are out-of-line
// calls; every result feeds a sink. Run interleaved for a fair ratio:
//   tervanix_bench --benchmark_filter=Trig --benchmark_repetitions=5
//                  --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include <Tervanix/elementary/Trig.h>

namespace {

// 4096 arguments spread evenly over [lo, hi] in a fixed scrambled order.
std::vector<double> Arguments(double lo, double hi) {
    std::vector<double> v(4096);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = lo + (hi - lo) * static_cast<double>((i * 2654435761u) % 4096) / 4096.0;
    return v;
}

const std::vector<double> kAngles = Arguments(-7.0, 7.0);         // up to a turn either way
const std::vector<double> kLargeAngles = Arguments(1e5, 1e15);    // reduction by many multiples
const std::vector<double> kRatios = Arguments(-8.0, 8.0);

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
