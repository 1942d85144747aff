// CInterpolation against the same steps written plainly (bench/plain), side by side:
// the nested interpolations, and the table lookup on sorted tables of growing size.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include <Tervanix/CInterpolation.h>

#include "plain/CInterpolation_plain.h"

namespace {

using tervanix::CInterpolation;
using tervanix::DoubleArray;

const CInterpolation& interp = CInterpolation::Default();

// Corner values and fractions that change from call to call.
const std::array<double, 24> kV = {1.1, 2.3, 4.7, 8.9, 0.13, 5.9, 7.1, 3.3, 9.7, 0.21, 6.1, 2.9,
                                   3.7, 5.3, 8.3, 1.9, 0.3,  0.7, 0.9, 0.45, 0.6, 0.2, 0.8, 0.35};

template <typename F>
void RunCorners(benchmark::State& state, F f) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(&kV[i & 3], kV[16 + (i & 7)], kV[16 + ((i + 1) & 7)], kV[16 + ((i + 2) & 7)],
                                   kV[16 + ((i + 3) & 7)]));
        ++i;
    }
}

void BM_LinearInterpolation1Way_Checked(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double, double, double) {
        return interp.LinearInterpolation1Way(c[0], c[1], fx);
    });
}
void BM_LinearInterpolation1Way_Plain(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double, double, double) {
        return plain::LinearInterpolation1Way(c[0], c[1], fx);
    });
}
void BM_LinearInterpolation2Way_Checked(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double fy, double, double) {
        return interp.LinearInterpolation2Way(c[0], c[1], c[2], c[3], fx, fy);
    });
}
void BM_LinearInterpolation2Way_Plain(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double fy, double, double) {
        return plain::LinearInterpolation2Way(c[0], c[1], c[2], c[3], fx, fy);
    });
}
void BM_LinearInterpolation3Way_Checked(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double fy, double fz, double) {
        return interp.LinearInterpolation3Way(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], fx, fy, fz);
    });
}
void BM_LinearInterpolation3Way_Plain(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double fy, double fz, double) {
        return plain::LinearInterpolation3Way(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], fx, fy, fz);
    });
}
void BM_LinearInterpolation4Way_Checked(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double fy, double fz, double fa) {
        return interp.LinearInterpolation4Way(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10],
                                              c[11], c[12], c[13], c[14], c[15], fx, fy, fz, fa);
    });
}
void BM_LinearInterpolation4Way_Plain(benchmark::State& s) {
    RunCorners(s, [](const double* c, double fx, double fy, double fz, double fa) {
        return plain::LinearInterpolation4Way(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10],
                                              c[11], c[12], c[13], c[14], c[15], fx, fy, fz, fa);
    });
}

// A sorted table of n points, looked up just above its first X, so that every call
// makes the sort's one pass of comparisons and scans the whole table down.
// The per-point cost is the time divided by n (items_per_second counts points).
constexpr double kTarget = 0.5;

void BM_InterpolationOf1DArray_Checked(benchmark::State& state) {
    const auto n = static_cast<tervanix::Long>(state.range(0));
    const tervanix::Long lo = n > 32767 ? -32768 : 1;
    DoubleArray x(lo, lo + n - 1), y(lo, lo + n - 1);
    for (tervanix::Long i = 0; i < n; ++i) {
        x(lo + i) = i;
        y(lo + i) = 2.0 * i + 1.0;
    }
    double result = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interp.InterpolationOf1DArray(kTarget, x, y, tervanix::EXTRAPOLATE_LINEARLY, result));
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_InterpolationOf1DArray_Plain(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = i;
        y[i] = 2.0 * i + 1.0;
    }
    double result = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::InterpolationOf1DArray(kTarget, x.data(), y.data(), n, result));
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_LinearInterpolation1Way_Checked);
BENCHMARK(BM_LinearInterpolation1Way_Plain);
BENCHMARK(BM_LinearInterpolation2Way_Checked);
BENCHMARK(BM_LinearInterpolation2Way_Plain);
BENCHMARK(BM_LinearInterpolation3Way_Checked);
BENCHMARK(BM_LinearInterpolation3Way_Plain);
BENCHMARK(BM_LinearInterpolation4Way_Checked);
BENCHMARK(BM_LinearInterpolation4Way_Plain);
// The largest table whose positions are all Integers has 65,535 points (-32768 to 32766).
BENCHMARK(BM_InterpolationOf1DArray_Checked)->Arg(10)->Arg(1000)->Arg(65535);
BENCHMARK(BM_InterpolationOf1DArray_Plain)->Arg(10)->Arg(1000)->Arg(65535);
