// CInterpolation and cInterp2.
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include "binder.h"
#include "module.h"

namespace tervanix::py_binding {

void BindInterpolation(py::module_& m) {
    py::class_<CInterpolation> interp(m, "CInterpolation");
    interp.def(py::init<>());
    interp.def_static("Default", [] { return &CInterpolation::Default(); }, py::return_value_policy::reference);
    Def(interp, "BoundedBy", &CInterpolation::BoundedBy, {"dCheckVal", "dLowerBound", "dUpperBound"});
    Def(interp, "LinearInterpolation1Way", &CInterpolation::LinearInterpolation1Way, {"dXIdx1", "dXIdx2", "dXFraction"});
    Def(interp, "LinearInterpolation2Way", &CInterpolation::LinearInterpolation2Way,
        {"dXIdx11", "dXIdx12", "dXIdx21", "dXIdx22", "dXFraction", "dYFraction"});
    Def(interp, "LinearInterpolation3Way", &CInterpolation::LinearInterpolation3Way,
        {"dXIdx111", "dXIdx121", "dXIdx211", "dXIdx221", "dXIdx112", "dXIdx122", "dXIdx212", "dXIdx222",
         "dXFraction", "dYFraction", "dZFraction"});
    Def(interp, "LinearInterpolation4Way", &CInterpolation::LinearInterpolation4Way,
        {"dX1111", "dX1211", "dX2111", "dX2211", "dX1121", "dX1221", "dX2121", "dX2221", "dX1112", "dX1212",
         "dX2112", "dX2212", "dX1122", "dX1222", "dX2122", "dX2222", "dXFraction", "dYFraction", "dZFraction",
         "dAFraction"});
    Def(interp, "InterpolationRatio", &CInterpolation::InterpolationRatio, {"dIndex1", "dIndex2", "dValue", "dInterpFrac"});
    Def(interp, "LinearExtrapolation1Way", &CInterpolation::LinearExtrapolation1Way,
        {"dX1", "dY1", "dX2", "dY2", "dX3", "dY3"});
    Def(interp, "LinearExtrapolation2Way", &CInterpolation::LinearExtrapolation2Way,
        {"dX11", "dY11", "dX12", "dY12", "dZ1", "dX21", "dY21", "dX22", "dY22", "dZ2", "dX3", "dZ3", "dY3"});
    Def(interp, "InterpolationOf1DArray", &CInterpolation::InterpolationOf1DArray,
        {"dXTarget", "dXArray", "dYArray", "eExtrapolationType", "dYResult"});
    Def(interp, "InterpolationIndices", &CInterpolation::InterpolationIndices,
        {"dXTarget", "dXArray", "eExtrapolationType", "nXIndex1", "nXIndex2", "dInterpFraction",
         "bExtrapolationNeeded"});

    py::class_<cInterp2> interp2(m, "cInterp2");
    interp2.def(py::init<>());
    Def(interp2, "SortXYPairsByX", &cInterp2::SortXYPairsByX, {"XValues", "YValues"});
    Def(interp2, "Interp2D", &cInterp2::Interp2D, {"XValues", "YValues", "bAllowExtrap", "X", "Y"});
    Def(interp2, "Interp3D", &cInterp2::Interp3D, {"XValues", "YValues", "ZValues", "bAllowExtrap", "X", "Y", "Z"});
    Def(interp2, "Interp4D", &cInterp2::Interp4D,
        {"WValues", "XValues", "YValues", "ZValues", "bAllowExtrap", "W", "X", "Y", "Z"});
    Def(interp2, "Interp2D_Extrap", &cInterp2::Interp2D_Extrap, {"XValues", "YValues", "ExtrapMethod", "X", "Y"});
}

}  // namespace tervanix::py_binding
