// The run-time choice between the two builds of a correctly rounded function: one
// compiled for processors with fused multiply-add, one portable.
#pragma once

#include <atomic>

#include "Tervanix/platform/Config.h"

// On x86-64 with GCC or Clang the correctly rounded functions also have a version
// compiled for processors with fused multiply-add (and AVX), chosen at run time: there
// the exact products take two instructions instead of seventeen. The products are
// exact either way, and every function returns only the correctly rounded result, so
// the choice changes the speed and never a bit of a result.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#define TERVANIX_FUSED_DISPATCH 1
#define TERVANIX_FUSED_TARGET [[gnu::target("avx,fma")]]
#else
#define TERVANIX_FUSED_DISPATCH 0
#define TERVANIX_FUSED_TARGET
#endif

#if TERVANIX_FUSED_DISPATCH
namespace tervanix::rt::dd {

// Whether the processor (and the system) offers fused multiply-add and AVX.
inline bool HasFusedMultiplyAdd() { return __builtin_cpu_supports("fma") && __builtin_cpu_supports("avx"); }

// A function with a fused build and a portable one is reached through a pointer that
// starts at Choose, whose first call sets it to the build for this processor; every
// later call costs one indirect jump. Relaxed order suffices: both builds give the
// same bits, so a thread that still sees Choose merely chooses again.
using Function = double (*)(double);
template <Function kFused, Function kPortable>
struct Dispatch {
    static double Choose(double x) {
        const Function chosen = HasFusedMultiplyAdd() ? kFused : kPortable;
        function.store(chosen, std::memory_order_relaxed);
        return chosen(x);
    }
    static inline std::atomic<Function> function{Choose};
    static double Call(double x) { return function.load(std::memory_order_relaxed)(x); }
};

}  // namespace tervanix::rt::dd
#endif
