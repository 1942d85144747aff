#include <memory>

#include <Tervanix/cMatrixOps.h>

#include "Binding.h"
#include "Handles.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

const cMatrixOps ops;

// The object variable of an input handle; a null handle is a variable that refers
// to no matrix.
const std::shared_ptr<cMatrix2>& VariableOf(const tvx_cMatrix2* handle) {
    static const std::shared_ptr<cMatrix2> none;
    return handle != nullptr ? handle->object : none;
}

// Runs an operation whose output is the caller's handle variable `output`: a
// handle it holds is the variable itself, so an input passed as the same handle is
// the same variable; a null one gets a new handle, kept when the operation put a
// matrix into it (also when the operation then failed).
template <typename Operation>
tvx_status WithOutput(const char* where, tvx_cMatrix2** output, Operation operation) noexcept {
    return Guard(where, [&] {
        tvx_cMatrix2*& variable = Ref(output, "the output variable");
        std::unique_ptr<tvx_cMatrix2> fresh(variable == nullptr ? new tvx_cMatrix2 : nullptr);
        const c::OnExit keep([&] {
            if (fresh && fresh->object) variable = fresh.release();
        });
        return Verdict(operation(variable != nullptr ? variable->object : fresh->object));
    });
}

}  // namespace

extern "C" {

tvx_status tvx_cMatrixOps_MatrixTrans(const tvx_cMatrix2* Original, tvx_cMatrix2** Transposed) {
    return WithOutput("cMatrixOps.MatrixTrans", Transposed,
                      [&](std::shared_ptr<cMatrix2>& out) { return ops.MatrixTrans(VariableOf(Original), out); });
}

tvx_status tvx_cMatrixOps_MatrixMult(const tvx_cMatrix2* A, const tvx_cMatrix2* B, tvx_cMatrix2** AB) {
    return WithOutput("cMatrixOps.MatrixMult", AB, [&](std::shared_ptr<cMatrix2>& out) {
        return ops.MatrixMult(VariableOf(A), VariableOf(B), out);
    });
}

tvx_status tvx_cMatrixOps_MatrixInvert(const tvx_cMatrix2* Original, tvx_cMatrix2** Inverted) {
    return WithOutput("cMatrixOps.MatrixInvert", Inverted,
                      [&](std::shared_ptr<cMatrix2>& out) { return ops.MatrixInvert(VariableOf(Original), out); });
}

tvx_status tvx_cMatrixOps_SimultEqns(const tvx_cMatrix2* Coeffs, const tvx_cMatrix2* Vector, tvx_cMatrix2** Solution) {
    return WithOutput("cMatrixOps.SimultEqns", Solution, [&](std::shared_ptr<cMatrix2>& out) {
        return ops.SimultEqns(VariableOf(Coeffs), VariableOf(Vector), out);
    });
}

}  // extern "C"
