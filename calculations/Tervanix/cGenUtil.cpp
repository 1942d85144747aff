#include "Tervanix/cGenUtil.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MathFunctions.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/StringFunctions.h"

namespace tervanix {

using rt::Fp;
using rt::Stored;

namespace {

// Positive, finite and not 0, from the bits: those of the smallest subnormal up to those
// of the largest Double. One integer comparison costs less than two of Doubles.
bool IsPositiveFinite(Double x) { return rt::BitsOf(x) - 1 < rt::BitsOf(std::numeric_limits<Double>::max()); }

// Log of a sum of two powers of ten, which is 0 only when both powers underflowed.
rt::Fp LogOfPowerSum(Double s, const char* sum, Double X, Double Y, const char* lowest) {
    if (TERVANIX_UNLIKELY(s == 0.0)) {
        rt::MessageText<> text;
        text << "the sum " << sum << " underflowed to 0 (X = " << X << ", Y = " << Y
             << "), which has no logarithm; at least one of X and Y must lie above about " << lowest;
        rt::Raise(ErrorKind::InvalidArgument, text.c_str());
    }
    return rt::Log(s);
}

// The decimal logarithms step by step, each statement stored: cold calls, so that the
// fast paths, which take them only for arguments without a logarithm, save no
// registers for them.
TERVANIX_COLD_NOINLINE Double Log10StepByStep(Double X) {
    const Fp ln10 = rt::kLogOf10;  // Log(10.0), evaluated first
    return Stored(rt::Log(X) / ln10);
}

TERVANIX_COLD_NOINLINE Double Log10SumStepByStep(Double X, Double Y) {
    const Double p1 = rt::Power(10.0, X);
    const Double p2 = rt::Power(10.0, Y);
    const Double s = Stored(Fp(p2) + p1);
    const Fp ln10 = rt::kLogOf10;  // Log(10.0), evaluated first
    return Stored(LogOfPowerSum(s, "10^X + 10^Y", X, Y, "-323.6") / ln10);
}

TERVANIX_COLD_NOINLINE Double LogDBSumStepByStep(Double X, Double Y) {
    const Double a = Stored(Fp(X) / 10.0);
    const Double p1 = rt::Power(10.0, a);
    const Double b = Stored(Fp(Y) / 10.0);
    const Double p2 = rt::Power(10.0, b);
    const Double s = Stored(Fp(p2) + p1);
    const Fp ln10 = rt::kLogOf10;  // Log(10.0), evaluated first
    const Double L = Stored(LogOfPowerSum(s, "10^(X/10) + 10^(Y/10)", X, Y, "-3236") / ln10);
    return Stored(Fp(L) * 10.0);
}

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

// The False of BinToInt (width 16) and BinToLong (width 32): the length, or the first
// character that is neither "0" nor "1".
TERVANIX_COLD_NOINLINE bool RefuseBinaryText(const String& sBin, int width) {
    const char* const where = width == 16 ? "cGenUtil.BinToInt" : "cGenUtil.BinToLong";
    rt::MessageText<> text;
    const std::size_t length = sBin.size();  // whole: a text of any length is refused
    if (length != static_cast<std::size_t>(width)) {
        text << "sBin has " << length << " characters; " << (where + 9) << " reads exactly " << width
             << " characters \"0\" and \"1\", the first weighing -2^" << width - 1 << ": give the text in that form";
    } else {
        Long k = 1;
        while (sBin[k - 1] == u'0' || sBin[k - 1] == u'1') ++k;
        text << "character " << k << " of sBin has the code " << static_cast<int>(sBin[k - 1]) << "; " << (where + 9)
             << " reads only the characters \"0\" and \"1\": remove anything else, spaces included";
    }
    return rt::RecordFalse(FalseReason::NotBinaryText, where, text.c_str());
}

constexpr std::uint64_t kFourZeros = 0x0030003000300030;  // "0000"
constexpr std::uint64_t kFourOnes = 0x0001000100010001;   // "1111" minus "0000"

// The characters of a binary text, four at a time, side by side in one 64-bit word:
// a character's bits exclusive-or those of "0" are 0 or 1 exactly when the character
// is "0" or "1", so the words test all characters at once, and each word's four bits are gathered by one
// product, so that no character waits for the one before it. True with the
// characters read as an unsigned binary number, character 1 the most significant,
// when every character is "0" or "1"; otherwise false, `unsignedValue` then being
// of no use.
template <std::size_t... Word>
bool ReadFourAtATime(const char16_t* text, std::uint64_t& unsignedValue, std::index_sequence<Word...>) {
    // Characters first to first + 3, character first + i in bits 16i to 16i + 15,
    // whatever the byte order (compilers read them with a single load).
    const auto fourCharacters = [](const char16_t* first) {
        return std::uint64_t{first[0]} | std::uint64_t{first[1]} << 16 | std::uint64_t{first[2]} << 32 |
               std::uint64_t{first[3]} << 48;
    };
    // The bits of four characters exclusive-or "0" (each 0 or 1, character i's at bit 16i)
    // as a number of four binary digits, character 0 the most significant: the
    // product moves character i's bit to bit 51 - i and every other partial product
    // below bit 35 or past bit 63, so bits 48 to 51 hold the digits and nothing else
    // lies above them.
    const auto gatherFourBits = [](std::uint64_t bits) {
        constexpr std::uint64_t kSpread = (std::uint64_t{1} << 51) | (std::uint64_t{1} << 34) |
                                          (std::uint64_t{1} << 17) | std::uint64_t{1};
        return (bits * kSpread) >> 48;
    };
    constexpr std::size_t kWords = sizeof...(Word);
    const std::uint64_t bits[] = {(fourCharacters(text + 4 * Word) ^ kFourZeros)...};
    const std::uint64_t notDigits = ((bits[Word] & ~kFourOnes) | ...);
    unsignedValue = ((gatherFourBits(bits[Word]) << (4 * (kWords - 1 - Word))) | ...);
    return notDigits == 0;
}

// Reads text written by WriteBinaryText; False, with `out` untouched, when the text
// is not exactly W characters "0" and "1". Character 1 weighs -2^(W-1), character k
// from 2 to W weighs 2^(W-k): the W characters are read as an unsigned binary number
// and a "1" first then stands for 2^(W-1) instead of -2^(W-1), 2^W too much. Every
// step is exact in 64 bits, so the order in which the characters are added to the
// number does not matter; the first character that is neither "0" nor "1" is found
// again by RefuseBinaryText, so neither does the order in which they are tested.
template <typename T>
bool ReadBinaryText(const String& sBin, T& out) {
    constexpr int W = 8 * sizeof(T);
    if (sBin.size() != W) return RefuseBinaryText(sBin, W);
    if constexpr (!rt::kStepByStep) {
        const char16_t* const text = sBin.data();
        std::uint64_t unsignedValue = 0;
        if (TERVANIX_UNLIKELY(!ReadFourAtATime(text, unsignedValue, std::make_index_sequence<W / 4>{}))) {
            return RefuseBinaryText(sBin, W);
        }
        const auto value = static_cast<std::int64_t>(unsignedValue);
        out = static_cast<T>(text[0] == u'0' ? value : value - (std::int64_t{1} << W));
        return true;
    }
    // The reference build: character by character, each tested and then added to
    // the number, which doubles the ones before it.
    std::int64_t unsignedValue = 0;
    for (int k = 1; k <= W; ++k) {
        const char16_t c = sBin[k - 1];
        if (c != u'0' && c != u'1') return RefuseBinaryText(sBin, W);
        unsignedValue = 2 * unsignedValue + (c - u'0');
    }
    out = static_cast<T>(sBin[0] == u'0' ? unsignedValue : unsignedValue - (std::int64_t{1} << W));
    return true;
}

// IsEqualRel step by step: the quotient stored, then compared.
TERVANIX_COLD_NOINLINE bool IsEqualRelStepByStep(Double X, Double Y, Double tol) {
    const Double q = Stored((Fp(X) - Y) / Y);
    const Double d = std::fabs(q);
    return !(d > tol);  // d <= tol, or unordered
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

Double cGenUtil::Avg(Double X, Double Y) const try {
    return rt::StoredFormula([=](auto F) { return (F(X) + Y) / 2.0; });
} catch (...) { rt::RethrowFrom("cGenUtil.Avg"); }

// The decimal logarithms first run on plain Doubles. Once the value whose logarithm
// is taken is positive and finite, no step before it has faulted or raised (a power
// beyond the Double range, or a NaN, would leave it infinite or NaN) and no step
// after it can; otherwise the steps are taken one by one, each with its test.
Double cGenUtil::Log10(Double X) const try {
    if (!rt::kStepByStep && TERVANIX_LIKELY(IsPositiveFinite(X))) return rt::cr::Log(X) / rt::kLogOf10;
    return Log10StepByStep(X);
} catch (...) { rt::RethrowFrom("cGenUtil.Log10"); }

Double cGenUtil::Log10Sum(Double X, Double Y) const try {
    const Double p1 = rt::cr::Exp10(X);
    const Double p2 = rt::cr::Exp10(Y);
    const Double s = p2 + p1;
    if (!rt::kStepByStep && TERVANIX_LIKELY(IsPositiveFinite(s))) return rt::cr::Log(s) / rt::kLogOf10;
    return Log10SumStepByStep(X, Y);
} catch (...) { rt::RethrowFrom("cGenUtil.Log10Sum"); }

Double cGenUtil::LogDBSum(Double X, Double Y) const try {
    const Double p1 = rt::cr::Exp10(X / 10.0);
    const Double p2 = rt::cr::Exp10(Y / 10.0);
    const Double s = p2 + p1;
    if (!rt::kStepByStep && TERVANIX_LIKELY(IsPositiveFinite(s))) return rt::cr::Log(s) / rt::kLogOf10 * 10.0;
    return LogDBSumStepByStep(X, Y);
} catch (...) { rt::RethrowFrom("cGenUtil.LogDBSum"); }

Boolean cGenUtil::IsEqualAbs(Double X, Double Y, Double tol) const try {
    const Double d = rt::AbsDifferenceForComparison(X, Y);
    return !(d > tol);  // d <= tol, or unordered
} catch (...) { rt::RethrowFrom("cGenUtil.IsEqualAbs"); }

Boolean cGenUtil::IsEqualRel(Double X, Double Y, Double tol) const try {
    if constexpr (!rt::kStepByStep) {
        // The plain quotient, when finite, is the stored one (runtime/Formula.h); the
        // rest, the comparison included, goes to a cold call, so that this path keeps
        // tol in its register and needs no stack frame.
        const Double q = (X - Y) / Y;
        if (TERVANIX_LIKELY(std::isfinite(q))) return !(std::fabs(q) > tol);
    }
    return IsEqualRelStepByStep(X, Y, tol);
} catch (...) { rt::RethrowFrom("cGenUtil.IsEqualRel"); }

Boolean cGenUtil::IntToBin(Integer nInt, String& sBin) const try {
    WriteBinaryText(nInt, sBin);
    return true;
} catch (...) { rt::RethrowFrom("cGenUtil.IntToBin"); }

Boolean cGenUtil::BinToInt(const String& sBin, Integer& nInt) const {
    return ReadBinaryText(sBin, nInt);
}

Boolean cGenUtil::LongToBin(Long lngLong, String& sBin) const try {
    WriteBinaryText(lngLong, sBin);
    return true;
} catch (...) { rt::RethrowFrom("cGenUtil.LongToBin"); }

Boolean cGenUtil::BinToLong(const String& sBin, Long& lngLong) const {
    return ReadBinaryText(sBin, lngLong);
}

}  // namespace tervanix
