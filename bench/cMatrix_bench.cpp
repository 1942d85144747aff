// cMatrix.Calc on a dense N = 500 system beside the same steps written plainly
// (bench/plain), and on N = 200 zero patterns whose row order a search over
// permutations could not find in any reasonable time.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include <Tervanix/cMatrix.h>

#include "MatrixData.h"
#include "plain/cMatrix_plain.h"

namespace {

using tervanix::Long;

// Coefficients of magnitude 0.5 to 2 with random signs; `zero(r, c)` (0-based)
// marks the ones that are 0.0.
template <typename Zero>
std::vector<double> Coefficients(int n, Zero zero) {
    std::mt19937_64 gen(static_cast<std::uint64_t>(n));
    std::uniform_real_distribution<double> value(0.5, 2.0);
    std::vector<double> A(static_cast<std::size_t>(n) * n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const double v = (gen() & 1 ? -1 : 1) * value(gen);
            A[r * n + c] = zero(r, c, gen) ? 0.0 : v;
        }
    }
    return A;
}

std::vector<double> Constants(int n) {
    std::vector<double> b(n);
    for (int i = 0; i < n; ++i) b[i] = 1.0 + i % 7;
    return b;
}

tervanix::cMatrix Make(int n, const std::vector<double>& A, const std::vector<double>& b) {
    tervanix::cMatrix m;
    m.MatrixSize(n);
    for (Long r = 1; r <= n; ++r) {
        m.AddToVector(r, b[r - 1]);
        for (Long c = 1; c <= n; ++c) m.AddToMatrix(r, c, A[(r - 1) * n + (c - 1)]);
    }
    return m;
}

void RunCalc(benchmark::State& state, const tervanix::cMatrix& m) {
    std::shared_ptr<tervanix::Collection> solution;
    for (auto _ : state) {
        if (!m.Calc(solution)) state.SkipWithError("Calc gave False");
        benchmark::DoNotOptimize(solution.get());
    }
}

constexpr int kDense = 500;
constexpr int kPattern = 200;

// The system of 200 equations that Eigen's LU solve takes too (cMatrixOps_eigen_bench.cpp).
void BM_CalcDense200_Checked(benchmark::State& state) {
    RunCalc(state, Make(benchdata::kSolveSize, benchdata::ToSolve(), benchdata::SolveConstants()));
}

void BM_CalcDense200_Plain(benchmark::State& state) {
    std::vector<double> x;
    for (auto _ : state) {
        if (!plain::SolveInIdentityOrder(benchdata::kSolveSize, benchdata::ToSolve(), benchdata::SolveConstants(), x)) {
            state.SkipWithError("gave False");
        }
        benchmark::DoNotOptimize(x.data());
    }
}

void BM_CalcDense500_Checked(benchmark::State& state) {
    RunCalc(state, Make(kDense, Coefficients(kDense, [](int, int, auto&) { return false; }), Constants(kDense)));
}

void BM_CalcDense500_Plain(benchmark::State& state) {
    const std::vector<double> A = Coefficients(kDense, [](int, int, auto&) { return false; });
    const std::vector<double> b = Constants(kDense);
    std::vector<double> x;
    for (auto _ : state) {
        if (!plain::SolveInIdentityOrder(kDense, A, b, x)) state.SkipWithError("gave False");
        benchmark::DoNotOptimize(x.data());
    }
}

// The last column is non-zero only in row 1, so the order is (2, 3, ..., N, 1).
void BM_CalcLastColumnInRowOne200(benchmark::State& state) {
    const auto zero = [](int r, int c, auto&) { return c == kPattern - 1 && r > 0; };
    RunCalc(state, Make(kPattern, Coefficients(kPattern, zero), Constants(kPattern)));
}

void BM_CalcThirdZero200(benchmark::State& state) {
    const auto zero = [](int, int, auto& gen) { return gen() % 3 == 0; };
    RunCalc(state, Make(kPattern, Coefficients(kPattern, zero), Constants(kPattern)));
}

}  // namespace

BENCHMARK(BM_CalcDense200_Checked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcDense200_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcDense500_Checked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcDense500_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcLastColumnInRowOne200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcThirdZero200)->Unit(benchmark::kMillisecond);
