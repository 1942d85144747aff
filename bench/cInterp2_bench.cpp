// cInterp2's lookups against the same steps written plainly (bench/plain), side by
// side, at the sizes where the table check dominates a call: Interp2D on a sorted
// 1,000-point table (one sort pass, the distinct-X test and the search each walk
// it), Interp3D on a 100 x 100 grid and Interp4D on a 30 x 30 x 30 grid (the order
// check walks every axis). The point moves from call to call across the table.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <Tervanix/cInterp2.h>

#include "plain/cInterp2_plain.h"

namespace {

using namespace tervanix;

const cInterp2 interp;

// Grid value i of n, ascending with uneven steps.
double GridValue(Long i) { return 0.75 * i + 0.001 * (i % 7); }
double TableValue(Long i) { return 3.0 + 0.5 * (i % 11) - 0.002 * i; }

// 64 points drawn at random inside a grid of n values, taken in turn: the cell that
// the search ends in changes from call to call as it would for a caller's points, so
// that neither side can learn where its search loop ends.
constexpr std::size_t kPoints = 64;
std::array<double, kPoints> Points(Long n) {
    std::array<double, kPoints> p{};
    std::uint32_t seed = 2024;
    for (double& point : p) {
        seed = seed * 1664525u + 1013904223u;
        point = GridValue(1) + (GridValue(n) - GridValue(1)) * ((seed >> 8) / 16777216.0);
    }
    return p;
}
// The point of call k on one axis; the axes of a call draw different points.
inline std::size_t At(std::size_t k, std::size_t axis) { return (k + 23 * axis) % kPoints; }

DoubleArray Grid(Long n) {
    DoubleArray g(1, n);
    for (Long i = 1; i <= n; ++i) g(i) = GridValue(i);
    return g;
}

std::vector<double> PlainGrid(Long n) {
    std::vector<double> g;
    for (Long i = 1; i <= n; ++i) g.push_back(GridValue(i));
    return g;
}

constexpr Long kTable = 1000, kGrid3 = 100, kGrid4 = 30;

void BM_Interp2D_Checked(benchmark::State& state) {
    DoubleArray x = Grid(kTable), y(1, kTable);
    for (Long i = 1; i <= kTable; ++i) y(i) = TableValue(i);
    const auto p = Points(kTable);
    const Boolean allow = false;
    Double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interp.Interp2D(x, y, allow, p[At(k++, 0)], out));
        benchmark::DoNotOptimize(out);
    }
}
void BM_Interp2D_Plain(benchmark::State& state) {
    std::vector<double> x = PlainGrid(kTable), y;
    for (Long i = 1; i <= kTable; ++i) y.push_back(TableValue(i));
    const auto p = Points(kTable);
    double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::Interp2D(x, y, false, p[At(k++, 0)], out));
        benchmark::DoNotOptimize(out);
    }
}

void BM_Interp3D_Checked(benchmark::State& state) {
    const DoubleArray x = Grid(kGrid3), y = Grid(kGrid3);
    DoubleArray2D z(1, kGrid3, 1, kGrid3);
    for (Long i = 1; i <= kGrid3; ++i)
        for (Long j = 1; j <= kGrid3; ++j) z(i, j) = TableValue(i) * TableValue(j);
    const auto p = Points(kGrid3);
    const Boolean allow = false;
    Double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interp.Interp3D(x, y, z, allow, p[At(k, 0)], p[At(k, 1)], out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
void BM_Interp3D_Plain(benchmark::State& state) {
    const std::vector<double> x = PlainGrid(kGrid3), y = PlainGrid(kGrid3);
    std::vector<double> z;
    for (Long i = 1; i <= kGrid3; ++i)
        for (Long j = 1; j <= kGrid3; ++j) z.push_back(TableValue(i) * TableValue(j));
    const auto p = Points(kGrid3);
    double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::Interp3D(x, y, z, false, p[At(k, 0)], p[At(k, 1)], out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}

void BM_Interp4D_Checked(benchmark::State& state) {
    const DoubleArray g = Grid(kGrid4);
    DoubleArray3D z(1, kGrid4, 1, kGrid4, 1, kGrid4);
    for (Long i = 1; i <= kGrid4; ++i)
        for (Long j = 1; j <= kGrid4; ++j)
            for (Long m = 1; m <= kGrid4; ++m) z(i, j, m) = TableValue(i) * TableValue(j) + TableValue(m);
    const auto p = Points(kGrid4);
    const Boolean allow = false;
    Double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interp.Interp4D(g, g, g, z, allow, p[At(k, 0)], p[At(k, 1)], p[At(k, 2)], out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
void BM_Interp4D_Plain(benchmark::State& state) {
    const std::vector<double> g = PlainGrid(kGrid4);
    std::vector<double> z;
    for (Long i = 1; i <= kGrid4; ++i)
        for (Long j = 1; j <= kGrid4; ++j)
            for (Long m = 1; m <= kGrid4; ++m) z.push_back(TableValue(i) * TableValue(j) + TableValue(m));
    const auto p = Points(kGrid4);
    double out = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::Interp4D(g, g, g, z, false, p[At(k, 0)], p[At(k, 1)], p[At(k, 2)], out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}

}  // namespace

BENCHMARK(BM_Interp2D_Checked);
BENCHMARK(BM_Interp2D_Plain);
BENCHMARK(BM_Interp3D_Checked);
BENCHMARK(BM_Interp3D_Plain);
BENCHMARK(BM_Interp4D_Checked);
BENCHMARK(BM_Interp4D_Plain);
