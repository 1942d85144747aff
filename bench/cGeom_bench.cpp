// cGeom's vector and plane operations against the same formulas written plainly
// (bench/plain), side by side. Inputs vary from call to call and every output feeds
// a sink, so that neither side can be folded away; both sides are out-of-line calls
// into another translation unit.
#include <benchmark/benchmark.h>

#include <array>

#include <Tervanix/cGeom.h>

#include "plain/cGeom_plain.h"

namespace {

using tervanix::cGeom;

// Eight sets of twelve coordinates: three points, or three planes (a, b, c, d).
const std::array<std::array<double, 12>, 8> kSets = {{
    {1, 0, 0, -1, 0, 1, 0, -2, 0, 0, 1, -3},
    {1, 1, 1, -6, 1, -1, 0, 0, 0, 0, 1, -3},
    {-7, -0.2, -9.2, 3.4, 5.3, 1.5, 7.5, -3.7, 3.9, 1.9, 1.6, -0.9},
    {2.5, -1.25, 0.5, 4, -3, 2, 1, 7.5, 0.25, -6, 1.5, 2},
    {0.1, 0.2, 0.3, 1.1, -0.7, 0.4, -0.6, 0.9, 1.3, 2.2, -1.1, 0.5},
    {12, -4, 3, 100, 1, 8, -2, -50, 0.5, 0.5, 9, 1},
    {-9.3, -0.8, 2.8, -9.1, -4.9, -0.2, -9.1, -5.6, -2.5, 3, 3, 3},
    {3.75, 1, -2, 0, -1, 2.5, 4, 1, 2, -2, 6, 0.125},
}};

const cGeom geom;

template <typename F>
void Run(benchmark::State& state, F f) {
    std::size_t i = 0;
    for (auto _ : state) {
        f(kSets[i & 7]);
        ++i;
    }
}

void BM_DotProduct_Checked(benchmark::State& s) {
    Run(s, [](const auto& p) { benchmark::DoNotOptimize(geom.DotProduct(p[0], p[1], p[2], p[3], p[4], p[5])); });
}
void BM_DotProduct_Plain(benchmark::State& s) {
    Run(s, [](const auto& p) { benchmark::DoNotOptimize(plain::DotProduct(p[0], p[1], p[2], p[3], p[4], p[5])); });
}

void BM_CrossProduct_Checked(benchmark::State& s) {
    double v[3];
    Run(s, [&](const auto& p) {
        geom.CrossProduct(p[0], p[1], p[2], p[3], p[4], p[5], v[0], v[1], v[2]);
        benchmark::DoNotOptimize(v);
    });
}
void BM_CrossProduct_Plain(benchmark::State& s) {
    double v[3];
    Run(s, [&](const auto& p) {
        plain::CrossProduct(p[0], p[1], p[2], p[3], p[4], p[5], v[0], v[1], v[2]);
        benchmark::DoNotOptimize(v);
    });
}

void BM_PlaneCoeffsFrom3Pts_Checked(benchmark::State& s) {
    double v[4];
    Run(s, [&](const auto& p) {
        geom.PlaneCoeffsFrom3Pts(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], v[0], v[1], v[2], v[3]);
        benchmark::DoNotOptimize(v);
    });
}
void BM_PlaneCoeffsFrom3Pts_Plain(benchmark::State& s) {
    double v[4];
    Run(s, [&](const auto& p) {
        plain::PlaneCoeffsFrom3Pts(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], v[0], v[1], v[2], v[3]);
        benchmark::DoNotOptimize(v);
    });
}

void BM_Intersect3Planes_Checked(benchmark::State& s) {
    double v[3];
    Run(s, [&](const auto& p) {
        benchmark::DoNotOptimize(geom.Intersect3Planes(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9],
                                                       p[10], p[11], v[0], v[1], v[2]));
        benchmark::DoNotOptimize(v);
    });
}
void BM_Intersect3Planes_Plain(benchmark::State& s) {
    double v[3];
    Run(s, [&](const auto& p) {
        benchmark::DoNotOptimize(plain::Intersect3Planes(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9],
                                                         p[10], p[11], v[0], v[1], v[2]));
        benchmark::DoNotOptimize(v);
    });
}

}  // namespace

BENCHMARK(BM_DotProduct_Checked);
BENCHMARK(BM_DotProduct_Plain);
BENCHMARK(BM_CrossProduct_Checked);
BENCHMARK(BM_CrossProduct_Plain);
BENCHMARK(BM_PlaneCoeffsFrom3Pts_Checked);
BENCHMARK(BM_PlaneCoeffsFrom3Pts_Plain);
BENCHMARK(BM_Intersect3Planes_Checked);
BENCHMARK(BM_Intersect3Planes_Plain);
