// Sequences of cMatrixOps calls over three matrix variables, some referring to no
// matrix: every argument is drawn from the three, so an input is often also the
// output (the same std::shared_ptr), or both inputs are one matrix.
#include <memory>

#include "FuzzInput.h"

using namespace fuzz;

namespace {

std::shared_ptr<cMatrix2> AnyMatrix(Input& in) {
    if (in.Pick(8) == 0) return nullptr;
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(1 + in.Pick(kMaxExtent));
    m->NumCols(in.Flag() ? m->NumRows() : 1 + in.Pick(kMaxExtent));
    const bool simple = in.Flag();  // small whole numbers, which make more matrices invertible
    for (Long i = 1; i <= m->NumRows(); ++i)
        for (Long j = 1; j <= m->NumCols(); ++j) m->PutData(i, j, simple ? in.Pick(7) - 3 : in.AnyDouble());
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const cMatrixOps ops;
    std::shared_ptr<cMatrix2> v[3] = {AnyMatrix(in), AnyMatrix(in), AnyMatrix(in)};
    while (in.More()) {
        const int operation = in.Pick(5);
        const std::shared_ptr<cMatrix2>& a = v[in.Pick(3)];
        const std::shared_ptr<cMatrix2>& b = v[in.Pick(3)];
        std::shared_ptr<cMatrix2>& result = v[in.Pick(3)];
        if (operation == 4) {
            result = AnyMatrix(in);
            continue;
        }
        Checked(in, [&] {
            switch (operation) {
                case 0: CheckBoolean(ops.MatrixTrans(a, result)); break;
                case 1: CheckBoolean(ops.MatrixMult(a, b, result)); break;
                case 2: CheckBoolean(ops.MatrixInvert(a, result)); break;
                default: CheckBoolean(ops.SimultEqns(a, b, result)); break;
            }
        });
    }
    return 0;
}
