#include <Tervanix/CInterpolation.h>

#include "Arrays.h"
#include "Binding.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

const CInterpolation& interpolation() { return CInterpolation::Default(); }

}  // namespace

extern "C" {

tvx_status tvx_CInterpolation_BoundedBy(double dCheckVal, double dLowerBound, double dUpperBound) {
    return Guard("CInterpolation.BoundedBy",
                 [&] { return Verdict(interpolation().BoundedBy(dCheckVal, dLowerBound, dUpperBound)); });
}

tvx_status tvx_CInterpolation_LinearInterpolation1Way(double dXIdx1, double dXIdx2, double dXFraction, double* result) {
    return ResultOf("CInterpolation.LinearInterpolation1Way", result, [&] {
        return interpolation().LinearInterpolation1Way(dXIdx1, dXIdx2, dXFraction);
    });
}

tvx_status tvx_CInterpolation_LinearInterpolation2Way(double dXIdx11, double dXIdx12, double dXIdx21, double dXIdx22,
                                                      double dXFraction, double dYFraction, double* result) {
    return ResultOf("CInterpolation.LinearInterpolation2Way", result, [&] {
        return interpolation().LinearInterpolation2Way(dXIdx11, dXIdx12, dXIdx21, dXIdx22, dXFraction, dYFraction);
    });
}

tvx_status tvx_CInterpolation_LinearInterpolation3Way(double dXIdx111, double dXIdx121, double dXIdx211,
                                                      double dXIdx221, double dXIdx112, double dXIdx122,
                                                      double dXIdx212, double dXIdx222, double dXFraction,
                                                      double dYFraction, double dZFraction, double* result) {
    return ResultOf("CInterpolation.LinearInterpolation3Way", result, [&] {
        return interpolation().LinearInterpolation3Way(dXIdx111, dXIdx121, dXIdx211, dXIdx221, dXIdx112, dXIdx122,
                                                      dXIdx212, dXIdx222, dXFraction, dYFraction, dZFraction);
    });
}

tvx_status tvx_CInterpolation_LinearInterpolation4Way(double dX1111, double dX1211, double dX2111, double dX2211,
                                                      double dX1121, double dX1221, double dX2121, double dX2221,
                                                      double dX1112, double dX1212, double dX2112, double dX2212,
                                                      double dX1122, double dX1222, double dX2122, double dX2222,
                                                      double dXFraction, double dYFraction, double dZFraction,
                                                      double dAFraction, double* result) {
    return ResultOf("CInterpolation.LinearInterpolation4Way", result, [&] {
        return interpolation().LinearInterpolation4Way(dX1111, dX1211, dX2111, dX2211, dX1121, dX1221, dX2121, dX2221,
                                                      dX1112, dX1212, dX2112, dX2212, dX1122, dX1222, dX2122, dX2222,
                                                      dXFraction, dYFraction, dZFraction, dAFraction);
    });
}

tvx_status tvx_CInterpolation_InterpolationRatio(double dIndex1, double dIndex2, double dValue, double* dInterpFrac) {
    return Guard("CInterpolation.InterpolationRatio", [&] {
        return Verdict(interpolation().InterpolationRatio(dIndex1, dIndex2, dValue, Ref(dInterpFrac, "dInterpFrac")));
    });
}

tvx_status tvx_CInterpolation_LinearExtrapolation1Way(double dX1, double dY1, double dX2, double dY2, double dX3,
                                                      double* dY3) {
    return Guard("CInterpolation.LinearExtrapolation1Way", [&] {
        return Verdict(interpolation().LinearExtrapolation1Way(dX1, dY1, dX2, dY2, dX3, Ref(dY3, "dY3")));
    });
}

tvx_status tvx_CInterpolation_LinearExtrapolation2Way(double dX11, double dY11, double dX12, double dY12, double dZ1,
                                                      double dX21, double dY21, double dX22, double dY22, double dZ2,
                                                      double dX3, double dZ3, double* dY3) {
    return Guard("CInterpolation.LinearExtrapolation2Way", [&] {
        return Verdict(interpolation().LinearExtrapolation2Way(dX11, dY11, dX12, dY12, dZ1, dX21, dY21, dX22, dY22,
                                                               dZ2, dX3, dZ3, Ref(dY3, "dY3")));
    });
}

tvx_status tvx_CInterpolation_InterpolationOf1DArray(double dXTarget, tvx_Array* dXArray, tvx_Array* dYArray,
                                                     int32_t eExtrapolationType, double* dYResult) {
    return Guard("CInterpolation.InterpolationOf1DArray", [&] {
        double& result = Ref(dYResult, "dYResult");
        c::InOutPair<c::InOut<DoubleArray>> arrays(dXArray, "dXArray", dYArray, "dYArray", "dXArray and dYArray");
        return Verdict(interpolation().InterpolationOf1DArray(dXTarget, arrays.first(), arrays.second(),
                                                              static_cast<BoundaryCondition>(eExtrapolationType), result));
    });
}

tvx_status tvx_CInterpolation_InterpolationIndices(double dXTarget, const tvx_Array* dXArray,
                                                   int32_t eExtrapolationType, int16_t* nXIndex1, int16_t* nXIndex2,
                                                   double* dInterpFraction, tvx_Boolean* bExtrapolationNeeded) {
    return Guard("CInterpolation.InterpolationIndices", [&] {
        Integer& index1 = Ref(nXIndex1, "nXIndex1");
        Integer& index2 = Ref(nXIndex2, "nXIndex2");
        double& fraction = Ref(dInterpFraction, "dInterpFraction");
        c::BooleanOut extrapolationNeeded(bExtrapolationNeeded, "bExtrapolationNeeded");
        return Verdict(interpolation().InterpolationIndices(dXTarget, c::In<DoubleArray>(dXArray, "dXArray"),
                                                            static_cast<BoundaryCondition>(eExtrapolationType),
                                                            index1, index2, fraction, extrapolationNeeded.get()));
    });
}

}  // extern "C"
