#include "Tervanix/runtime/MathFunctions.h"

#include <cmath>

#include "Tervanix/elementary/SquareRoot.h"
#include "Tervanix/elementary/Trig.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix::rt {

namespace {

// A one-operand function: its result is judged as an operation's would be.
Fp Judged(const char* function, Double x, Double r) {
    if (TERVANIX_UNLIKELY(!std::isfinite(r))) return Fp(r, RecordNonFinite(x, x, r, 'f', function));
    return Fp(r);
}

// The power of 10 or 2, correctly rounded; the power of any other base.
Double PowerOf(Double x, Double y) {
    if (x == 10.0) return cr::Exp10(y);
    if (x == 2.0) return cr::Exp2(y);
    return std::pow(x, y);
}

}  // namespace

void RaiseDomainError(const char* function, Double x) {
    MessageText<> text;
    text << function << '(' << x << "): the argument lies outside the function's domain";
    Raise(ErrorKind::InvalidArgument, text.c_str());
}

Fp Sqr(Double x) {
    if (x < 0.0) RaiseDomainError("Sqr", x);
    return Judged("Sqr", x, cr::Sqrt(x));
}

Fp Atn(Double x) { return Judged("Atn", x, cr::Atan(x)); }
Fp Sin(Double x) { return Judged("Sin", x, cr::Sin(x)); }
Fp Cos(Double x) { return Judged("Cos", x, cr::Cos(x)); }

Double Power(Double x, Double y) {
    const Double r = PowerOf(x, y);
    if (TERVANIX_LIKELY(std::isfinite(r))) return r;
    const bool finiteOperands = std::isfinite(x) && std::isfinite(y);
    MessageText<> text;
    text << x << " ^ " << y;
    if (std::isnan(r) && !std::isnan(x) && !std::isnan(y)) {
        Raise(ErrorKind::InvalidArgument, (text << " has no real value").c_str());
    }
    if (std::isinf(r) && finiteOperands) {
        if (x == 0.0) Raise(ErrorKind::FloatingPointFault, (text << " divides by zero").c_str());
        Raise(ErrorKind::OverflowError, (text << " lies beyond the Double range").c_str());
    }
    return r;
}

}  // namespace tervanix::rt
