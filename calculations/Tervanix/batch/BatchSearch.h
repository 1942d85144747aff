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

// For each of kTargets targets t[j], the highest k in [0, count) such that
// before(x[k], t[j]), or 0 when there is none; `before` must hold for a leading part
// of x and for nothing after it. Each step halves the range with a conditional move
// instead of a branch, so a target costs the same whatever the processor guessed
// about the previous one. The halving depends on count alone, so several targets
// take each step together: one target's steps wait on each other's loads, but the
// targets' loads overlap.
template <std::size_t kTargets, typename Before>
void LastBefore(const Double* x, std::size_t count, const Double* t, std::size_t* k, Before before) {
    const Double* base[kTargets];
    for (std::size_t j = 0; j < kTargets; ++j) base[j] = x;
    for (std::size_t length = count; length > 1;) {
        const std::size_t half = length / 2;
        for (std::size_t j = 0; j < kTargets; ++j) base[j] += before(base[j][half], t[j]) ? half : 0;
        length -= half;
    }
    for (std::size_t j = 0; j < kTargets; ++j) k[j] = static_cast<std::size_t>(base[j] - x);
}

inline constexpr auto kNotAbove = [](Double value, Double t) { return value <= t; };
inline constexpr auto kBelow = [](Double value, Double t) { return value < t; };

// The highest k in [0, count) with x[k] <= t, for x ascending and x[0] <= t (0 for
// any other t). For kTargets targets at once, as LastBefore.
template <std::size_t kTargets>
void LastNotAbove(const Double* x, std::size_t count, const Double* t, std::size_t* k) {
    LastBefore<kTargets>(x, count, t, k, kNotAbove);
}

inline std::size_t LastNotAbove(const Double* x, std::size_t count, Double t) {
    std::size_t k;
    LastNotAbove<1>(x, count, &t, &k);
    return k;
}

// The number of leading x[k] below t, for x ascending: the first k with x[k] not
// below t, else count (std::lower_bound's position). A NaN target is below nothing
// and gets 0. For kTargets targets at once, as LastBefore.
template <std::size_t kTargets>
void CountBelow(const Double* x, std::size_t count, const Double* t, std::size_t* k) {
    if (count == 0) {
        for (std::size_t j = 0; j < kTargets; ++j) k[j] = 0;
        return;
    }
    LastBefore<kTargets>(x, count, t, k, kBelow);
    for (std::size_t j = 0; j < kTargets; ++j) k[j] += x[k[j]] < t[j] ? 1 : 0;
}

inline std::size_t CountBelow(const Double* x, std::size_t count, Double t) {
    std::size_t k;
    CountBelow<1>(x, count, &t, &k);
    return k;
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

// Which search a batch lookup makes: LastNotAbove or CountBelow.
enum class SearchFor { kLastNotAbove, kCountBelow };

// The targets whose searches SearchEach runs together. Sixteen was the fastest on the
// project's benchmarks: eight took up to 1.6 times as long at 65,535 points, and
// thirty-two no longer fitted the registers (four times as long with g++).
constexpr std::size_t kSearchedTogether = 16;

// The search kSearch for kTargets targets at once.
template <SearchFor kSearch, std::size_t kTargets>
void Search(const Double* x, std::size_t count, const Double* t, std::size_t* k) {
    if constexpr (kSearch == SearchFor::kCountBelow) {
        CountBelow<kTargets>(x, count, t, k);
    } else {
        LastNotAbove<kTargets>(x, count, t, k);
    }
}

// Calls settle(i, k) for each target i from begin to end, in order, k being the
// search's answer for targets[i] on x[0] to x[count - 1]. The searches of
// kSearchedTogether targets run together, before their settles; targets that come
// in ascending order (kAscending) walk on from the previous target's answer instead.
template <SearchFor kSearch, bool kAscending, typename Settle>
void SearchEach(const Double* x, std::size_t count, const Double* targets, std::size_t begin, std::size_t end,
                Settle settle) {
    std::size_t found[kSearchedTogether];
    std::size_t previous = 0;
    for (std::size_t i = begin; i < end; i += kSearchedTogether) {
        const std::size_t together = end - i < kSearchedTogether ? end - i : kSearchedTogether;
        if constexpr (kAscending) {
            for (std::size_t j = 0; j < together; ++j) {
                previous = kSearch == SearchFor::kCountBelow ? CountBelowFrom(x, count, previous, targets[i + j])
                                                             : LastNotAboveFrom(x, count, previous, targets[i + j]);
                found[j] = previous;
            }
        } else if (together == kSearchedTogether) {
            Search<kSearch, kSearchedTogether>(x, count, targets + i, found);
        } else {
            for (std::size_t j = 0; j < together; ++j) Search<kSearch, 1>(x, count, targets + i + j, found + j);
        }
        for (std::size_t j = 0; j < together; ++j) settle(i + j, found[j]);
    }
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
