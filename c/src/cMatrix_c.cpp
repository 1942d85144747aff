#include <string>

#include <Tervanix/runtime/Collection.h>

#include "Binding.h"
#include "Handles.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

// The solution's values into the caller's buffer, in order.
void DeliverSolution(const Collection& solution, double* Solution, int32_t capacity, int32_t& count) {
    count = solution.Count();
    if (capacity < count) {
        c::Throw(TVX_E_BUFFER_TOO_SMALL, "Solution holds " + std::to_string(capacity) + " values where " +
                                             std::to_string(count) + " are needed");
    }
    double* out = count > 0 ? &Ref(Solution, "Solution") : Solution;
    for (Long i = 1; i <= count; ++i) out[i - 1] = solution.Item(i).AsDouble();
}

}  // namespace

extern "C" {

tvx_status tvx_cMatrix_Create(tvx_cMatrix** matrix) {
    return Done("cMatrix.Create", [&] {
        // The variable is checked first: in an assignment the right side is evaluated
        // first, so a null variable would otherwise leave the new solver unreachable.
        tvx_cMatrix*& variable = Ref(matrix, "matrix");
        variable = new tvx_cMatrix;
    });
}

tvx_status tvx_cMatrix_Destroy(tvx_cMatrix* matrix) {
    delete matrix;
    return TVX_OK;
}

tvx_status tvx_cMatrix_SetMatrixSize(tvx_cMatrix* matrix, int32_t X) {
    return Done("cMatrix.MatrixSize", [&] {
        tvx_cMatrix& solver = Object(matrix, "matrix");
        solver.size = X;
        solver.object.MatrixSize(X);
    });
}

tvx_status tvx_cMatrix_MatrixSize(const tvx_cMatrix* matrix, int32_t* result) {
    return ResultOf("cMatrix.MatrixSize", result, [&] { return Object(matrix, "matrix").size; });
}

tvx_status tvx_cMatrix_AddToMatrix(tvx_cMatrix* matrix, int32_t row, int32_t col, double value) {
    return Done("cMatrix.AddToMatrix", [&] { Object(matrix, "matrix").object.AddToMatrix(row, col, value); });
}

tvx_status tvx_cMatrix_AddToVector(tvx_cMatrix* matrix, int32_t row, double value) {
    return Done("cMatrix.AddToVector", [&] { Object(matrix, "matrix").object.AddToVector(row, value); });
}

tvx_status tvx_cMatrix_Calc(const tvx_cMatrix* matrix, double* Solution, int32_t capacity, int32_t* count) {
    return Guard("cMatrix.Calc", [&] {
        const cMatrix& solver = Object(matrix, "matrix").object;
        int32_t& n = Ref(count, "count");
        std::shared_ptr<Collection> solution;
        const Boolean solved = solver.Calc(solution);
        DeliverSolution(*solution, Solution, capacity, n);
        return Verdict(solved);
    });
}

tvx_status tvx_cMatrix_HelpForProgrammer(const tvx_cMatrix* matrix) {
    return Done("cMatrix.HelpForProgrammer", [&] { Object(matrix, "matrix").object.HelpForProgrammer(); });
}

}  // extern "C"
