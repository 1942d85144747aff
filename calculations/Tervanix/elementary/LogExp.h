// The natural logarithm and the powers of 2 and of 10, correctly rounded: each result
// is the Double nearest the exact value (ties to even), subnormal results included,
// so every platform gives the same bits. They use nothing but Double arithmetic and
// whole numbers. Special arguments give what IEEE 754 gives.
#pragma once

namespace tervanix::rt::cr {

double Log(double x);    // ln x; -infinity at 0, NaN below 0, infinity at infinity
double Exp2(double y);   // 2^y; infinity beyond the Double range, 0 below its end
double Exp10(double y);  // 10^y; likewise

// The same functions without fused multiply-add, which the ones above use where the
// processor has it (the same results, faster); for the rounding check of both.
namespace portable {
double Log(double x);
double Exp2(double y);
double Exp10(double y);
}  // namespace portable

}  // namespace tervanix::rt::cr
