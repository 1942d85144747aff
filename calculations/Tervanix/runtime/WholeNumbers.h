// Whole-number arithmetic that never wraps around, and the rounding conversions.
//
// Integer arithmetic is done in 16 bits and Long arithmetic in 32 bits; a result
// outside the type's range raises OverflowError. A Double is converted to a whole
// number by rounding to the nearest, a half going to the even neighbour, and the
// rounded value must lie in the target's range.
#pragma once

#include <cstdint>
#include <limits>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// `type` is "Integer" or "Long"; `op` is + - * or 't' for a conversion of `a`.
[[noreturn]] void RaiseWholeNumberOverflow(const char* type, std::int64_t a, char op, std::int64_t b);

namespace detail {
template <typename T>
inline T InRange(std::int64_t r, std::int64_t a, char op, std::int64_t b) {
    if (TERVANIX_UNLIKELY(r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max())) {
        RaiseWholeNumberOverflow(sizeof(T) == 2 ? "Integer" : "Long", a, op, b);
    }
    return static_cast<T>(r);
}
}  // namespace detail

inline Integer Add(Integer a, Integer b) { return detail::InRange<Integer>(std::int64_t{a} + b, a, '+', b); }
inline Integer Sub(Integer a, Integer b) { return detail::InRange<Integer>(std::int64_t{a} - b, a, '-', b); }
inline Integer Mul(Integer a, Integer b) { return detail::InRange<Integer>(std::int64_t{a} * b, a, '*', b); }
inline Long Add(Long a, Long b) { return detail::InRange<Long>(std::int64_t{a} + b, a, '+', b); }
inline Long Sub(Long a, Long b) { return detail::InRange<Long>(std::int64_t{a} - b, a, '-', b); }
inline Long Mul(Long a, Long b) { return detail::InRange<Long>(std::int64_t{a} * b, a, '*', b); }

// A Long converted to Integer: OverflowError outside -32768 to 32767.
inline Integer ToInteger(Long value) { return detail::InRange<Integer>(value, value, 't', 0); }

// The step of a For loop's Long counter, i + 1: past 2147483647 it raises
// OverflowError, saying that the loop counts more than a Long counter can step past.
[[noreturn]] void RaiseCounterPastLong();
inline Long NextCounter(Long i) {
    if (TERVANIX_UNLIKELY(i == std::numeric_limits<Long>::max())) RaiseCounterPastLong();
    return i + 1;
}

// A bound of the array `array` (the argument's name) taken as an Integer position;
// outside -32768 to 32767 it raises OverflowError naming the array and the bound.
[[noreturn]] void RaiseBoundNotInteger(Long bound, const char* array, bool upper);
inline Integer IntegerPosition(Long bound, const char* array, bool upper) {
    if (TERVANIX_UNLIKELY(bound < std::numeric_limits<Integer>::min() || bound > std::numeric_limits<Integer>::max())) {
        RaiseBoundNotInteger(bound, array, upper);
    }
    return static_cast<Integer>(bound);
}

// The Double rounded to the nearest whole number, a half going to the even one.
// Exact for every Double; NaN stays NaN and infinities stay infinite.
Double RoundHalfEven(Double value) noexcept;

// A Double converted to Integer or Long: rounded half to even, OverflowError when
// the rounded value lies outside the target's range (NaN lies outside every range).
Integer ToInteger(Double value);
Long ToLong(Double value);

}  // namespace tervanix::rt
