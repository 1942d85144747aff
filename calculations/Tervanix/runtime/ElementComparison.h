// Greater-than of two array elements of the same type, giving exactly what
// rt::GreaterThan gives for two Variants holding them, without making the Variants:
// Doubles and Longs by value (a NaN is greater than nothing), Strings by their 16-bit
// code units. Elements of a VariantArray use rt::GreaterThan itself, so a template
// over the element type compares every kind of array with one name.
#pragma once

#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/Variant.h"

namespace tervanix::rt {

inline bool GreaterThan(Double a, Double b) noexcept { return a > b; }
inline bool GreaterThan(Long a, Long b) noexcept { return a > b; }
inline bool GreaterThan(const String& a, const String& b) noexcept { return a.compare(b) > 0; }

}  // namespace tervanix::rt
