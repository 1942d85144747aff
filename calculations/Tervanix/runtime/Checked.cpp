#include "Tervanix/runtime/Checked.h"

#include <cstring>
#include <iomanip>
#include <sstream>

#include "Tervanix/runtime/LibraryError.h"

namespace tervanix::rt {

namespace {

bool IsSignalingNaN(Double x) noexcept {
    if (!std::isnan(x)) return false;
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return (bits & (std::uint64_t{1} << 51)) == 0;  // the quiet bit is clear
}

}  // namespace

std::uint8_t ClassifyNonFinite(Double a, Double b, Double r, char op) noexcept {
    const bool nanOperand = std::isnan(a) || std::isnan(b);
    if (std::isnan(r)) {
        // A NaN from NaN operands is propagated quietly unless one of them signals.
        if (!nanOperand) return kInvalidOperation;
        return (IsSignalingNaN(a) || IsSignalingNaN(b)) ? kInvalidOperation : kNoFault;
    }
    // An infinity from finite operands: a finite non-zero number divided by zero,
    // or a rounded result beyond the largest Double. An infinite operand passes on
    // its infinity without raising anything.
    if (nanOperand || !std::isfinite(a) || !std::isfinite(b)) return kNoFault;
    if (op == '/' && b == 0.0) return kDivisionByZero;
    return kOverflow;
}

void RaiseFpFault(std::uint8_t faults, Double value) {
    std::ostringstream text;
    text << std::setprecision(17) << "Double computation raised";
    if (faults & kInvalidOperation) text << " invalid-operation";
    if (faults & kDivisionByZero) text << " division-by-zero";
    if (faults & kOverflow) text << " overflow";
    text << " (value " << value << ")";
    Raise(ErrorKind::FloatingPointFault, text.str());
}

void RaiseDifferenceOverflow(Double a, Double b) {
    std::ostringstream text;
    text << std::setprecision(17) << "|" << a << " - " << b << "| converted to Double lies beyond its range";
    Raise(ErrorKind::OverflowError, text.str());
}

}  // namespace tervanix::rt
