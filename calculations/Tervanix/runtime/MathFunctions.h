// The mathematical facilities: natural logarithm, square root, arctangent, sine,
// cosine and power. Each returns its result as an Fp, so that a formula built on it
// carries the fault test of the library (a sine of an infinity is an invalid
// operation); the domain errors the facilities raise themselves are named below.
#pragma once

#include <cmath>

#include "Tervanix/elementary/LogExp.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

[[noreturn]] void RaiseDomainError(const char* function, Double x);

// ln x, correctly rounded; x <= 0 raises InvalidArgument. Inline: the decimal
// logarithms are hot.
inline Fp Log(Double x) {
    if (x <= 0.0) RaiseDomainError("Log", x);
    const Double r = cr::Log(x);
    return std::isfinite(r) ? Fp(r) : Fp(r, RecordNonFinite(x, x, r, 'f', "Log"));
}

// Log(10.0) as the logarithm facility gives it, the Double nearest to ln 10. The
// decimal logarithms divide by it; a test holds it equal to Log(10.0) to the bit.
constexpr Double kLogOf10 = 2.302585092994046;
Fp Sqr(Double x);           // square root, correctly rounded; x < 0 raises InvalidArgument
// Arctangent (radians, from -pi/2 to pi/2), sine and cosine (of an angle in radians),
// correctly rounded (elementary/Trig.h).
Fp Atn(Double x);
Fp Sin(Double x);
Fp Cos(Double x);
// x raised to the power y, correctly rounded for the bases the library uses, 2 and 10
// (any other base is the C library's pow). A result beyond the Double range from finite operands
// raises OverflowError; zero to a negative power FloatingPointFault (division by
// zero); a result that does not exist (a negative base with a fractional power)
// InvalidArgument.
Double Power(Double x, Double y);

}  // namespace tervanix::rt
