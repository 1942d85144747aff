// Formulas tested once, on their values, instead of after each operation.
//
// A formula built from +, - and *, and from divisions whose divisor is a value
// rather than a part of the formula, can only have raised a fault when its value is
// not finite: every fault leaves an infinity or a NaN behind, and these operations
// carry an infinity or a NaN on to the value (only a division by a computed
// infinity, or a function such as the arctangent, can turn one back into a finite
// number). Such formulas are written once, as a generic callable of an operand
// wrapper F, with F around the first operand of each operation where Fp would be:
//
//   const Double s = rt::StoredFormula([=](auto F) { return F(a) * b + F(c) * d; });
//   rt::AssignFormulas([=](auto F) { return std::array{F(x) - y, F(x) + y}; }, lo, hi);
//
// They are evaluated on plain Doubles first. Only when a value is not finite are they
// evaluated again through Fp and stored or assigned in order, exactly as Stored and
// Assign do, so that the first value that faulted raises its fault (an output then
// holds the faulting value, and the outputs after it are untouched). Both
// evaluations round every operation the same way and so give the same values.
//
// Within the callable a named value of the method is stored with rt::Stored, which
// tests nothing in the plain evaluation and raises in its place in the checked one.
// That is sound when each such value reaches the results through +, - and * or as a
// dividend, so that a fault in it leaves a result that is not finite.
//
// The callable captures by value: it reads the operands as they were when it was
// made, whatever the outputs alias.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <type_traits>

#include "Tervanix/platform/Config.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

struct PlainOperand {
    constexpr Double operator()(Double x) const noexcept { return x; }
};

struct CheckedOperand {
    constexpr Fp operator()(Double x) const noexcept { return Fp(x); }
};

// Whether every value is finite, by one test on their sum: the sum of finite values
// is finite unless it overflows, which only sends a call down its checked path for
// nothing; a value that is not finite makes it not finite.
template <std::size_t N>
bool SumIsFinite(const std::array<Double, N>& values) {
    Double sum = values[0];
    for (std::size_t n = 1; n < N; ++n) sum += values[n];
    return std::isfinite(sum);
}

namespace formula_detail {

// The checked evaluations, out of the way of the plain one. They take the callable
// by reference to a copy made on the checked path, so that the plain path keeps the
// operands in registers.
//
// One value is stored inside the call, which is then the last thing done and needs
// no stack frame on the plain path.
template <typename Formula>
TERVANIX_COLD_NOINLINE Double StoredChecked(const Formula& formula) {
    return Stored(formula(CheckedOperand{}));
}

// Several values are assigned to the outputs in order, as Assign does, inside the
// call: the plain path then keeps nothing alive across it and needs no stack frame.
template <typename Formulas, typename... Outputs>
TERVANIX_COLD_NOINLINE void AssignChecked(const Formulas& formulas, Outputs&... outs) {
    const std::array<Fp, sizeof...(Outputs)> checked = formulas(CheckedOperand{});
    std::size_t n = 0;
    (Assign(outs, checked[n++]), ...);
}

}  // namespace formula_detail

// The value of one formula, stored in a variable of the method.
template <typename Formula>
TERVANIX_ALWAYS_INLINE inline Double StoredFormula(Formula formula) {
    if constexpr (kStepByStep) return Stored(formula(CheckedOperand{}));
    const Double value = formula(PlainOperand{});
    if (TERVANIX_LIKELY(std::isfinite(value))) return value;
    const Formula copy = formula;
    return formula_detail::StoredChecked(copy);
}

// Formulas returned as a std::array, assigned straight into the outputs in order.
template <typename Formulas, typename... Outputs>
TERVANIX_ALWAYS_INLINE inline void AssignFormulas(Formulas formulas, Outputs&... outs) {
    static_assert((std::is_same_v<Outputs, Double> && ...), "the outputs are Doubles");
    if constexpr (kStepByStep) {
        formula_detail::AssignChecked(formulas, outs...);
        return;
    }
    const std::array<Double, sizeof...(Outputs)> values = formulas(PlainOperand{});
    std::size_t n = 0;
    if (TERVANIX_LIKELY(SumIsFinite(values))) {
        ((outs = values[n++]), ...);
        return;
    }
    const Formulas copy = formulas;
    formula_detail::AssignChecked(copy, outs...);
}

}  // namespace tervanix::rt
