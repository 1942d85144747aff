// A value built up over a For loop, tested once at the end instead of at each step.
//
//   s = start
//   For k = first To last: s = <formula of s and k>    (each step stored, so tested)
//
// is written as
//
//   const Double s = rt::StoredAccumulation(first, last, start,
//       [&](auto F, Long k, Double s) { return F(b.GetData(k, j)) * a.GetData(i, k) + s; });
//
// with F around the first operand of each operation where Fp would be
// (runtime/Formula.h). The loop runs on plain Doubles first. A step formula made of
// +, - and *, dividing only by values, and carrying s on through +, - or * leaves a
// value that is not finite whenever one of its operations faulted, and a value that
// is not finite stays so for every later step; so when the final value is finite no
// step faulted and it is the value the tested loop would give. Otherwise the loop
// runs again through Fp, storing each step, and the first faulting step raises its
// fault where the step-by-step loop would have raised it.
//
// The step must only read: it must not write anything the caller, or a later step,
// could see, so that running it again changes nothing and a fault raised at the end
// of the plain run is indistinguishable from one raised at its step. The counter is
// a Long stepped as a For loop steps it: stepping past 2147483647 after the last
// step overflows, and that loop goes the tested way so that a fault still comes first.
//
// Several such loops over the same counter can run side by side (PlainAccumulations)
// and be tested one by one afterwards, provided nothing the later loops read is
// changed in between.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "Tervanix/platform/Config.h"
#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix::rt {

namespace accumulation_detail {

// The loop step by step, each step stored: out of the way of the plain run.
template <typename Step>
TERVANIX_COLD_NOINLINE Double Checked(Long first, Long last, Double start, const Step& step) {
    Double s = start;
    for (Long k = first; k <= last; k = NextCounter(k)) s = Stored(step(CheckedOperand{}, k, s));
    return s;
}

}  // namespace accumulation_detail

// Independent loops over the same counter, run side by side on plain Doubles and
// not tested: each value is then tested by StoredAccumulation below, in the order
// the loops would have run one after the other. Running them together lets a
// processor overlap their steps.
template <typename... Steps>
TERVANIX_ALWAYS_INLINE inline std::array<Double, sizeof...(Steps)> PlainAccumulations(Long first, Long last,
                                                                                       Double start, Steps... steps) {
    std::array<Double, sizeof...(Steps)> s{};
    s.fill(start);
    if constexpr (kStepByStep) return s;  // StoredAccumulation then runs each loop step by step
    for (std::int64_t k = first; k <= last; ++k) {
        std::size_t n = 0;
        ((s[n] = steps(PlainOperand{}, static_cast<Long>(k), s[n]), ++n), ...);
    }
    return s;
}

// The stored value of the loop whose plain run gave `plain`.
template <typename Step>
TERVANIX_ALWAYS_INLINE inline Double StoredAccumulation(Double plain, Long first, Long last, Double start,
                                                        Step step) {
    if constexpr (!kStepByStep) {
        if (TERVANIX_LIKELY(std::isfinite(plain) && last != std::numeric_limits<Long>::max())) return plain;
    }
    return accumulation_detail::Checked(first, last, start, step);
}

template <typename Step>
TERVANIX_ALWAYS_INLINE inline Double StoredAccumulation(Long first, Long last, Double start, Step step) {
    return StoredAccumulation(PlainAccumulations(first, last, start, step)[0], first, last, start, step);
}

}  // namespace tervanix::rt
