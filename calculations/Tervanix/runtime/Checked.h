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
TERVANIX_PURE_FUNCTION std::uint8_t ClassifyNonFinite(Double a, Double b, Double r, char op) noexcept;

// The record state of an operation whose result `r` is not finite: its fault bits
// and, when it faulted, a bit naming the record of the operation and its operands
// (`function` names a one-operand function, else nullptr), kept per thread in a
// ring of kFaultRecordSlots. It is called on the rare path of every operation, and
// declared const so that a loop around that path can still keep the values it reads
// from memory in registers (a call that may write memory would make the compiler
// read them again after every operation). That is sound here: the record it writes
// is read only by RaiseFpFault and depends on nothing but the arguments, so calls
// merged, moved or dropped as a const function's may be leave every message as it
// was; only the slot numbers differ, and no message depends on them.
TERVANIX_PURE_FUNCTION TERVANIX_COLD_NOINLINE std::uint64_t RecordNonFinite(Double a, Double b, Double r, char op,
                                                                            const char* function) noexcept;

// An Fp's state: the fault bits in the low byte, a bit per fault record above it.
constexpr std::uint64_t kFaultBitsMask = 0xFF;
constexpr unsigned kFaultRecordSlots = 56;

// A Double with the faults raised on its way: the fault bits, and the records of the
// operations that faulted, so that the error can name one with its operands
// ("1 / 0 raised division-by-zero"). On the path that does not fault it carries
// nothing but the bits, all zero.
class Fp {
public:
    constexpr Fp(Double value) noexcept : value_(value) {}  // NOLINT: implicit on purpose
    constexpr Fp(Double value, std::uint64_t state) noexcept : value_(value), state_(state) {}

    constexpr Double value() const noexcept { return value_; }
    constexpr std::uint8_t faults() const noexcept { return static_cast<std::uint8_t>(state_ & kFaultBitsMask); }
    constexpr std::uint64_t state() const noexcept { return state_; }

    friend Fp operator+(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ + b.value_, '+'); }
    friend Fp operator-(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ - b.value_, '-'); }
    friend Fp operator*(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ * b.value_, '*'); }
    friend Fp operator/(Fp a, Fp b) noexcept { return Combine(a, b, a.value_ / b.value_, '/'); }

private:
    static Fp Combine(Fp a, Fp b, Double r, char op) noexcept {
        std::uint64_t state = a.state_ | b.state_;
        if (TERVANIX_UNLIKELY(!std::isfinite(r))) state |= RecordNonFinite(a.value_, b.value_, r, op, nullptr);
        return Fp(r, state);
    }

    Double value_;
    std::uint64_t state_ = kNoFault;
};

// Raises the FloatingPointFault of a value whose state holds faults, naming an
// operation that faulted and its operands: one whose operands are finite (a fault
// that a later one may have carried on) before one whose operands are not, and of
// several such the same one on every build.
[[noreturn]] void RaiseFpFault(std::uint64_t state, Double value);

// The absolute value: a sign change, which raises nothing.
inline Fp Abs(Fp x) noexcept { return Fp(std::fabs(x.value()), x.state()); }

// The value a statement stores in a variable of the method; a fault ends the call
// before anyone sees the value.
inline Double Stored(Fp e) {
    if (TERVANIX_UNLIKELY(e.faults() != kNoFault)) RaiseFpFault(e.state(), e.value());
    return e.value();
}

// A statement that assigns straight into a by-reference output: the output
// receives the value, then the fault test follows.
inline void Assign(Double& out, Fp e) {
    out = e.value();
    if (TERVANIX_UNLIKELY(e.faults() != kNoFault)) RaiseFpFault(e.state(), e.value());
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
