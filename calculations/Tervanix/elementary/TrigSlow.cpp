#include "Tervanix/elementary/TrigSlow.h"

#include "Tervanix/elementary/AngleReduction.h"
#include "Tervanix/elementary/MultiPrecision.h"
#include "Tervanix/elementary/TrigTables.h"

namespace tervanix::rt::trig {

namespace {

using mp::Number;

// Every result below is within 2^-230 of the exact value (the reduction dominates);
// the hardest arguments of these functions lie some 2^-120 from a midpoint, so the
// rounding is always decided.
constexpr int kAccurateBits = 230;

Number FromWide(const WideConstant& w) {
    Number n{};
    for (int i = 0; i < mp::kLimbs; ++i) n.limb[i] = w.limb[i];
    n.exponent = w.exponent;
    return n;
}

// The term is below 2^-258 of the sum: the series may stop.
bool Negligible(const Number& term, const Number& sum) {
    return mp::IsZero(term) || term.exponent < sum.exponent - 258;
}

// r with x = k*pi/2 + r, |r| <= pi/4, for x >= 0.
Number ReducedAngle(double x, int& quadrant) {
    quadrant = 0;
    if (x <= 0x1.921fb54442d18p-1) return mp::FromDouble(x);
    const QuarterTurns turns = CountQuarterTurns(x);
    Number f = mp::FromDouble(turns.chunk[0]);
    for (int i = 1; i < 5; ++i) f = mp::Add(f, mp::FromDouble(turns.chunk[i]));
    const Number r = mp::Multiply(f, FromWide(kWideHalfPi));
    quadrant = turns.quadrant;
    return turns.negative ? mp::Negate(r) : r;
}

// The Taylor series of sin r (or cos r) for |r| <= pi/4: about 30 terms.
Number SinOrCosSeries(const Number& r, bool cosine) {
    const Number square = mp::Multiply(r, r);
    Number term = cosine ? mp::FromDouble(1.0) : r;
    Number sum = term;
    for (std::uint32_t n = cosine ? 2 : 3;; n += 2) {
        term = mp::Negate(mp::DivideSmall(mp::Multiply(term, square), (n - 1) * n));
        if (Negligible(term, sum)) return sum;
        sum = mp::Add(sum, term);
    }
}

double SinOrCos(double x, bool cosine) {
    const bool negativeX = x < 0.0;
    int quadrant;
    const Number r = ReducedAngle(negativeX ? -x : x, quadrant);
    // sin(k*pi/2 + r) cycles through sin r, cos r, -sin r, -cos r.
    const int step = (quadrant + (cosine ? 1 : 0)) & 3;
    Number v = SinOrCosSeries(r, (step & 1) != 0);
    if (((step & 2) != 0) != (!cosine && negativeX)) v = mp::Negate(v);
    return mp::RoundToDouble(v, kAccurateBits).value;
}

// 1/d by Newton's iteration y <- y + y*(1 - d*y) from the double quotient: three
// steps take its 53 bits past 256.
Number Reciprocal(const Number& d) {
    Number y = mp::FromDouble(1.0 / mp::RoundToDouble(d, kAccurateBits).value);
    const Number one = mp::FromDouble(1.0);
    for (int i = 0; i < 3; ++i) y = mp::Add(y, mp::Multiply(y, mp::Subtract(one, mp::Multiply(d, y))));
    return y;
}

// atan u for 0 <= u <= 1: atan u = atan c + atan t with c = j/16 nearest u and
// t = (u - c) / (1 + u*c), |t| <= 1/32, and atan t by its Taylor series (about 26 terms).
Number AtanOfAtMostOne(const Number& u) {
    const int j = static_cast<int>(mp::RoundToDouble(u, kAccurateBits).value * 16.0 + 0.5);
    Number t = u;
    if (j != 0) {
        const Number c = mp::FromDouble(j / 16.0);
        const Number denominator = mp::Add(mp::FromDouble(1.0), mp::Multiply(u, c));
        t = mp::Multiply(mp::Subtract(u, c), Reciprocal(denominator));
    }
    const Number square = mp::Multiply(t, t);
    Number power = t;
    Number sum = t;
    for (std::uint32_t n = 3;; n += 2) {
        power = mp::Negate(mp::Multiply(power, square));
        const Number term = mp::DivideSmall(power, n);
        if (Negligible(term, sum)) break;
        sum = mp::Add(sum, term);
    }
    return j == 0 ? sum : mp::Add(FromWide(kWideAtanTable[j - 1]), sum);
}

}  // namespace

double SlowSin(double x) { return SinOrCos(x, false); }
double SlowCos(double x) { return SinOrCos(x, true); }

double SlowAtan(double x) {
    const double ax = x < 0.0 ? -x : x;
    Number v = ax <= 1.0 ? AtanOfAtMostOne(mp::FromDouble(ax))
                         : mp::Subtract(FromWide(kWideHalfPi), AtanOfAtMostOne(Reciprocal(mp::FromDouble(ax))));
    if (x < 0.0) v = mp::Negate(v);
    return mp::RoundToDouble(v, kAccurateBits).value;
}

}  // namespace tervanix::rt::trig
