#include <Tervanix/runtime/Objects.h>

#include "Binding.h"
#include "Handles.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

const cMatrix2& MatrixOf(const tvx_cMatrix2* matrix) { return *Object(matrix, "matrix").object; }
cMatrix2& MatrixOf(tvx_cMatrix2* matrix) { return *Object(matrix, "matrix").object; }

}  // namespace

extern "C" {

tvx_status tvx_cMatrix2_Create(tvx_cMatrix2** matrix) {
    return Done("cMatrix2.Create", [&] {
        tvx_cMatrix2*& variable = Ref(matrix, "matrix");
        variable = new tvx_cMatrix2{rt::New<cMatrix2>()};
    });
}

tvx_status tvx_cMatrix2_Destroy(tvx_cMatrix2* matrix) {
    delete matrix;
    return TVX_OK;
}

tvx_status tvx_cMatrix2_NumRows(const tvx_cMatrix2* matrix, int32_t* result) {
    return ResultOf("cMatrix2.NumRows", result, [&] { return MatrixOf(matrix).NumRows(); });
}

tvx_status tvx_cMatrix2_SetNumRows(tvx_cMatrix2* matrix, int32_t i) {
    return Done("cMatrix2.NumRows", [&] { MatrixOf(matrix).NumRows(i); });
}

tvx_status tvx_cMatrix2_NumCols(const tvx_cMatrix2* matrix, int32_t* result) {
    return ResultOf("cMatrix2.NumCols", result, [&] { return MatrixOf(matrix).NumCols(); });
}

tvx_status tvx_cMatrix2_SetNumCols(tvx_cMatrix2* matrix, int32_t i) {
    return Done("cMatrix2.NumCols", [&] { MatrixOf(matrix).NumCols(i); });
}

tvx_status tvx_cMatrix2_PutData(tvx_cMatrix2* matrix, int32_t row, int32_t col, double value) {
    return Done("cMatrix2.PutData", [&] { MatrixOf(matrix).PutData(row, col, value); });
}

tvx_status tvx_cMatrix2_GetData(const tvx_cMatrix2* matrix, int32_t row, int32_t col, double* result) {
    return ResultOf("cMatrix2.GetData", result, [&] { return MatrixOf(matrix).GetData(row, col); });
}

}  // extern "C"
