// What a one-dimensional table lookup does with a target beyond the table's ends.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "Tervanix/runtime/Config.h"

namespace tervanix {

/// What CInterpolation's table lookups do with a target beyond the table's ends.
/// Unscoped and 32 bits wide, so that a host can pass any value by a cast; the
/// lookups say what they do with a value outside the three declared ones.
enum BoundaryCondition : std::int32_t {
    NO_EXTRAPOLATION = 0,        // no result: the lookup returns False
    EXTRAPOLATE_LINEARLY = 1,    // along the straight line of the nearer end interval
    EXTRAPOLATE_FIXEDENDPT = 2,  // the Y of the nearer end point
};

/// The member's name as written in the enumeration; "UnknownBoundaryCondition" for
/// any other value.
///
/// @code
///   ToString(EXTRAPOLATE_LINEARLY);   // "EXTRAPOLATE_LINEARLY"
/// @endcode
TERVANIX_API const char* ToString(BoundaryCondition condition) noexcept;

/// Writes the member's name, or the number of a value outside the enumeration.
///
/// @code
///   std::ostringstream text;
///   text << EXTRAPOLATE_FIXEDENDPT << ' ' << static_cast<BoundaryCondition>(7);
///   std::string written = text.str();   // "EXTRAPOLATE_FIXEDENDPT 7"
/// @endcode
TERVANIX_API std::ostream& operator<<(std::ostream& os, BoundaryCondition condition);

}  // namespace tervanix
