// A binary floating-point number of 256 bits, the slow path of the correctly rounded
// functions: when a double-double evaluation cannot prove which Double is nearest,
// the function is evaluated again with this type, whose error is some 2^-230 of the
// value, far below the distance from a midpoint of any argument that is not an exact
// case (the hardest arguments of these functions lie about 2^-120 from a midpoint).
//
// Plain C++17 on 32-bit limbs and 64-bit products: the same bits on every platform.
// Every operation truncates its exact result to 256 bits (toward zero), so each adds
// a relative error below 2^-255; an addition or subtraction also loses what lies
// below 2^-287 of its larger operand (one guard limb), which matters only where the
// operands cancel.
#pragma once

#include <cstdint>

namespace tervanix::rt::mp {

constexpr int kLimbs = 8;  // 32 bits each

// (-1)^negative * m * 2^(exponent - 256), where m is the integer of the limbs (limb[0]
// the least significant) and lies in [2^255, 2^256), so the value lies in
// [2^(exponent-1), 2^exponent). Zero has every limb 0, exponent 0 and no sign.
struct Number {
    std::uint32_t limb[kLimbs];
    int exponent;
    bool negative;
};

Number FromDouble(double x);  // exact; x finite
bool IsZero(const Number& x);
Number Negate(Number x);
Number Scale(Number x, int k);  // x * 2^k, exact
Number Add(const Number& a, const Number& b);
Number Subtract(const Number& a, const Number& b);
Number Multiply(const Number& a, const Number& b);
Number MultiplySmall(const Number& a, std::uint32_t k);
Number DivideSmall(const Number& a, std::uint32_t k);  // k > 0

// x rounded to the nearest Double, ties to even, on the grid of 2^-1074 below the
// normal range, infinite beyond the Double range. `decided` tells whether every
// value within a relative 2^-accurateBits of x (accurateBits <= 250) rounds to the
// same Double, that is, whether the rounding holds for the exact value x stands for.
struct Rounding {
    double value;
    bool decided;
};
Rounding RoundToDouble(const Number& x, int accurateBits);

}  // namespace tervanix::rt::mp
