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

class TERVANIX_API FpEnvironmentScope {
public:
    FpEnvironmentScope() noexcept {
        std::feholdexcept(&host_);  // saves everything, clears the flags, masks traps
        std::fesetround(FE_TONEAREST);
        SetDefaultModes();
    }
    ~FpEnvironmentScope() { std::fesetenv(&host_); }
    FpEnvironmentScope(const FpEnvironmentScope&) = delete;
    FpEnvironmentScope& operator=(const FpEnvironmentScope&) = delete;

private:
    static void SetDefaultModes() noexcept;  // no flush-to-zero, no denormals-are-zero
    std::fenv_t host_;
};

}  // namespace tervanix
