// What a one-dimensional table lookup does with a target beyond the table's ends.
#pragma once

#include <cstdint>

namespace tervanix {

/// What CInterpolation's table lookups do with a target beyond the table's ends.
/// Unscoped and 32 bits wide, so that a host can pass any value by a cast; the
/// lookups say what they do with a value outside the three declared ones.
enum BoundaryCondition : std::int32_t {
    NO_EXTRAPOLATION = 0,        // no result: the lookup returns False
    EXTRAPOLATE_LINEARLY = 1,    // along the straight line of the nearer end interval
    EXTRAPOLATE_FIXEDENDPT = 2,  // the Y of the nearer end point
};

}  // namespace tervanix
