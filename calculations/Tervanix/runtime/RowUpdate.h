// The row update of an elimination, a row at a time: each element of row r becomes
// the pivot row's element plus f times its own, rounded as the product and then as
// the sum, on plain Doubles. A fault in either operation leaves the element not
// finite, so when every new value is finite no operation faulted and the values are
// those of the update step by step; otherwise the caller runs that update to find
// the fault, if any.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// out[j] = pivot[j] + row[j] * f for j below n; true when every out[j] is finite.
// `out` may not overlap either row. The new values are summed as they come: the sum
// is finite only when every value is (a sum that overflows merely sends the row the
// step-by-step way). Four elements at a time where the compiler offers vectors of two
// Doubles: each lane rounds its own product and sum, exactly as the single element
// does (the build never fuses a multiply and an add).
inline bool PlainRowUpdate(const Double* pivot, const Double* row, Double f, std::size_t n, Double* out) {
    std::size_t j = 0;
    Double sum = 0.0;
#if defined(__GNUC__)
    typedef Double Pair __attribute__((vector_size(2 * sizeof(Double))));
    const Pair factor = {f, f};
    Pair sum0 = {0.0, 0.0}, sum1 = {0.0, 0.0};
    const auto update = [&](std::size_t at, Pair& sumOfLanes) {
        Pair p, r;
        std::memcpy(&p, pivot + at, sizeof p);
        std::memcpy(&r, row + at, sizeof r);
        const Pair v = p + r * factor;
        std::memcpy(out + at, &v, sizeof v);
        sumOfLanes += v;
    };
    for (; j + 4 <= n; j += 4) {
        update(j, sum0);
        update(j + 2, sum1);
    }
    sum = (sum0[0] + sum0[1]) + (sum1[0] + sum1[1]);
#endif
    for (; j < n; ++j) {
        const Double v = pivot[j] + row[j] * f;
        out[j] = v;
        sum += v;
    }
    return std::isfinite(sum);
}

}  // namespace tervanix::rt
