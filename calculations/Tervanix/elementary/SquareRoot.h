// The square root by the processor's own instruction, which IEEE 754 requires to be
// correctly rounded. std::sqrt may instead call the C library (at -O0, or to set
// errno), and some C libraries compute it in a way that rounds twice.
#pragma once

#include <cmath>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace tervanix::rt::cr {

inline double Sqrt(double x) {
#if defined(__SSE2__) || defined(_M_X64)
    const __m128d v = _mm_set_sd(x);
    return _mm_cvtsd_f64(_mm_sqrt_sd(v, v));
#elif defined(__aarch64__) && defined(__GNUC__)
    double r;
    __asm__("fsqrt %d0, %d1" : "=w"(r) : "w"(x));
    return r;
#else
    return std::sqrt(x);  // no known instruction: the compiler's choice
#endif
}

}  // namespace tervanix::rt::cr
