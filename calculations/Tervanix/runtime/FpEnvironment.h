// The floating-point environment.
//
// The library reads and writes no part of the floating-point environment: it never
// changes the rounding mode, the exception masks or the flush-to-zero modes, and it
// never clears an exception flag. Its fault test looks at operands and results, not
// at the flags (see Checked.h). Its arithmetic raises the IEEE flags that its
// operations raise, as any code does: inexact when a result is rounded, and
// overflow, division by zero or invalid operation in the statement that then ends
// the call with FloatingPointFault.
//
// The library's digits are those of the default environment: round to nearest, no
// flush-to-zero, no denormals-are-zero, which is how every C and C++ program starts.
// A host that runs with another environment wraps its calls in an
// FpEnvironmentScope: inside it the default environment holds, and on leaving it the
// host's environment (rounding mode, masks, modes and every flag) is back as it was.
//
// Reading the environment costs more than a whole small formula on current x86
// processors (the control register read alone is microcoded), which is why the
// library does not do it on every call but offers the scope instead.
#pragma once

#include <cfenv>
#include <cstdint>

#include "Tervanix/platform/Config.h"

namespace tervanix {

/// While it lives, the default floating-point environment in which the library's
/// digits hold; afterwards, the host's environment as it was.
class TERVANIX_API FpEnvironmentScope {
public:
    /// Saves the host's environment (rounding mode, exception masks, flags, and
    /// flush-to-zero and denormals-are-zero modes), then sets round to nearest,
    /// clears the flags, masks every trap and turns the flush modes off.
    ///
    /// @code
    ///   std::fesetround(FE_UPWARD);             // the host's own rounding
    ///   {
    ///       FpEnvironmentScope scope;           // round to nearest inside
    ///       cGenUtil().LogDBSum(85, 82);        // 86.76434862436486
    ///   }
    ///   std::fegetround() == FE_UPWARD;         // true: the host's rounding is back
    ///   std::fesetround(FE_TONEAREST);
    /// @endcode
    FpEnvironmentScope() noexcept;
    /// Puts back the host's environment as the constructor found it, flags included
    /// (also when a call inside ended with a LibraryError).
    ~FpEnvironmentScope();
    FpEnvironmentScope(const FpEnvironmentScope&) = delete;
    FpEnvironmentScope& operator=(const FpEnvironmentScope&) = delete;

private:
    // The host's environment, kept as the processor keeps it where the scope reads the
    // registers itself (a C library's fenv functions may cover only part of them:
    // some handle only the x87 unit and not MXCSR).
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    std::uint32_t x87_[7];  // the x87 environment as FNSTENV stores it (control, status, ...)
    std::uint32_t mxcsr_;   // SSE rounding, flush modes, masks and flags
#elif defined(__GNUC__) && defined(__aarch64__)
    std::uint64_t fpcr_;  // rounding, flush-to-zero, default NaN, trap enables
    std::uint64_t fpsr_;  // the flags
#else
    std::fenv_t host_;
#  if defined(_M_X64)
    unsigned int mxcsr_;  // the flush modes, which fenv does not cover
#  endif
#endif
};

}  // namespace tervanix
