#include <Tervanix/cInterp2.h>

#include "Arrays.h"
#include "Binding.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

const cInterp2 interp;

using TablePair = c::InOutPair<c::InOut<DoubleArray>>;

Boolean FromC(tvx_Boolean b) { return Boolean::FromRaw(b); }

}  // namespace

extern "C" {

tvx_status tvx_cInterp2_SortXYPairsByX(tvx_Array* XValues, tvx_Array* YValues) {
    return Done("cInterp2.SortXYPairsByX", [&] {
        TablePair table(XValues, "XValues", YValues, "YValues", "XValues and YValues");
        interp.SortXYPairsByX(table.first(), table.second());
    });
}

tvx_status tvx_cInterp2_Interp2D(tvx_Array* XValues, tvx_Array* YValues, tvx_Boolean bAllowExtrap, double X, double* Y) {
    return Guard("cInterp2.Interp2D", [&] {
        double& out = Ref(Y, "Y");
        TablePair table(XValues, "XValues", YValues, "YValues", "XValues and YValues");
        return Verdict(interp.Interp2D(table.first(), table.second(), FromC(bAllowExtrap), X, out));
    });
}

tvx_status tvx_cInterp2_Interp3D(const tvx_Array* XValues, const tvx_Array* YValues, const tvx_Array* ZValues,
                                 tvx_Boolean bAllowExtrap, double X, double Y, double* Z) {
    return Guard("cInterp2.Interp3D", [&] {
        double& out = Ref(Z, "Z");
        const DoubleArray x = In<DoubleArray>(XValues, "XValues");
        const DoubleArray y = In<DoubleArray>(YValues, "YValues");
        const DoubleArray2D z = In<DoubleArray2D>(ZValues, "ZValues");
        return Verdict(interp.Interp3D(x, y, z, FromC(bAllowExtrap), X, Y, out));
    });
}

tvx_status tvx_cInterp2_Interp4D(const tvx_Array* WValues, const tvx_Array* XValues, const tvx_Array* YValues,
                                 const tvx_Array* ZValues, tvx_Boolean bAllowExtrap, double W, double X, double Y,
                                 double* Z) {
    return Guard("cInterp2.Interp4D", [&] {
        double& out = Ref(Z, "Z");
        const DoubleArray w = In<DoubleArray>(WValues, "WValues");
        const DoubleArray x = In<DoubleArray>(XValues, "XValues");
        const DoubleArray y = In<DoubleArray>(YValues, "YValues");
        const DoubleArray3D z = In<DoubleArray3D>(ZValues, "ZValues");
        return Verdict(interp.Interp4D(w, x, y, z, FromC(bAllowExtrap), W, X, Y, out));
    });
}

tvx_status tvx_cInterp2_Interp2D_Extrap(tvx_Array* XValues, tvx_Array* YValues, int32_t ExtrapMethod, double X,
                                        double* Y) {
    return Guard("cInterp2.Interp2D_Extrap", [&] {
        double& out = Ref(Y, "Y");
        TablePair table(XValues, "XValues", YValues, "YValues", "XValues and YValues");
        return Verdict(interp.Interp2D_Extrap(table.first(), table.second(), static_cast<BoundaryCondition2>(ExtrapMethod),
                                              X, out));
    });
}

}  // extern "C"
