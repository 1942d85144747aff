// CInterpolation and cInterp2.
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include "binder.h"
#include "docstrings.h"
#include "module.h"

namespace tervanix::py_binding {

void BindInterpolation(py::module_& m) {
    py::class_<CInterpolation> interp(m, "CInterpolation", ReferenceText("CInterpolation"));
    interp.def(py::init<>(), kNewInstanceDoc);
    interp.def_static("Default", [] { return &CInterpolation::Default(); }, py::return_value_policy::reference,
                      (std::string("Default()\n--\n\n") + ReferenceText("CInterpolation.Default")).c_str());
    Def<&CInterpolation::BoundedBy>(interp, "BoundedBy", {"dCheckVal", "dLowerBound", "dUpperBound"});
    Def<&CInterpolation::LinearInterpolation1Way>(interp, "LinearInterpolation1Way", {"dXIdx1", "dXIdx2", "dXFraction"});
    Def<&CInterpolation::LinearInterpolation2Way>(interp, "LinearInterpolation2Way",
        {"dXIdx11", "dXIdx12", "dXIdx21", "dXIdx22", "dXFraction", "dYFraction"});
    Def<&CInterpolation::LinearInterpolation3Way>(interp, "LinearInterpolation3Way",
        {"dXIdx111", "dXIdx121", "dXIdx211", "dXIdx221", "dXIdx112", "dXIdx122", "dXIdx212", "dXIdx222",
         "dXFraction", "dYFraction", "dZFraction"});
    Def<&CInterpolation::LinearInterpolation4Way>(interp, "LinearInterpolation4Way",
        {"dX1111", "dX1211", "dX2111", "dX2211", "dX1121", "dX1221", "dX2121", "dX2221", "dX1112", "dX1212",
         "dX2112", "dX2212", "dX1122", "dX1222", "dX2122", "dX2222", "dXFraction", "dYFraction", "dZFraction",
         "dAFraction"});
    Def<&CInterpolation::InterpolationRatio>(interp, "InterpolationRatio", {"dIndex1", "dIndex2", "dValue", "dInterpFrac"});
    Def<&CInterpolation::LinearExtrapolation1Way>(interp, "LinearExtrapolation1Way",
        {"dX1", "dY1", "dX2", "dY2", "dX3", "dY3"});
    Def<&CInterpolation::LinearExtrapolation2Way>(interp, "LinearExtrapolation2Way",
        {"dX11", "dY11", "dX12", "dY12", "dZ1", "dX21", "dY21", "dX22", "dY22", "dZ2", "dX3", "dZ3", "dY3"});
    Def<&CInterpolation::InterpolationOf1DArray>(interp, "InterpolationOf1DArray",
        {"dXTarget", "dXArray", "dYArray", "eExtrapolationType", "dYResult"});
    Def<&CInterpolation::InterpolationIndices>(interp, "InterpolationIndices",
        {"dXTarget", "dXArray", "eExtrapolationType", "nXIndex1", "nXIndex2", "dInterpFraction",
         "bExtrapolationNeeded"});

    py::class_<cInterp2> interp2(m, "cInterp2", ReferenceText("cInterp2"));
    interp2.def(py::init<>(), kNewInstanceDoc);
    Def<&cInterp2::SortXYPairsByX>(interp2, "SortXYPairsByX", {"XValues", "YValues"});
    Def<&cInterp2::Interp2D>(interp2, "Interp2D", {"XValues", "YValues", "bAllowExtrap", "X", "Y"});
    Def<&cInterp2::Interp3D>(interp2, "Interp3D", {"XValues", "YValues", "ZValues", "bAllowExtrap", "X", "Y", "Z"});
    Def<&cInterp2::Interp4D>(interp2, "Interp4D",
        {"WValues", "XValues", "YValues", "ZValues", "bAllowExtrap", "W", "X", "Y", "Z"});
    Def<&cInterp2::Interp2D_Extrap>(interp2, "Interp2D_Extrap", {"XValues", "YValues", "ExtrapMethod", "X", "Y"});
}

}  // namespace tervanix::py_binding
