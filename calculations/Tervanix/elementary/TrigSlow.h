// The multiprecision path of the correctly rounded sine, cosine and arctangent (256
// bits): taken where the double-double evaluation cannot decide the rounding, and
// always by the reference build. x finite, and not among the cases handled up front.
#pragma once

namespace tervanix::rt::trig {

double SlowSin(double x);
double SlowCos(double x);
double SlowAtan(double x);

}  // namespace tervanix::rt::trig
