// Reduction of an angle by multiples of pi/2 for the sine and cosine: x = k*pi/2 + r
// with |r| <= pi/4 (a little more when k is rounded at a boundary), r = hi + lo with
// |lo| below 2^-47 and 2^-27 |hi|, and a relative error below 2^-80 for every finite
// double.
#pragma once

#include "Tervanix/runtime/DoubleDouble.h"

namespace tervanix::rt::trig {

struct ReducedAngle {
    int quadrant;          // k modulo 4
    dd::DoubleDouble r;    // x - k*pi/2, not always normalized
};

// x >= pi/4, finite.
ReducedAngle ReduceAngle(double x);

// x * 2/pi = k + f with k whole and |f| <= 1/2, for x >= pi/4 finite: k modulo 4, the
// sign of f, and |f| as five 53-bit pieces, chunk[0] + ... + chunk[4], each within the
// last bit of the one before; with the bits of 2/pi left out they agree with |f| to
// within 2^-230 of its value for every double (|f| > 2^-63). The fast reduction of
// large x keeps the first two, the multiprecision path all five.
struct QuarterTurns {
    int quadrant;  // k modulo 4
    bool negative;
    double chunk[5];
};
QuarterTurns CountQuarterTurns(double x);

}  // namespace tervanix::rt::trig
