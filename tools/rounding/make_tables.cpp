// Prints calculations/Tervanix/elementary/LogExpTables.h: the constants of the correctly
// rounded logarithm and powers, evaluated with the library's 256-bit Number. The
// rounding step of CI (scripts/ci/rounding.sh) compares its output with the file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/elementary/MultiPrecisionFunctions.h"

namespace {

using namespace tervanix::rt;

constexpr int kRows = 512;     // of the powers
constexpr int kLogRows = 1024;  // of the logarithm

struct Pair {
    double hi;
    double lo;
};

// x as hi + lo, hi the nearest Double, or hi cut to its leading 53 - droppedBits bits.
Pair Split(const mp::Number& x, int droppedBits = 0) {
    const double nearest = mp::RoundToDouble(x, 0).value;
    const double hi = FromBits(BitsOf(nearest) & ~((std::uint64_t{1} << droppedBits) - 1));
    return {hi, mp::RoundToDouble(mp::Subtract(x, mp::FromDouble(hi)), 0).value};
}

// x as hi + lo, hi the nearest multiple of 2^-bits.
Pair SplitOnGrid(const mp::Number& x, int bits) {
    const double shift = 6755399441055744.0;  // 1.5 * 2^52: the sum rounds to a whole number
    const double scaled = mp::RoundToDouble(mp::Scale(x, bits), 0).value;
    const double hi = ((scaled + shift) - shift) / static_cast<double>(std::uint64_t{1} << bits);
    return {hi, mp::RoundToDouble(mp::Subtract(x, mp::FromDouble(hi)), 0).value};
}

// Whether row i of the logarithm (m in [1 + i/1024, 1 + (i+1)/1024)) keeps the bounds
// that LogOfNormal rests on: |z| < 2^-10 for every z = m r - 1, and t + z - z^2/2
// within a factor 2 of t unless t is 0 (where E is 0, the logarithm's hi then lies
// within a factor 2 of big = t.hi, so that big - hi is exact). z is exact at both ends
// of the row (the fused multiply-add of a short m and r), and both quantities are
// monotonic in z; the margin of 2^-40 covers the roundings.
bool KeepsBounds(int i, double r, double t) {
    for (const int end : {i, i + 1}) {
        const double z = std::fma(1.0 + static_cast<double>(end) / kLogRows, r, -1.0);
        if (!(std::fabs(z) < 0x1p-10 || (end == i + 1 && std::fabs(z) == 0x1p-10))) return false;
        if (t == 0.0) continue;
        const double ratio = (t + z - 0.5 * z * z) / t;
        if (!(ratio > 0.5 * (1.0 + 0x1p-40) && ratio < 2.0 * (1.0 - 0x1p-40))) return false;
    }
    return true;
}

void PrintPair(const char* name, Pair p) { std::printf("constexpr DoubleDouble %s = {%a, %a};\n", name, p.hi, p.lo); }

}  // namespace

int main() {
    std::printf(
        "// The constants of the correctly rounded logarithm and powers (LogExp.cpp),\n"
        "// printed by tools/rounding/make_tables.cpp from the 256-bit evaluations of\n"
        "// MultiPrecisionFunctions. Do not edit: scripts/ci/rounding.sh compares them.\n"
        "#pragma once\n\n"
        "#include \"Tervanix/elementary/DoubleDouble.h\"\n\n"
        "namespace tervanix::rt::cr::tables {\n\n"
        "using dd::DoubleDouble;\n\n"
        "// Row i of the logarithm holds the mantissas m in [1 + i/1024, 1 + (i+1)/1024): r is\n"
        "// close to 1/m with 11 significant bits (1 in the first row, 1/2 in the last), and\n"
        "// t = -ln r, less ln 2 in the rows from 1.5 on. t.hi is a multiple of 2^-42, as is\n"
        "// kLn2Short.hi, so that e ln 2 + t sums exactly in its high parts. Where t is not 0,\n"
        "// t.hi + z - z^2/2, z = m r - 1, lies within a factor 2 of t.hi in its row, and\n"
        "// |z| < 2^-10 in every row.\n"
        "struct LogRow {\n    double r;\n    DoubleDouble t;\n};\n"
        "constexpr LogRow kLog[%d] = {\n", kLogRows);
    for (int i = 0; i < kLogRows; ++i) {
        const double center = 1.0 + (i + 0.5) / kLogRows;
        auto n = static_cast<std::uint32_t>(2048.0 / center + 0.5);
        if (i == 0) n = 2048;
        if (i == kLogRows - 1) n = 1024;
        const Pair t = SplitOnGrid(mp::LogOfRatio(i < kLogRows / 2 ? 2048 : 1024, n), 42);
        if (!KeepsBounds(i, n / 2048.0, t.hi)) {
            std::fprintf(stderr, "row %d of the logarithm exceeds the bounds of its z\n", i);
            return 1;
        }
        std::printf("    {%a, {%a, %a}},\n", n / 2048.0, t.hi, t.lo);
    }
    std::printf(
        "};\n\n"
        "// Row j of the powers holds 2^(j/512) and 2^(j/512) ln 2.\n"
        "struct PowerRow {\n    DoubleDouble power;\n    DoubleDouble ln2Times;\n};\n"
        "constexpr PowerRow kPowerOf2[%d] = {\n", kRows);
    for (int j = 0; j < kRows; ++j) {
        const mp::Number power = mp::Exp(mp::Multiply(mp::FromDouble(static_cast<double>(j) / kRows), mp::Ln2()));
        const Pair p = Split(power);
        const Pair l = Split(mp::Multiply(power, mp::Ln2()));
        std::printf("    {{%a, %a}, {%a, %a}},\n", p.hi, p.lo, l.hi, l.lo);
    }
    std::printf("};\n\n");
    std::printf("// ln 2 with a high part of 42 bits, whose product with an exponent is exact.\n");
    PrintPair("kLn2Short", Split(mp::Ln2(), 11));
    PrintPair("kLn2", Split(mp::Ln2()));
    std::printf("// ln2/512 with a high part of 33 bits, whose product with a k below 2^20 is exact.\n");
    PrintPair("kLn2Over512Short", Split(mp::Scale(mp::Ln2(), -9), 20));
    PrintPair("kLn10", Split(mp::Ln10()));
    std::printf("// (ln 2)^n / n! for n from 2 to 5: the Taylor series of 2^f - 1 - f ln 2.\n");
    std::printf("constexpr double kExp2Series[4] = {");
    mp::Number power = mp::Ln2();
    for (std::uint32_t n = 2; n <= 5; ++n) {
        power = mp::DivideSmall(mp::Multiply(power, mp::Ln2()), n);
        std::printf("%a%s", mp::RoundToDouble(power, 0).value, n < 5 ? ", " : "};\n");
    }
    std::printf("\n}  // namespace tervanix::rt::cr::tables\n");
    return 0;
}
