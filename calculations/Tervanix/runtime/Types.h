// The value types that cross the library's boundary.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <type_traits>

#include "Tervanix/platform/Config.h"

namespace tervanix {

/// @{
/// The numbers and the text that cross the library's boundary: Double is IEEE
/// double precision, Integer a 16-bit and Long a 32-bit whole number (the library's
/// arithmetic on them raises OverflowError when a result leaves the range, never
/// wraps), String 16-bit characters (UTF-16).
using Double = double;
using Integer = std::int16_t;
using Long = std::int32_t;
using String = std::u16string;
/// @}

/// A truth value held as a 16-bit number: True is -1, False is 0. Every Boolean the
/// library produces is exactly -1 or 0; one it receives counts as True when it is
/// not 0, so a host may pass 1 (made with Boolean::FromRaw).
class Boolean {
public:
    /// False.
    constexpr Boolean() noexcept = default;
    /// True (-1) from true, False (0) from false; implicit, so that a host passes
    /// true and false where a Boolean is asked for.
    ///
    /// @code
    ///   Boolean b = true;
    ///   b.Raw();   // -1
    /// @endcode
    constexpr Boolean(bool value) noexcept : raw_(value ? -1 : 0) {}  // NOLINT: implicit on purpose

    // Plain integers must say whether they mean a truth value or a raw number.
    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    Boolean(T) = delete;

    /// A Boolean holding the raw number `raw`, for a host whose truth values are not
    /// -1 and 0: any raw number but 0 counts as True.
    ///
    /// @code
    ///   Boolean b = Boolean::FromRaw(1);
    ///   static_cast<bool>(b);   // true
    ///   b == True;              // false: the raw numbers differ
    /// @endcode
    static constexpr Boolean FromRaw(std::int16_t raw) noexcept {
        Boolean b;
        b.raw_ = raw;
        return b;
    }

    /// Whether the value counts as True: its raw number is not 0.
    ///
    /// @code
    ///   Double m = 0, B = 0;
    ///   if (cGeom().Line2D(0, 0, 1, 2, m, B)) { /* m = 2 */ }
    /// @endcode
    constexpr explicit operator bool() const noexcept { return raw_ != 0; }
    /// The raw 16-bit number: -1 or 0 for every Boolean the library produces.
    constexpr std::int16_t Raw() const noexcept { return raw_; }

    /// @{
    /// Equality of the raw numbers, so Boolean::FromRaw(1) != Boolean(true).
    friend constexpr bool operator==(Boolean a, Boolean b) noexcept { return a.raw_ == b.raw_; }
    friend constexpr bool operator!=(Boolean a, Boolean b) noexcept { return a.raw_ != b.raw_; }
    /// @}

    /// Writes "True", "False", or for another raw number "True (raw n)".
    friend std::ostream& operator<<(std::ostream& os, Boolean b) {
        if (b.raw_ == 0) return os << "False";
        if (b.raw_ == -1) return os << "True";
        return os << "True (raw " << b.raw_ << ")";
    }

private:
    std::int16_t raw_ = 0;
};

/// @{
/// The two values every Boolean of the library is: True (-1) and False (0).
constexpr Boolean True{true};
constexpr Boolean False{false};
/// @}

}  // namespace tervanix
