// Logarithms and the exponential on the 256-bit Number: the constants and tables of the
// correctly rounded functions are computed with them once, and the slow path uses
// them when the double-double evaluation cannot decide the rounding. Each result lies
// within a relative 2^-238 of the exact value (the argument of Exp taken as exact);
// the comments of MultiPrecisionFunctions.cpp give the bounds.
#pragma once

#include <cstdint>

#include "Tervanix/elementary/MultiPrecision.h"

namespace tervanix::rt::mp {

// ln(a / b) for whole numbers 0 < a, b with a + b < 65536 and a / b between 1/2 and 2.
Number LogOfRatio(std::uint32_t a, std::uint32_t b);
const Number& Ln2();
const Number& Ln10();
// e^t for |t| below 760.
Number Exp(const Number& t);

}  // namespace tervanix::rt::mp
