// Finds arguments of the correctly rounded functions whose exact results lie within
// 2^-20 units in the last place of a midpoint between two Doubles, and prints them as
// the lists tools/rounding/hard-cases/<function>.txt, which the rounding check, the
// differential check and tests/hard_cases_test.cpp compile in.
//
// The search is structured, not random. Along a window of consecutive Doubles
// x_k = x0 + k u (u the spacing of the Doubles at x0, k < n), the result measured in
// units in the last place, v(k) = f(x_k) / ulp, is a smooth function of k; where the
// window is short enough, the cubic through four points of it, computed with MPFR at
// 512 bits, agrees with v to within 2^-26 over the whole window (checked at three
// more points; a window that fails the check, or whose results cross a power of two,
// is split in two). The fractional part of the cubic then advances from k to k + 1 by
// three additions of its forward differences, kept modulo 1 in 128-bit fixed point,
// so a window of 2^22 Doubles takes milliseconds; every k whose fractional part lies
// within twice the threshold of 1/2 is checked again with MPFR, and kept when the
// exact result lies within the threshold. The windows are where each function's
// evaluation is delicate: around 1 and the table rows for the logarithm, around 0,
// the steps of 1/512 and the range ends for the powers, around the table rows
// k pi/1024, the multiples of pi/2 and the reduction boundaries for the sine and
// cosine, around the table points j/256 and their reciprocals and the fast path's rows
// for the arctangent.
//
// Each argument is printed with its correctly rounded result (MPFR at 512 bits,
// rounded once to the nearest Double), for tests/hard_cases_test.cpp, which every
// build runs.
//
// Usage: find-hard-cases FUNCTION|all DIRECTORY
//   (writes DIRECTORY/<function>.txt)
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

__extension__ typedef unsigned __int128 u128;
using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
constexpr mpfr_prec_t kPrecision = 512;
constexpr double kThreshold = 0x1p-20;  // units in the last place

std::uint64_t Bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

double FromBits(std::uint64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

// The Double k steps away from x0 (towards larger magnitudes for dir 1).
double Stepped(double x0, int dir, std::uint64_t k) {
    return std::copysign(FromBits(dir > 0 ? Bits(std::fabs(x0)) + k : Bits(std::fabs(x0)) - k), x0);
}

class Number {
public:
    Number() { mpfr_init2(v_, kPrecision); }
    ~Number() { mpfr_clear(v_); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;
    mpfr_ptr get() { return v_; }
    operator mpfr_ptr() { return v_; }

private:
    mpfr_t v_;
};

// The exponent of a unit in the last place of the Double binade holding v (v != 0),
// subnormal results sharing 2^-1074.
long UlpExponent(mpfr_srcptr v) { return std::max<long>(mpfr_get_exp(v) - 53, -1074); }

// f(x) at 512 bits; false when it is not finite or 0.
bool Exact(MpfrFunction f, mpfr_srcptr x, mpfr_ptr out) {
    f(out, x, MPFR_RNDN);
    return mpfr_regular_p(out) != 0;
}

// The distance of f(x) from the nearest midpoint, in units in the last place (2 when
// the result is not a finite non-zero value).
double DistanceToMidpoint(MpfrFunction f, double x) {
    Number in, out, half;
    mpfr_set_d(in, x, MPFR_RNDN);
    if (!Exact(f, in, out) || mpfr_get_exp(out) > 1024) return 2.0;  // 0, or beyond the Doubles
    mpfr_abs(out, out, MPFR_RNDN);
    mpfr_mul_2si(out, out, -UlpExponent(out), MPFR_RNDN);
    mpfr_floor(half, out);
    mpfr_sub(out, out, half, MPFR_RNDN);  // the fraction, exact
    mpfr_sub_d(out, out, 0.5, MPFR_RNDN);
    return std::fabs(mpfr_get_d(out, MPFR_RNDN));
}

// frac(v) * 2^128, for any v.
u128 Fraction128(mpfr_srcptr v) {
    Number a, whole;
    mpfr_floor(whole, v);
    mpfr_sub(a, v, whole, MPFR_RNDN);
    mpfr_mul_2ui(a, a, 64, MPFR_RNDN);
    mpfr_floor(whole, a);
    const std::uint64_t hi = mpfr_get_ui(whole, MPFR_RNDN);
    mpfr_sub(a, a, whole, MPFR_RNDN);
    mpfr_mul_2ui(a, a, 64, MPFR_RNDN);
    const std::uint64_t lo = mpfr_get_ui(a, MPFR_RNDZ);
    return (u128{hi} << 64) | lo;
}

struct Case {
    double x;
    double distance;
};

class Scanner {
public:
    explicit Scanner(MpfrFunction f) : f_(f) {}

    // Every x0 + k u (k < n, towards larger magnitudes for dir 1) whose result lies
    // within the threshold of a midpoint.
    void Scan(double x0, int dir, std::uint64_t n, std::vector<Case>& found) {
        if (n == 0 || !std::isfinite(x0) || x0 == 0.0) return;
        // Stay within the binade of x0, where u is the same.
        const std::uint64_t inBinade = dir > 0 ? ((Bits(std::fabs(x0)) | 0x000fffffffffffffu) - Bits(std::fabs(x0)) + 1)
                                               : ((Bits(std::fabs(x0)) & 0x000fffffffffffffu) + 1);
        budget_ = 1 << 16;
        ScanWindow(x0, dir, std::min(n, inBinade), found);
    }

    long windows = 0, candidates = 0;

private:
    // v(t) = f(x0 + t u dir) / 2^ulpExponent for a real t.
    bool ValueAt(double x0, int dir, double t, long ulpExponent, mpfr_ptr out) {
        Number x;
        const double u = FromBits(Bits(std::fabs(x0)) + 1) - std::fabs(x0);  // the spacing of x0's binade
        mpfr_set_d(x, u, MPFR_RNDN);
        mpfr_mul_d(x, x, t * dir * (x0 < 0 ? -1.0 : 1.0), MPFR_RNDN);
        mpfr_add_d(x, x, x0, MPFR_RNDN);
        if (!Exact(f_, x, out)) return false;
        mpfr_mul_2si(out, out, -ulpExponent, MPFR_RNDN);
        return true;
    }

    // Each Double checked with MPFR, where no cubic holds; at most 2^16 per start, as
    // such a window is not where the search pays.
    void Direct(double x0, int dir, std::uint64_t n, std::vector<Case>& found) {
        for (std::uint64_t k = 0; k < n && budget_ > 0; ++k, --budget_) Keep(Stepped(x0, dir, k), found);
    }

    void Keep(double x, std::vector<Case>& found) {
        ++candidates;
        const double d = DistanceToMidpoint(f_, x);
        if (d < kThreshold) found.push_back({x, d});
    }

    void Split(double x0, int dir, std::uint64_t n, std::vector<Case>& found) {
        if (n <= 64) return Direct(x0, dir, n, found);
        const std::uint64_t half = n / 2;
        ScanWindow(x0, dir, half, found);
        ScanWindow(Stepped(x0, dir, half), dir, n - half, found);
    }

    void ScanWindow(double x0, int dir, std::uint64_t n, std::vector<Case>& found) {
        if (n <= 64) return Direct(x0, dir, n, found);
        Number first, last;
        {
            Number x;
            mpfr_set_d(x, x0, MPFR_RNDN);
            if (!Exact(f_, x, first)) return Split(x0, dir, n, found);
            mpfr_set_d(x, Stepped(x0, dir, n - 1), MPFR_RNDN);
            if (!Exact(f_, x, last)) return Split(x0, dir, n, found);
        }
        const long e = UlpExponent(first);
        if (e != UlpExponent(last) || mpfr_sgn(first.get()) != mpfr_sgn(last.get())) return Split(x0, dir, n, found);
        // The cubic through t = 0, h, 2h, 3h (h = (n - 1)/3) in the monomial form
        // v0 + c1 t + c2 t^2 + c3 t^3, from the forward differences a, b, c there.
        const double h = static_cast<double>(n - 1) / 3.0;
        Number v[4], a, b, c, c1, c2, c3, t;
        for (int j = 0; j < 4; ++j) {
            if (!ValueAt(x0, dir, j * h, e, v[j])) return Split(x0, dir, n, found);
        }
        mpfr_sub(a, v[1], v[0], MPFR_RNDN);
        mpfr_mul_2ui(t, v[1], 1, MPFR_RNDN);
        mpfr_sub(b, v[2], t, MPFR_RNDN);
        mpfr_add(b, b, v[0], MPFR_RNDN);
        mpfr_sub(c, v[3], v[0], MPFR_RNDN);
        mpfr_sub(t, v[1], v[2], MPFR_RNDN);
        mpfr_mul_ui(t, t, 3, MPFR_RNDN);
        mpfr_add(c, c, t, MPFR_RNDN);
        // c1 = (a - b/2 + c/3)/h, c2 = (b - c)/(2 h^2), c3 = c/(6 h^3)
        mpfr_div_ui(t, c, 3, MPFR_RNDN);
        mpfr_add(c1, a, t, MPFR_RNDN);
        mpfr_div_2ui(t, b, 1, MPFR_RNDN);
        mpfr_sub(c1, c1, t, MPFR_RNDN);
        mpfr_div_d(c1, c1, h, MPFR_RNDN);
        mpfr_sub(c2, b, c, MPFR_RNDN);
        mpfr_div_d(c2, c2, 2.0 * h, MPFR_RNDN);
        mpfr_div_d(c2, c2, h, MPFR_RNDN);
        mpfr_div_ui(c3, c, 6, MPFR_RNDN);
        mpfr_div_d(c3, c3, h, MPFR_RNDN);
        mpfr_div_d(c3, c3, h, MPFR_RNDN);
        mpfr_div_d(c3, c3, h, MPFR_RNDN);
        // The check: the cubic against v between the nodes.
        for (const double s : {0.5, 1.5, 2.5}) {
            Number p, exact;
            const double at = s * h;
            mpfr_mul_d(p, c3, at, MPFR_RNDN);
            mpfr_add(p, p, c2, MPFR_RNDN);
            mpfr_mul_d(p, p, at, MPFR_RNDN);
            mpfr_add(p, p, c1, MPFR_RNDN);
            mpfr_mul_d(p, p, at, MPFR_RNDN);
            mpfr_add(p, p, v[0], MPFR_RNDN);
            if (!ValueAt(x0, dir, at, e, exact)) return Split(x0, dir, n, found);
            mpfr_sub(p, p, exact, MPFR_RNDN);
            if (std::fabs(mpfr_get_d(p, MPFR_RNDN)) > 0x1p-26) return Split(x0, dir, n, found);
        }
        // Forward differences of step 1 at t = 0: D1 = c1 + c2 + c3, D2 = 2 c2 + 6 c3, D3 = 6 c3.
        Number d1, d2, d3;
        mpfr_add(d1, c1, c2, MPFR_RNDN);
        mpfr_add(d1, d1, c3, MPFR_RNDN);
        mpfr_mul_ui(d3, c3, 6, MPFR_RNDN);
        mpfr_mul_2ui(d2, c2, 1, MPFR_RNDN);
        mpfr_add(d2, d2, d3, MPFR_RNDN);
        ++windows;
        u128 value = Fraction128(v[0]);
        u128 step1 = Fraction128(d1), step2 = Fraction128(d2);
        const u128 step3 = Fraction128(d3);
        const u128 half = u128{1} << 127;
        const u128 reach = static_cast<u128>(static_cast<std::uint64_t>(2 * kThreshold * 0x1p64)) << 64;
        for (std::uint64_t k = 0; k < n; ++k) {
            if (value - (half - reach) < 2 * reach) Keep(Stepped(x0, dir, k), found);
            value += step1;
            step1 += step2;
            step2 += step3;
        }
    }

    MpfrFunction f_;
    long budget_ = 0;
};

// The double nearest m * 2^-n * pi.
double NearestPiMultiple(double m, int n) {
    Number v;
    mpfr_const_pi(v, MPFR_RNDN);
    mpfr_mul_d(v, v, m, MPFR_RNDN);
    mpfr_div_2si(v, v, n, MPFR_RNDN);
    return mpfr_get_d(v, MPFR_RNDN);
}

double NearestLog10Of2Multiple(double m) {  // m log10(2) / 512
    Number v, two;
    mpfr_set_ui(two, 2, MPFR_RNDN);
    mpfr_log10(v, two, MPFR_RNDN);
    mpfr_mul_d(v, v, m / 512.0, MPFR_RNDN);
    return mpfr_get_d(v, MPFR_RNDN);
}

// One region of a function's search: windows of n Doubles from each start, upwards
// and downwards in magnitude.
struct Region {
    std::string name;
    std::vector<double> starts;
    std::uint64_t n;
};

constexpr std::uint64_t kWindow = std::uint64_t{1} << 22;

std::vector<Region> LogRegions() {
    Region above{"x = 1 + k 2^-52 (ln x = t - t^2/2 + ...): every k below 2^20, then windows from k = 2^m", {}, kWindow};
    Region below{"x = 1 - k 2^-53: every k below 2^20, then windows from k = 2^m", {}, kWindow};
    above.starts.push_back(std::nextafter(1.0, 2.0));
    below.starts.push_back(std::nextafter(1.0, 0.0));
    for (int m = 21; m <= 50; m += 3) {
        above.starts.push_back(1.0 + std::ldexp(1.0, m - 52));
        below.starts.push_back(1.0 - std::ldexp(1.0, m - 53));
    }
    above.n = below.n = std::uint64_t{1} << 20;
    // Where the slope of v in k is a fraction of small denominator (at x = 2^e (1 +
    // i/512) far from 1 it is 2^(-52-E) 512/(512 + i)), the fractional parts of v
    // repeat and seldom come near 1/2: each row is also searched from a point inside
    // it, at i + (sqrt 2 - 1) of 512ths.
    Region rows{"the table's rows, mantissa 1 + i/512, from the row's start and from inside it, at exponents -1030 "
                "(subnormal) to 1023", {}, kWindow};
    for (int e : {-1030, -1022, -500, -1, 0, 1, 7, 300, 1023}) {
        for (int i : {1, 2, 77, 255, 256, 257, 300, 511}) {
            rows.starts.push_back(std::ldexp(1.0 + i / 512.0, e));
            rows.starts.push_back(std::ldexp(1.0 + (i + 0.41421356237309515) / 512.0, e));
        }
    }
    return {above, below, rows};
}

// Windows from 2^-m, m = first, first + step, ..., up to last (and from -2^-m).
Region FromPowersOfTwo(const char* name, int first, int last, int step, bool negative) {
    Region region{name, {}, kWindow};
    for (int m = first; m <= last; m += step) {
        region.starts.push_back(std::ldexp(1.0, -m));
        if (negative) region.starts.push_back(-std::ldexp(1.0, -m));
    }
    return region;
}

std::vector<Region> Exp2Regions() {
    Region zero = FromPowersOfTwo("y near 0 (2^y = 1 + y ln 2 + ...): windows from 2^-m", 2, 54, 4, true);
    Region steps{"y near the steps j/512 of the reduction, and midway between them", {}, kWindow};
    for (int j : {1, 3, 255, 256, 511, 513, -1, -256, -511, 5000, -5000, 100000, 523775, -100000}) {
        steps.starts.push_back(j / 512.0);
        steps.starts.push_back((j + 0.5) / 512.0);
    }
    Region ends{"the ends of the range: y near 1023 and 1024, subnormal results from -1022 to -1075",
                {1023.0, 1023.9, -1022.0, -1022.5, -1030.25, -1060.0, -1073.5, -1074.0}, kWindow};
    return {zero, steps, ends};
}

std::vector<Region> Exp10Regions() {
    Region zero = FromPowersOfTwo("y near 0 (10^y = 1 + y ln 10 + ...): windows from 2^-m", 2, 54, 4, true);
    Region steps{"y near whole numbers and near the steps j log10(2)/512 of the reduction", {}, kWindow};
    for (double y : {1.0, 2.0, 5.0, 22.0, 23.0, 100.0, -1.0, -7.0, -300.0}) steps.starts.push_back(y);
    for (double j : {1.0, 2.5, 511.0, 512.5, -3.0, 100000.5, -500000.0}) steps.starts.push_back(NearestLog10Of2Multiple(j));
    Region ends{"the ends of the range: y near 308.25 and subnormal results from -307.65 to -323.6",
                {308.0, 308.25, -307.7, -310.0, -320.5, -323.5}, kWindow};
    return {zero, steps, ends};
}

std::vector<Region> SinCosRegions() {
    Region tiny = FromPowersOfTwo("x near 0 (sin x = x - x^3/6 + ..., cos x = 1 - x^2/2 + ...): windows from 2^-m",
                                  4, 27, 3, false);
    Region rows{"x near the table rows j pi/1024 and midway between them", {}, kWindow};
    for (double j : {1.0, 2.0, 3.0, 100.0, 255.0, 256.0, 511.0, 513.0, 700.0, 1023.0, 1025.0, 2047.0, 1000001.0, 1037000.0}) {
        rows.starts.push_back(NearestPiMultiple(j, 10));
        rows.starts.push_back(NearestPiMultiple(j + 0.5, 10));
    }
    Region quarter{"x near multiples k pi/2, where one result is about the remainder", {}, kWindow};
    for (double k : {1.0, 2.0, 3.0, 4.0, 7.0, 2037.0, 100000.0, 600000.0}) quarter.starts.push_back(NearestPiMultiple(k, 1));
    // Beyond 2^20 a cubic holds over too few Doubles for the scan to pay.
    Region switches{"the reduction's switches at 3200 and 2^20", {3200.0, 0x1p20}, kWindow};
    return {tiny, rows, quarter, switches};
}

std::vector<Region> AtanRegions() {
    Region tiny = FromPowersOfTwo("x near 0 (atan x = x - x^3/3 + ...): windows from 2^-m", 4, 27, 3, false);
    Region points{"x near the table points j/256 and their reciprocals 256/j, midway between them, and 1", {}, kWindow};
    // (sqrt 2 - 1)/256 from each point as well: at rational x the slope of v in k
    // is a fraction of small denominator, whose fractional parts repeat.
    for (int j : {1, 2, 3, 100, 127, 128, 129, 200, 255, 256}) {
        points.starts.push_back(j / 256.0);
        points.starts.push_back((j + 0.41421356237309515) / 256.0);
        points.starts.push_back(256.0 / (j + 0.41421356237309515));
        points.starts.push_back((j + 0.5) / 256.0);
        points.starts.push_back(256.0 / j);
        points.starts.push_back(256.0 / (j + 0.5));
    }
    // The fast path's rows (elementary/Trig.cpp): the switch to the series below 2^-10,
    // the edges and middles of rows in the binades of one row (from 2^9 on), of 128
    // and of 256, each also from an irrational point beside it.
    Region rows{"x near the fast path's row edges and middles, and the switch at 2^-10", {}, kWindow};
    for (double x : {0x1p-10, 0x1.8p-10, 0x1.8p-9, 0x1.008p0, 0x1.01p2, 0x1.8p9, 0x1.8p30}) {
        rows.starts.push_back(x);
        rows.starts.push_back(x * (1.0 + 0.41421356237309515 * 0x1p-12));
    }
    Region large{"large x, up to the switch at 2^60", {}, kWindow};
    for (double x : {0x1p9, 0x1p20, 0x1p27, 0x1p40, 0x1p53, 0x1p59}) large.starts.push_back(x);
    return {tiny, points, rows, large};
}

struct Function {
    const char* name;
    MpfrFunction f;
    std::vector<Region> (*regions)();
};

const Function kFunctions[] = {
    {"log", mpfr_log, LogRegions},       {"exp2", mpfr_exp2, Exp2Regions}, {"exp10", mpfr_exp10, Exp10Regions},
    {"sin", mpfr_sin, SinCosRegions},    {"cos", mpfr_cos, SinCosRegions}, {"atan", mpfr_atan, AtanRegions},
};

// f(x) rounded to the nearest Double, from its value at 512 bits.
double Rounded(MpfrFunction f, double x) {
    Number in, out;
    mpfr_set_d(in, x, MPFR_RNDN);
    f(out, in, MPFR_RNDN);
    return mpfr_get_d(out, MPFR_RNDN);
}

int Write(const Function& fn, const std::string& directory) {
    const std::string path = directory + "/" + fn.name + ".txt";
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) {
        std::perror(path.c_str());
        return 1;
    }
    std::fprintf(out,
                 "// %s: arguments whose exact result lies within 2^-20 units in the last place of a\n"
                 "// midpoint between two Doubles, printed by find-hard-cases (tools/rounding/find_hard_cases.cpp,\n"
                 "// which says how they are found). Each line: {argument, its correctly rounded result\n"
                 "// (MPFR at 512 bits, rounded once to the nearest Double)}, then log2 of the distance in\n"
                 "// units in the last place. Compiled in by the rounding check, the differential check\n"
                 "// and tests/hard_cases_test.cpp (as tools/rounding/HardCase.h).\n",
                 fn.name);
    Scanner scanner(fn.f);
    std::size_t total = 0;
    for (const Region& region : fn.regions()) {
        std::vector<Case> found;
        for (const double start : region.starts) {
            scanner.Scan(start, 1, region.n, found);
            scanner.Scan(std::nextafter(start, 0.0), -1, region.n, found);
        }
        std::sort(found.begin(), found.end(), [](const Case& a, const Case& b) { return a.x < b.x; });
        found.erase(std::unique(found.begin(), found.end(), [](const Case& a, const Case& b) { return a.x == b.x; }),
                    found.end());
        std::fprintf(out, "// %s: %zu\n", region.name.c_str(), found.size());
        for (const Case& c : found) {
            std::fprintf(out, "{%a, %a},  // %.1f\n", c.x, Rounded(fn.f, c.x), std::log2(c.distance));
        }
        total += found.size();
    }
    std::fclose(out);
    std::printf("%s: %zu hard cases (%ld windows, %ld checked with MPFR)\n", fn.name, total, scanner.windows,
                scanner.candidates);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FUNCTION|all DIRECTORY\n", argv[0]);
        return 2;
    }
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    const std::string which = argv[1];
    bool found = false;
    for (const Function& fn : kFunctions) {
        if (which != "all" && which != fn.name) continue;
        found = true;
        if (Write(fn, argv[2]) != 0) return 1;
    }
    if (!found) {
        std::fprintf(stderr, "unknown function %s\n", which.c_str());
        return 2;
    }
    return 0;
}
