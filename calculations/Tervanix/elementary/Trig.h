// Correctly rounded sine, cosine and arctangent: the double nearest the exact value
// for every argument, the same bits on every platform. A double-double evaluation
// decides the rounding in all but about one case in 2*10^4; those take the
// multiprecision path. Infinite arguments of the sine and cosine give NaN (an invalid
// operation), a NaN gives a NaN, atan(+-inf) is +-pi/2 rounded, and the zeros keep
// their sign in the sine and the arctangent.
#pragma once

namespace tervanix::rt::cr {

double Sin(double x);
double Cos(double x);
double Atan(double x);

// The same functions without fused multiply-add, which the ones above use where the
// processor has it (the same results); for the rounding check of both.
namespace portable {
double Sin(double x);
double Cos(double x);
double Atan(double x);
}  // namespace portable

}  // namespace tervanix::rt::cr
