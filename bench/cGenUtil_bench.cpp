// cGenUtil against the same formulas written plainly (bench/plain), side by side.
// Inputs vary from call to call and results feed a sink, so that neither side can
// be folded away; both sides are out-of-line calls into another translation unit.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

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

// Text of a changing value, written into the same string each time.
template <typename N, typename F>
void RunToText(benchmark::State& state, N start, N step, F toText) {
    std::u16string text;
    N n = start;
    for (auto _ : state) {
        toText(n, text);
        benchmark::DoNotOptimize(text.data());
        n = static_cast<N>(n + step);
    }
}

// Texts of 64 values spread over the whole range, read back in turn: the characters
// change from call to call as they would for a caller's data, so that neither side
// can learn one text's branches.
template <typename N>
std::array<std::u16string, 64> BinaryTexts() {
    std::array<std::u16string, 64> texts;
    std::uint32_t seed = 12345;
    for (auto& text : texts) {
        seed = seed * 1664525u + 1013904223u;
        plain::LongToBin(static_cast<std::int32_t>(seed), text);
        text.resize(8 * sizeof(N));  // for a 16-bit value its high half, the generator's best bits
    }
    return texts;
}

template <typename N, typename F>
void RunFromText(benchmark::State& state, F fromText) {
    static const std::array<std::u16string, 64> texts = BinaryTexts<N>();
    N n = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fromText(texts[i++ & 63], n));
        benchmark::DoNotOptimize(n);
    }
}

void BM_IntToBin_Checked(benchmark::State& s) {
    RunToText<std::int16_t>(s, -1234, 7, [](std::int16_t n, std::u16string& t) { return util.IntToBin(n, t); });
}
void BM_IntToBin_Plain(benchmark::State& s) { RunToText<std::int16_t>(s, -1234, 7, plain::IntToBin); }
void BM_LongToBin_Checked(benchmark::State& s) {
    RunToText<std::int32_t>(s, -123456789, 7777, [](std::int32_t n, std::u16string& t) { return util.LongToBin(n, t); });
}
void BM_LongToBin_Plain(benchmark::State& s) { RunToText<std::int32_t>(s, -123456789, 7777, plain::LongToBin); }
void BM_BinToInt_Checked(benchmark::State& s) {
    RunFromText<std::int16_t>(s, [](const std::u16string& t, std::int16_t& n) { return static_cast<bool>(util.BinToInt(t, n)); });
}
void BM_BinToInt_Plain(benchmark::State& s) { RunFromText<std::int16_t>(s, plain::BinToInt); }
void BM_BinToLong_Checked(benchmark::State& s) {
    RunFromText<std::int32_t>(s, [](const std::u16string& t, std::int32_t& n) { return static_cast<bool>(util.BinToLong(t, n)); });
}
void BM_BinToLong_Plain(benchmark::State& s) { RunFromText<std::int32_t>(s, plain::BinToLong); }

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
