#include "Tervanix/runtime/FpEnvironment.h"

#if defined(__SSE2__) && (defined(__x86_64__) || defined(_M_X64))
#include <xmmintrin.h>
#endif

namespace tervanix {

void FpEnvironmentScope::SetDefaultModes() noexcept {
#if defined(__SSE2__) && (defined(__x86_64__) || defined(_M_X64))
    constexpr unsigned kFlushToZero = 0x8000u;
    constexpr unsigned kDenormalsAreZero = 0x0040u;
    _mm_setcsr(_mm_getcsr() & ~(kFlushToZero | kDenormalsAreZero));
#endif
}

}  // namespace tervanix
