// CSort against a plain bubble sort (bench/plain) with the same comparisons and
// exchanges: 1,000 Doubles in reverse order, held by reference in a Variant. Both
// sides refill the array before each sort, so both measure the same refill.
#include <benchmark/benchmark.h>

#include <vector>

#include <Tervanix/CSort.h>

#include "plain/CSort_plain.h"

namespace {

using tervanix::DoubleArray;
using tervanix::Long;
using tervanix::Variant;

constexpr int kCount = 1000;

void BM_BubbleSort1DArray_Reversed_Checked(benchmark::State& state) {
    const tervanix::CSort& sorter = tervanix::CSort::Default();
    DoubleArray x(1, kCount);
    Variant vXData = Variant::RefTo(x);
    for (auto _ : state) {
        for (Long i = 1; i <= kCount; ++i) x(i) = kCount - i;
        sorter.BubbleSort1DArray(vXData);
        benchmark::DoNotOptimize(x(1));
    }
}

void BM_BubbleSort1DArray_Reversed_Plain(benchmark::State& state) {
    std::vector<double> x(kCount);
    for (auto _ : state) {
        for (int i = 0; i < kCount; ++i) x[i] = kCount - 1 - i;
        plain::BubbleSort(x.data(), kCount);
        benchmark::DoNotOptimize(x[0]);
    }
}

}  // namespace

BENCHMARK(BM_BubbleSort1DArray_Reversed_Checked);
BENCHMARK(BM_BubbleSort1DArray_Reversed_Plain);
