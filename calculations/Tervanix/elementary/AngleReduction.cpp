#include "Tervanix/elementary/AngleReduction.h"

#include "Tervanix/elementary/FloatBits.h"

namespace tervanix::rt::trig {

namespace {

using dd::DoubleDouble;

// The fixed-point product x * 2/pi takes 12 words (384 bits) of 2/pi.
constexpr int kWindowWords = 12;
constexpr int kLimbs = kWindowWords + 2;

std::uint32_t Limb(const std::uint32_t* limbs, int i) { return i >= 0 && i < kLimbs ? limbs[i] : 0; }

// The 64 bits of the fixed-point number starting at bit pos (pos >= 0).
std::uint64_t BitsAt(const std::uint32_t* limbs, int pos) {
    const int word = pos >> 5;
    const int shift = pos & 31;
    const std::uint64_t low = Limb(limbs, word) | std::uint64_t{Limb(limbs, word + 1)} << 32;
    if (shift == 0) return low;
    return (low >> shift) | std::uint64_t{Limb(limbs, word + 2)} << (64 - shift);
}

int HighestBit(std::uint32_t v) {
    int bit = -1;
    while (v != 0) {
        v >>= 1;
        ++bit;
    }
    return bit;
}

void Negate(std::uint32_t* limbs) {
    std::uint64_t carry = 1;
    for (int i = 0; i < kLimbs; ++i) {
        const std::uint64_t t = std::uint64_t{static_cast<std::uint32_t>(~limbs[i])} + carry;
        limbs[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
}

// x * 2/pi modulo 4 in fixed point: limbs least significant first, fractionBits (at
// least 351) bits after the binary point, k modulo 4 and garbage above them. The bits
// of 2/pi left out make an error below 2^(53 - fractionBits).
struct FixedPoint {
    std::uint32_t limbs[kLimbs];
    int fractionBits;
};

FixedPoint MultiplyByTwoOverPi(double x) {
    const std::uint64_t bits = BitsOf(x);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exponent = biased - 1075;  // x = mantissa * 2^exponent
    // The words of 2/pi before `first` contribute multiples of 4 only.
    const int first = exponent >= 2 ? (exponent - 2) / 32 : 0;
    FixedPoint p{};
    const std::uint32_t factors[2] = {static_cast<std::uint32_t>(mantissa), static_cast<std::uint32_t>(mantissa >> 32)};
    for (int f = 0; f < 2; ++f) {
        std::uint64_t carry = 0;
        for (int i = 0; i < kWindowWords; ++i) {
            const std::uint64_t word = kTwoOverPiBits[first + kWindowWords - 1 - i];
            const std::uint64_t t = factors[f] * word + p.limbs[i + f] + carry;
            p.limbs[i + f] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        p.limbs[kWindowWords + f] = static_cast<std::uint32_t>(carry);
    }
    p.fractionBits = 32 * (first + kWindowWords) - exponent;
    return p;
}


}  // namespace

QuarterTurns CountQuarterTurns(double x) {
    FixedPoint p = MultiplyByTwoOverPi(x);
    const int point = p.fractionBits;
    QuarterTurns turns{};
    turns.quadrant = static_cast<int>(BitsAt(p.limbs, point) & 3);
    turns.negative = (BitsAt(p.limbs, point - 1) & 1) != 0;  // f >= 1/2: take the next k
    if (turns.negative) {
        Negate(p.limbs);
        turns.quadrant = (turns.quadrant + 1) & 3;
    }
    int top = -1;
    for (int word = (point - 1) >> 5; word >= 0 && top < 0; --word) {
        std::uint32_t v = p.limbs[word];
        if (32 * word + 31 >= point) v &= (std::uint32_t{1} << (point - 32 * word)) - 1;
        if (v != 0) top = 32 * word + HighestBit(v);
    }
    if (top < 0) return turns;  // f = 0, which no double reaches
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 53) - 1;
    for (int i = 0; i < 5; ++i) {
        const int low = top - 52 - 53 * i;
        turns.chunk[i] = static_cast<double>(BitsAt(p.limbs, low) & kMantissa) * PowerOfTwo(low - point);
    }
    return turns;
}

ReducedAngle PayneHanek(double x) {
    const QuarterTurns turns = CountQuarterTurns(x);
    DoubleDouble r = dd::Multiply(dd::FastTwoSum(turns.chunk[0], turns.chunk[1]), DoubleDouble{kHalfPiHi, kHalfPiLo});
    if (turns.negative) r = {-r.hi, -r.lo};
    return {turns.quadrant, r};
}

TableAngle ReduceLargeToTable(double x) {
    const ReducedAngle quarter = ReduceAngle(std::fabs(x));  // |r| <= pi/4 + 2^-30: the row is within 257 of 0
    const TableAngle a = CodyWaiteToTable(quarter.r.hi);
    const TableAngle reduced{a.k + 512 * quarter.quadrant, dd::TwoSum(a.r.hi, a.r.lo + quarter.r.lo)};
    if (x < 0.0) return {-reduced.k, {-reduced.r.hi, -reduced.r.lo}};  // exactly -|x|'s angle
    return reduced;
}

}  // namespace tervanix::rt::trig
