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

#include "Tervanix/runtime/Config.h"

namespace tervanix {

/// While it lives, the default floating-point environment in which the library's
/// digits hold; afterwards, the host's environment as it was.
class TERVANIX_API FpEnvironmentScope {
public:
    /// Saves the host's environment (rounding mode, exception masks, flags, and
    /// flush-to-zero and denormals-are-zero modes), then sets round to nearest,
    /// clears the flags, masks every trap and, on x86-64, turns both flush modes off.
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
    FpEnvironmentScope() noexcept {
        std::feholdexcept(&host_);  // saves everything, clears the flags, masks traps
        std::fesetround(FE_TONEAREST);
        SetDefaultModes();
    }
    /// Puts back the host's environment as the constructor found it, flags included
    /// (also when a call inside ended with a LibraryError).
    ~FpEnvironmentScope() { std::fesetenv(&host_); }
    FpEnvironmentScope(const FpEnvironmentScope&) = delete;
    FpEnvironmentScope& operator=(const FpEnvironmentScope&) = delete;

private:
    static void SetDefaultModes() noexcept;  // no flush-to-zero, no denormals-are-zero
    std::fenv_t host_;
};

}  // namespace tervanix
