#include "Tervanix/runtime/WholeNumbers.h"

#include <cmath>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix::rt {

void RaiseWholeNumberOverflow(const char* type, std::int64_t a, char op, std::int64_t b) {
    MessageText<> text;
    if (op == 't') {
        text << a << " converted to " << type << " lies outside the type's range";
    } else {
        text << type << " arithmetic " << a << " " << op << " " << b << " leaves the type's range";
    }
    Raise(ErrorKind::OverflowError, text.c_str());
}

void RaiseCounterPastLong() {
    Raise(ErrorKind::OverflowError,
          "a loop over 2147483647 elements, rows or columns would step its Long counter past 2147483647, "
          "the largest Long; at most 2147483646 can be counted here");
}

void RaiseBoundNotInteger(Long bound, const char* array, bool upper) {
    MessageText<> text;
    text << "the " << (upper ? "upper" : "lower") << " bound " << bound << " of " << array
         << " lies outside the Integer positions -32768 to 32767 that the array is read with; give " << array
         << " bounds within them";
    Raise(ErrorKind::OverflowError, text.c_str());
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
        MessageText<> text;
        text << "Double " << value << " converted to " << target
             << " lies outside the type's range";
        Raise(ErrorKind::OverflowError, text.c_str());
    }
    return static_cast<T>(rounded);
}

}  // namespace

Integer ToInteger(Double value) { return RoundToWhole<Integer>(value, "Integer"); }
Long ToLong(Double value) { return RoundToWhole<Long>(value, "Long"); }

}  // namespace tervanix::rt
