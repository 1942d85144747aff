// cGenUtil against the same formulas written plainly (bench/plain), side by side.
// Inputs vary from call to call and results feed a sink, so that neither side can
// be folded away; both sides are out-of-line calls into another translation unit.
#include <benchmark/benchmark.h>

#include <array>

#include <Tervanix/cGenUtil.h>

#include "plain/cGenUtil_plain.h"

namespace {

using tervanix::cGenUtil;

const std::array<double, 8> kX = {1.5, 2.25, 3.0, 100.0, 0.125, 7.5, 42.0, 60.0};
const std::array<double, 8> kY = {2.5, 1.75, 3.5, 99.0, 0.25, 8.0, 41.0, 61.0};

template <typename F>
void RunPairs(benchmark::State& state, F f) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(kX[i & 7], kY[i & 7]));
        ++i;
    }
}

const cGenUtil util;

void BM_Avg_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return util.Avg(x, y); }); }
void BM_Avg_Plain(benchmark::State& s) { RunPairs(s, plain::Avg); }
void BM_Min_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return util.Min(x, y); }); }
void BM_Min_Plain(benchmark::State& s) { RunPairs(s, plain::Min); }
void BM_Max_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return util.Max(x, y); }); }
void BM_Max_Plain(benchmark::State& s) { RunPairs(s, plain::Max); }
void BM_Log10_Checked(benchmark::State& s) { RunPairs(s, [](double x, double) { return util.Log10(x); }); }
void BM_Log10_Plain(benchmark::State& s) { RunPairs(s, [](double x, double) { return plain::Log10(x); }); }
void BM_Log10Sum_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return util.Log10Sum(x / 1e4, y / 1e4); }); }
void BM_Log10Sum_Plain(benchmark::State& s) { RunPairs(s, [](double x, double y) { return plain::Log10Sum(x / 1e4, y / 1e4); }); }
void BM_LogDBSum_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return util.LogDBSum(x, y); }); }
void BM_LogDBSum_Plain(benchmark::State& s) { RunPairs(s, plain::LogDBSum); }
void BM_IsEqualAbs_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return static_cast<bool>(util.IsEqualAbs(x, y, 0.5)); }); }
void BM_IsEqualAbs_Plain(benchmark::State& s) { RunPairs(s, [](double x, double y) { return plain::IsEqualAbs(x, y, 0.5); }); }
void BM_IsEqualRel_Checked(benchmark::State& s) { RunPairs(s, [](double x, double y) { return static_cast<bool>(util.IsEqualRel(x, y, 0.5)); }); }
void BM_IsEqualRel_Plain(benchmark::State& s) { RunPairs(s, [](double x, double y) { return plain::IsEqualRel(x, y, 0.5); }); }

void BM_IntToBin_Checked(benchmark::State& state) {
    tervanix::String text;
    std::int16_t n = -1234;
    for (auto _ : state) {
        util.IntToBin(n, text);
        benchmark::DoNotOptimize(text.data());
        n = static_cast<std::int16_t>(n + 7);
    }
}
void BM_IntToBin_Plain(benchmark::State& state) {
    std::u16string text;
    std::int16_t n = -1234;
    for (auto _ : state) {
        plain::IntToBin(n, text);
        benchmark::DoNotOptimize(text.data());
        n = static_cast<std::int16_t>(n + 7);
    }
}
void BM_BinToLong_Checked(benchmark::State& state) {
    tervanix::String text;
    util.LongToBin(-123456789, text);
    tervanix::Long n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(util.BinToLong(text, n));
        benchmark::DoNotOptimize(n);
    }
}
void BM_BinToLong_Plain(benchmark::State& state) {
    std::u16string text;
    plain::LongToBin(-123456789, text);
    std::int32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::BinToLong(text, n));
        benchmark::DoNotOptimize(n);
    }
}
void BM_LongToBin_Checked(benchmark::State& state) {
    tervanix::String text;
    tervanix::Long n = -123456789;
    for (auto _ : state) {
        util.LongToBin(n, text);
        benchmark::DoNotOptimize(text.data());
        n += 7777;
    }
}
void BM_LongToBin_Plain(benchmark::State& state) {
    std::u16string text;
    std::int32_t n = -123456789;
    for (auto _ : state) {
        plain::LongToBin(n, text);
        benchmark::DoNotOptimize(text.data());
        n += 7777;
    }
}
void BM_BinToInt_Checked(benchmark::State& state) {
    tervanix::String text;
    util.IntToBin(-12345, text);
    tervanix::Integer n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(util.BinToInt(text, n));
        benchmark::DoNotOptimize(n);
    }
}
void BM_BinToInt_Plain(benchmark::State& state) {
    std::u16string text;
    plain::IntToBin(-12345, text);
    std::int16_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::BinToInt(text, n));
        benchmark::DoNotOptimize(n);
    }
}

}  // namespace

BENCHMARK(BM_Min_Checked);
BENCHMARK(BM_Min_Plain);
BENCHMARK(BM_Max_Checked);
BENCHMARK(BM_Max_Plain);
BENCHMARK(BM_Avg_Checked);
BENCHMARK(BM_Avg_Plain);
BENCHMARK(BM_Log10_Checked);
BENCHMARK(BM_Log10_Plain);
BENCHMARK(BM_Log10Sum_Checked);
BENCHMARK(BM_Log10Sum_Plain);
BENCHMARK(BM_LogDBSum_Checked);
BENCHMARK(BM_LogDBSum_Plain);
BENCHMARK(BM_IsEqualAbs_Checked);
BENCHMARK(BM_IsEqualAbs_Plain);
BENCHMARK(BM_IsEqualRel_Checked);
BENCHMARK(BM_IsEqualRel_Plain);
BENCHMARK(BM_IntToBin_Checked);
BENCHMARK(BM_IntToBin_Plain);
BENCHMARK(BM_BinToInt_Checked);
BENCHMARK(BM_BinToInt_Plain);
BENCHMARK(BM_LongToBin_Checked);
BENCHMARK(BM_LongToBin_Plain);
BENCHMARK(BM_BinToLong_Checked);
BENCHMARK(BM_BinToLong_Plain);
