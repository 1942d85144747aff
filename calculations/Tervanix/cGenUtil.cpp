#include "Tervanix/cGenUtil.h"

#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/MathFunctions.h"
#include "Tervanix/runtime/StringFunctions.h"

namespace tervanix {

using rt::Fp;
using rt::Stored;

namespace {

// Two's-complement binary text of W = 8 * sizeof(T) characters, most significant
// first. Every step is exact: the powers of two are whole numbers of the text's width.
template <typename T>
void WriteBinaryText(T value, String& sBin) {
    constexpr int W = 8 * sizeof(T);
    std::int64_t v = value;
    sBin.clear();
    if (value < 0) {
        sBin += u'1';
        v = (std::int64_t{1} << (W - 1)) + value;  // the value without its sign bit
    } else {
        sBin += u'0';
    }
    for (int i = W - 2; i >= 0; --i) {
        const std::int64_t power = std::int64_t{1} << i;
        const bool one = power <= v;
        sBin += one ? u'1' : u'0';
        if (one) v -= power;
    }
}

// Reads text written by WriteBinaryText; False, with `out` untouched, when the text
// is not exactly W characters "0" and "1". Character 1 weighs -2^(W-1), character k
// from 2 to W weighs 2^(W-k).
template <typename T>
bool ReadBinaryText(const String& sBin, T& out) {
    constexpr int W = 8 * sizeof(T);
    if (rt::Len(sBin) != W) return false;
    std::int64_t accumulator = 0;
    for (int k = 1; k <= W; ++k) {
        const char16_t c = sBin[k - 1];
        if (c != u'0' && c != u'1') return false;
        if (k >= 2 && c == u'1') accumulator += std::int64_t{1} << (W - k);
    }
    out = static_cast<T>(sBin[0] == u'0' ? accumulator : -(std::int64_t{1} << (W - 1)) + accumulator);
    return true;
}

}  // namespace

Double cGenUtil::Min(Double X, Double Y) const {
    // X when X < Y or when the comparison is unordered; Y when they are equal.
    return X >= Y ? Y : X;
}

Double cGenUtil::Max(Double X, Double Y) const {
    // X when X > Y; Y when they are equal or the comparison is unordered.
    return X > Y ? X : Y;
}

Double cGenUtil::Avg(Double X, Double Y) const {
    return rt::StoredFormula([=](auto F) { return (F(X) + Y) / 2.0; });
}

Double cGenUtil::Log10(Double X) const {
    const Fp ln10 = rt::kLogOf10;  // Log(10.0), evaluated first
    return Stored(rt::Log(X) / ln10);
}

Double cGenUtil::Log10Sum(Double X, Double Y) const {
    const Double p1 = rt::Power(10.0, X);
    const Double p2 = rt::Power(10.0, Y);
    const Double s = Stored(Fp(p2) + p1);
    const Fp ln10 = rt::kLogOf10;  // Log(10.0), evaluated first
    return Stored(rt::Log(s) / ln10);
}

Double cGenUtil::LogDBSum(Double X, Double Y) const {
    const Double a = Stored(Fp(X) / 10.0);
    const Double p1 = rt::Power(10.0, a);
    const Double b = Stored(Fp(Y) / 10.0);
    const Double p2 = rt::Power(10.0, b);
    const Double s = Stored(Fp(p2) + p1);
    const Fp ln10 = rt::kLogOf10;  // Log(10.0), evaluated first
    const Double L = Stored(rt::Log(s) / ln10);
    return Stored(Fp(L) * 10.0);
}

Boolean cGenUtil::IsEqualAbs(Double X, Double Y, Double tol) const {
    const Double d = rt::AbsDifferenceForComparison(X, Y);
    return !(d > tol);  // d <= tol, or unordered
}

Boolean cGenUtil::IsEqualRel(Double X, Double Y, Double tol) const {
    const Double q = rt::StoredFormula([=](auto F) { return (F(X) - Y) / Y; });
    const Double d = std::fabs(q);
    return !(d > tol);  // d <= tol, or unordered
}

Boolean cGenUtil::IntToBin(Integer nInt, String& sBin) const {
    WriteBinaryText(nInt, sBin);
    return true;
}

Boolean cGenUtil::BinToInt(const String& sBin, Integer& nInt) const {
    return ReadBinaryText(sBin, nInt);
}

Boolean cGenUtil::LongToBin(Long lngLong, String& sBin) const {
    WriteBinaryText(lngLong, sBin);
    return true;
}

Boolean cGenUtil::BinToLong(const String& sBin, Long& lngLong) const {
    return ReadBinaryText(sBin, lngLong);
}

}  // namespace tervanix
