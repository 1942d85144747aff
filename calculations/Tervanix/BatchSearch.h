// The searches of the batch lookups over an ascending run of values without NaN:
// a binary search without branches for targets in any order, a walk on from the last
// interval for targets in ascending order, and the one-pass checks that decide which
// applies. Not installed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "Tervanix/runtime/Types.h"

namespace tervanix::batch {

// The highest k in [0, count) with x[k] <= t, for x ascending and x[0] <= t. Each
// step halves the range with a conditional move instead of a branch, so a target
// costs the same whatever the processor guessed about the previous one.
inline std::size_t LastNotAbove(const Double* x, std::size_t count, Double t) {
    const Double* base = x;
    std::size_t length = count;
    while (length > 1) {
        const std::size_t half = length / 2;
        base += base[half] <= t ? half : 0;
        length -= half;
    }
    return static_cast<std::size_t>(base - x);
}

// The number of leading x[k] below t, for x ascending: the first k with x[k] not
// below t, else count (std::lower_bound's position). A NaN target is below nothing
// and gets 0. Without branches, as LastNotAbove.
inline std::size_t CountBelow(const Double* x, std::size_t count, Double t) {
    if (count == 0) return 0;
    const Double* base = x;
    std::size_t length = count;
    while (length > 1) {
        const std::size_t half = length / 2;
        base += base[half] < t ? half : 0;
        length -= half;
    }
    return static_cast<std::size_t>(base - x) + (*base < t ? 1 : 0);
}

// The same k for targets that come in ascending order: from the previous answer
// `from`, a few steps along the run, then the binary search over the rest of it.
inline std::size_t LastNotAboveFrom(const Double* x, std::size_t count, std::size_t from, Double t) {
    constexpr std::size_t kSteps = 4;
    std::size_t k = from;
    for (std::size_t step = 0; step < kSteps; ++step) {
        if (k + 1 == count || !(x[k + 1] <= t)) return k;
        ++k;
    }
    return k + LastNotAbove(x + k, count - k, t);
}

// CountBelow for targets that come in ascending order: `from` is the previous
// target's count, which this one's is not below.
inline std::size_t CountBelowFrom(const Double* x, std::size_t count, std::size_t from, Double t) {
    constexpr std::size_t kSteps = 4;
    std::size_t k = from;
    for (std::size_t step = 0; step < kSteps; ++step) {
        if (k == count || !(x[k] < t)) return k;
        ++k;
    }
    return k + CountBelow(x + k, count - k, t);
}

// Whether holds(x[k], x[k + 1]) for every k: `holds` is a generic comparison, applied
// to one pair of Doubles or, where the compiler offers vectors of two Doubles, to two
// pairs at once. Blocks of comparisons without a branch, one branch per block.
template <typename Holds>
bool EveryNeighbourPairHolds(const Double* x, std::size_t count, Holds holds) {
    constexpr std::size_t kBlock = 64;
    std::size_t k = 0;
#if defined(__GNUC__)
    // The comparison's lanes are read as four 32-bit halves, which SSE2 combines
    // with one instruction.
    typedef Double Pair __attribute__((vector_size(2 * sizeof(Double))));
    typedef std::int32_t Bits __attribute__((vector_size(2 * sizeof(Double))));
    const auto holdsAt = [x, holds](std::size_t at) {
        Pair p, q;
        std::memcpy(&p, x + at, sizeof p);
        std::memcpy(&q, x + at + 1, sizeof q);
        const auto mask = holds(p, q);
        Bits bits;
        std::memcpy(&bits, &mask, sizeof bits);
        return bits;
    };
    while (k + kBlock + 1 <= count) {  // pairs k to k + kBlock - 1
        Bits all = {-1, -1, -1, -1};
        for (std::size_t j = k; j < k + kBlock; j += 8) {
            all &= (holdsAt(j) & holdsAt(j + 2)) & (holdsAt(j + 4) & holdsAt(j + 6));
        }
        if ((all[0] & all[1] & all[2] & all[3]) == 0) return false;
        k += kBlock;
    }
#endif
    bool all = true;
    for (; k + 1 < count; ++k) all &= holds(x[k], x[k + 1]);
    return all;
}

// The run ascends and holds no NaN (a NaN fails the comparison on either side).
inline bool AscendsWithoutNaN(const Double* x, std::size_t count) {
    return EveryNeighbourPairHolds(x, count, [](auto a, auto b) { return a <= b; });
}

// The run rises strictly and holds no NaN.
inline bool RisesWithoutNaN(const Double* x, std::size_t count) {
    return EveryNeighbourPairHolds(x, count, [](auto a, auto b) { return a < b; });
}

}  // namespace tervanix::batch
