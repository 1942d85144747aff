#include "Tervanix/elementary/MultiPrecisionFunctions.h"

namespace tervanix::rt::mp {

namespace {

// Below 2^-262 a term no longer changes a sum of magnitude above 1/4.
bool Negligible(const Number& term) { return IsZero(term) || term.exponent < -262; }

}  // namespace

// ln(a / b) = 2 atanh(s), s = (a - b) / (a + b), |s| <= 1/3: the series
// 2 (s + s^3/3 + s^5/5 + ...), whose powers of s are built with small-integer steps only.
// Each of the at most 90 terms and partial sums is truncated once or twice, some
// 2^-256 of the sum each: the sum is within 2^-248 of ln(a / b), relatively.
Number LogOfRatio(std::uint32_t a, std::uint32_t b) {
    const bool negative = a < b;
    const std::uint32_t d = negative ? b - a : a - b;
    const std::uint32_t n = a + b;
    Number power = DivideSmall(FromDouble(static_cast<double>(d)), n);  // |s|^(2k+1)
    Number sum = power;
    for (std::uint32_t k = 1; !Negligible(power); ++k) {
        power = DivideSmall(MultiplySmall(power, d * d), n * n);
        sum = Add(sum, DivideSmall(power, 2 * k + 1));
    }
    const Number log = Scale(sum, 1);
    return negative ? Negate(log) : log;
}

const Number& Ln2() {
    static const Number ln2 = LogOfRatio(2, 1);
    return ln2;
}

// ln 10 = 3 ln 2 + ln(5/4).
const Number& Ln10() {
    static const Number ln10 = Add(MultiplySmall(Ln2(), 3), LogOfRatio(5, 4));
    return ln10;
}

// e^t = 2^k (e^(r / 256))^256 with r = t - k ln 2, |r| <= 0.35: the Taylor series of
// e^(r / 256) to 2^-262, squared eight times. The error of r is below 2^-239 (|k| ln 2
// up to 760 with ln 2 within 2^-248, and the subtraction's truncation); the series adds
// 2^-250, and each squaring doubles the relative error and adds 2^-255: together
// within 2^-238.
Number Exp(const Number& t) {
    const double approximate = RoundToDouble(t, 0).value;
    const double nearest = approximate * 1.4426950408889634;  // t / ln 2
    const int k = static_cast<int>(nearest + (nearest < 0 ? -0.5 : 0.5));
    const Number kLn2 = MultiplySmall(Ln2(), static_cast<std::uint32_t>(k < 0 ? -k : k));
    const Number r = Scale(k < 0 ? Add(t, kLn2) : Subtract(t, kLn2), -8);
    Number term = r;
    Number sum = Add(FromDouble(1.0), r);
    for (std::uint32_t n = 2; !Negligible(term); ++n) {
        term = DivideSmall(Multiply(term, r), n);
        sum = Add(sum, term);
    }
    for (int i = 0; i < 8; ++i) sum = Multiply(sum, sum);
    return Scale(sum, k);
}

}  // namespace tervanix::rt::mp
