// The fault test of a formula made of additions, subtractions and multiplications
// only, made once on its value instead of after every operation.
//
// Without a division, a value that is not finite cannot disappear again: an infinity
// or a NaN that any operation produces reaches the formula's value. So when the value
// is finite, no operation raised invalid operation, division by zero or overflow, and
// the formula needs no test of its own. Only when the value is not finite is the
// formula evaluated again through Fp, which tells a fault from an infinity or a NaN
// that an operand passed on. Both evaluations round every operation alike, so the
// value is the one Fp gives.
//
// The formula is a generic lambda of its first operand, which it receives once as a
// plain Double and, in the rare case, as an Fp:
//
//   return rt::StoredDivisionFree(dXIdx2, [=](auto x) { return (x - dXIdx1) * f + dXIdx1; });
#pragma once

#include <cmath>

#include "Tervanix/runtime/Checked.h"

namespace tervanix::rt {

// The evaluation through Fp, kept out of the callers' way.
template <typename Formula>
[[gnu::noinline, gnu::cold]] Double StoredThroughFp(Double first, Formula formula) {
    return Stored(formula(Fp(first)));
}

template <typename Formula>
inline Double StoredDivisionFree(Double first, Formula formula) {
    const Double value = formula(first);
    if (__builtin_expect(std::isfinite(value), 1)) return value;
    return StoredThroughFp(first, formula);
}

}  // namespace tervanix::rt
