// Double arithmetic with the library's fault test.
//
// A formula is written with its first operand wrapped in Fp; every operation then
// rounds to Double as written and records whether it raised one of the IEEE
// exceptions that count as faults: invalid operation, division by zero, overflow.
// Underflow and inexact results do not count, and a quiet NaN operand raises
// nothing. The record is read when the statement stores its value:
//
//   Stored(e)       a value of the method: the caller never sees a faulting value;
//   Assign(out, e)  an output assigned straight from the formula: it receives the
//                   value first, and the fault, if any, is raised after.
//
// The test is made on the operands and the result of each operation, not on the
// processor's exception flags, so it does not depend on how a compiler treats the
// floating-point environment. It costs one well-predicted branch per operation:
// only a result that is not finite is looked at more closely. Each intermediate is
// a Double, so an intermediate that leaves the Double range faults in its statement.
#pragma once

#include <cmath>
#include <cstdint>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// IEEE exceptions that end a call, as bits so that a formula can collect them.
enum FpFaultBits : std::uint8_t {
    kNoFault = 0,
    kInvalidOperation = 1,
    kDivisionByZero = 2,
    kOverflow = 4,
};

// The faults that an operation with these operands raised, given that its result
// `r` is not finite. `op` is one of + - * / or 'f' for a one-operand function.
// Declared const (it reads nothing but its arguments), so that a loop whose formulas
// call it on their rare path can still keep the values it reads from memory in
// registers.
TERVANIX_PURE_FUNCTION std::uint8_t ClassifyNonFinite(Double a, Double b, Double r, char op) noexcept;

[[noreturn]] void RaiseFpFault(std::uint8_t faults, Double value);

class Fp {
public:
    constexpr Fp(Double value) noexcept : value_(value) {}  // NOLINT: implicit on purpose
    constexpr Fp(Double value, std::uint8_t faults) noexcept : value_(value), faults_(faults) {}

    constexpr Double value() const noexcept { return value_; }
    constexpr std::uint8_t faults() const noexcept { return faults_; }

    friend Fp operator+(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ + b.value_, '+'); }
    friend Fp operator-(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ - b.value_, '-'); }
    friend Fp operator*(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ * b.value_, '*'); }
    friend Fp operator/(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ / b.value_, '/'); }

private:
    static Fp Combine(Fp a, Fp b, Double r, char op) noexcept {
        std::uint8_t faults = static_cast<std::uint8_t>(a.faults_ | b.faults_);
        if (TERVANIX_UNLIKELY(!std::isfinite(r))) {
            faults = static_cast<std::uint8_t>(faults | ClassifyNonFinite(a.value_, b.value_, r, op));
        }
        return Fp(r, faults);
    }

    Double value_;
    std::uint8_t faults_ = kNoFault;
};

// The absolute value: a sign change, which raises nothing.
inline Fp Abs(Fp x) noexcept { return Fp(std::fabs(x.value()), x.faults()); }

// The value a statement stores in a variable of the method; a fault ends the call
// before anyone sees the value.
inline Double Stored(Fp e) {
    if (TERVANIX_UNLIKELY(e.faults() != kNoFault)) RaiseFpFault(e.faults(), e.value());
    return e.value();
}

// A statement that assigns straight into a by-reference output: the output
// receives the value, then the fault test follows.
inline void Assign(Double& out, Fp e) {
    out = e.value();
    if (TERVANIX_UNLIKELY(e.faults() != kNoFault)) RaiseFpFault(e.faults(), e.value());
}

// |a - b| converted to Double for a comparison. The difference of two finite
// numbers always exists, but when it lies beyond the Double range the conversion
// fails with OverflowError; infinities of the same sign make an invalid difference,
// a FloatingPointFault.
[[noreturn]] void RaiseDifferenceOverflow(Double a, Double b);

inline Double AbsDifferenceForComparison(Double a, Double b) {
    const Fp d = Fp(a) - b;
    if (TERVANIX_UNLIKELY(d.faults() == kOverflow)) RaiseDifferenceOverflow(a, b);
    return std::fabs(Stored(d));
}

}  // namespace tervanix::rt
