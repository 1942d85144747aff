#include "Tervanix/runtime/WholeNumbers.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "Tervanix/runtime/LibraryError.h"

namespace tervanix::rt {

void RaiseWholeNumberOverflow(const char* type, std::int64_t a, char op, std::int64_t b) {
    std::ostringstream text;
    if (op == 't') {
        text << a << " converted to " << type << " lies outside the type's range";
    } else {
        text << type << " arithmetic " << a << " " << op << " " << b << " leaves the type's range";
    }
    Raise(ErrorKind::OverflowError, text.str());
}

Double RoundHalfEven(Double value) noexcept {
    // Beyond 2^52 every Double is whole; below it floor and the difference are exact.
    if (!(std::fabs(value) < 4503599627370496.0)) return value;
    Double whole = std::floor(value);
    const Double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return whole;
}

namespace {

template <typename T>
T RoundToWhole(Double value, const char* target) {
    const Double rounded = RoundHalfEven(value);
    constexpr Double lowest = -static_cast<Double>(std::int64_t{1} << (8 * sizeof(T) - 1));
    constexpr Double highest = static_cast<Double>((std::int64_t{1} << (8 * sizeof(T) - 1)) - 1);
    if (!(rounded >= lowest && rounded <= highest)) {
        std::ostringstream text;
        text << std::setprecision(17) << "Double " << value << " converted to " << target
             << " lies outside the type's range";
        Raise(ErrorKind::OverflowError, text.str());
    }
    return static_cast<T>(rounded);
}

}  // namespace

Integer ToInteger(Double value) { return RoundToWhole<Integer>(value, "Integer"); }
Long ToLong(Double value) { return RoundToWhole<Long>(value, "Long"); }

}  // namespace tervanix::rt
