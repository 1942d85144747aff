// Why the last call on this thread returned TVX_FALSE: the C++ reason, its code and
// its very text.
#include <cstring>

#include <Tervanix/runtime/FalseReason.h>

#include "Binding.h"

namespace {

// A copy of the text, valid until the next call on the same thread.
thread_local char tLastFalseText[tervanix::FalseExplanation::kTextCapacity] = "";

}  // namespace

extern "C" tvx_FalseReason tvx_LastFalseReason(const char** text) {
    const tervanix::FalseExplanation why = tervanix::LastFalseReason();
    std::strcpy(tLastFalseText, why.text());
    if (text != nullptr) *text = tLastFalseText;
    return static_cast<tvx_FalseReason>(why.code());
}

// The two enumerations count alike, from the same first value.
static_assert(TVX_REASON_NONE == static_cast<int>(tervanix::FalseReason::None));
static_assert(TVX_REASON_DEPENDENT_EQUATIONS == static_cast<int>(tervanix::FalseReason::DependentEquations));
