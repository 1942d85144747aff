#include "Tervanix/runtime/MathFunctions.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "Tervanix/runtime/LibraryError.h"

namespace tervanix::rt {

namespace {

// A one-operand function: its result is judged as an operation's would be.
Fp Judged(Double x, Double r) {
    if (TERVANIX_UNLIKELY(!std::isfinite(r))) return Fp(r, ClassifyNonFinite(x, x, r, 'f'));
    return Fp(r);
}

}  // namespace

void RaiseDomainError(const char* function, Double x) {
    std::ostringstream text;
    text << std::setprecision(17) << function << "(" << x << "): the argument lies outside the function's domain";
    Raise(ErrorKind::InvalidArgument, text.str());
}

Fp Sqr(Double x) {
    if (x < 0.0) RaiseDomainError("Sqr", x);
    return Judged(x, std::sqrt(x));
}

Fp Atn(Double x) { return Judged(x, std::atan(x)); }
Fp Sin(Double x) { return Judged(x, std::sin(x)); }
Fp Cos(Double x) { return Judged(x, std::cos(x)); }

Double Power(Double x, Double y) {
    const Double r = std::pow(x, y);
    if (TERVANIX_LIKELY(std::isfinite(r))) return r;
    const bool finiteOperands = std::isfinite(x) && std::isfinite(y);
    std::ostringstream text;
    text << std::setprecision(17) << x << " ^ " << y;
    if (std::isnan(r) && !std::isnan(x) && !std::isnan(y)) {
        Raise(ErrorKind::InvalidArgument, text.str() + " has no real value");
    }
    if (std::isinf(r) && finiteOperands) {
        if (x == 0.0) Raise(ErrorKind::FloatingPointFault, text.str() + " divides by zero");
        Raise(ErrorKind::OverflowError, text.str() + " lies beyond the Double range");
    }
    return r;
}

}  // namespace tervanix::rt
