#include "plain/cGenUtil_plain.h"

#include <cmath>

namespace plain {

double Min(double x, double y) { return x >= y ? y : x; }
double Max(double x, double y) { return x > y ? x : y; }
double Avg(double x, double y) { return (x + y) / 2.0; }
double Log10(double x) { return std::log(x) / std::log(10.0); }

double Log10Sum(double x, double y) {
    const double s = std::pow(10.0, y) + std::pow(10.0, x);
    return std::log(s) / std::log(10.0);
}

double LogDBSum(double x, double y) {
    const double s = std::pow(10.0, y / 10.0) + std::pow(10.0, x / 10.0);
    return std::log(s) / std::log(10.0) * 10.0;
}

bool IsEqualAbs(double x, double y, double tol) { return !(std::fabs(x - y) > tol); }
bool IsEqualRel(double x, double y, double tol) { return !(std::fabs((x - y) / y) > tol); }

namespace {

template <typename T>
void Write(T value, std::u16string& text) {
    constexpr int W = 8 * sizeof(T);
    std::int64_t v = value < 0 ? (std::int64_t{1} << (W - 1)) + value : value;
    text.clear();
    text += value < 0 ? u'1' : u'0';
    for (int i = W - 2; i >= 0; --i) {
        const std::int64_t power = std::int64_t{1} << i;
        const bool one = power <= v;
        text += one ? u'1' : u'0';
        if (one) v -= power;
    }
}

template <typename T>
bool Read(const std::u16string& text, T& out) {
    constexpr int W = 8 * sizeof(T);
    if (text.size() != W) return false;
    std::int64_t acc = 0;
    for (int k = 0; k < W; ++k) {
        if (text[k] != u'0' && text[k] != u'1') return false;
        if (k > 0 && text[k] == u'1') acc += std::int64_t{1} << (W - 1 - k);
    }
    out = static_cast<T>(text[0] == u'1' ? acc - (std::int64_t{1} << (W - 1)) : acc);
    return true;
}

}  // namespace

bool IntToBin(std::int16_t n, std::u16string& text) { Write(n, text); return true; }
bool BinToInt(const std::u16string& text, std::int16_t& n) { return Read(text, n); }
bool LongToBin(std::int32_t n, std::u16string& text) { Write(n, text); return true; }
bool BinToLong(const std::u16string& text, std::int32_t& n) { return Read(text, n); }

}  // namespace plain
