// The steps of CInterpolation's table lookup that the batch lookup (batch/Batch1D.cpp)
// takes too, inline in both, so that each target's digits and faults come from the
// same code. Not installed.
#pragma once

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix::table_steps {

// LinearInterpolation1Way's formula, (x2 - x1) * fraction + x1, of the operand
// wrapper F (runtime/Formula.h).
template <typename Op>
auto OneWay(Op F, Double x1, Double x2, Double fraction) {
    return (F(x2) - x1) * fraction + x1;
}

// LinearInterpolation1Way's value, stored.
inline Double StoredOneWay(Double x1, Double x2, Double fraction) {
    return rt::StoredFormula([=](auto F) { return OneWay(F, x1, x2, fraction); });
}

// (target - X1) / (X2 - X1): the fraction of the way from the first table point to
// the second, inside the table and along an end interval alike.
inline rt::Fp Fraction(Double dXTarget, Double dX1, Double dX2) {
    return (rt::Fp(dXTarget) - dX1) / (rt::Fp(dX2) - dX1);
}

// The value inside the table, between the Y values of the two positions: what
// LinearInterpolation1Way gives.
inline void AssignInside(const DoubleArray& dYArray, Integer i1, Integer i2, Double f, Double& dYResult) {
    const Double y1 = dYArray(i1), y2 = dYArray(i2);
    dYResult = StoredOneWay(y1, y2, f);
}

}  // namespace tervanix::table_steps
