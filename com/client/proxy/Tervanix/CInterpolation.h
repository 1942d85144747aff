// Stand-in for <Tervanix/CInterpolation.h>: calls Tervanix.CInterpolation.
#pragma once
#include "Proxy.h"

namespace tervanix {

class CInterpolation {
public:
    CInterpolation();
    static const CInterpolation& Default();
    Boolean BoundedBy(Double dCheckVal, Double dLowerBound, Double dUpperBound) const;
    Double LinearInterpolation1Way(Double dXIdx1, Double dXIdx2, Double dXFraction) const;
    Double LinearInterpolation2Way(Double a, Double b, Double c, Double d, Double fx, Double fy) const;
    Double LinearInterpolation3Way(Double a, Double b, Double c, Double d, Double e, Double f, Double g, Double h,
                                   Double fx, Double fy, Double fz) const;
    Double LinearInterpolation4Way(Double a, Double b, Double c, Double d, Double e, Double f, Double g, Double h,
                                   Double i, Double j, Double k, Double l, Double m, Double n, Double o, Double p,
                                   Double fx, Double fy, Double fz, Double fa) const;
    Boolean InterpolationRatio(Double dIndex1, Double dIndex2, Double dValue, Double& dInterpFrac) const;
    Boolean LinearExtrapolation1Way(Double dX1, Double dY1, Double dX2, Double dY2, Double dX3, Double& dY3) const;
    Boolean LinearExtrapolation2Way(Double dX11, Double dY11, Double dX12, Double dY12, Double dZ1, Double dX21,
                                    Double dY21, Double dX22, Double dY22, Double dZ2, Double dX3, Double dZ3,
                                    Double& dY3) const;
    Boolean InterpolationOf1DArray(Double dXTarget, DoubleArray& dXArray, DoubleArray& dYArray,
                                   BoundaryCondition eExtrapolationType, Double& dYResult) const;
    Boolean InterpolationIndices(Double dXTarget, const DoubleArray& dXArray, BoundaryCondition eExtrapolationType,
                                 Integer& nXIndex1, Integer& nXIndex2, Double& dInterpFraction,
                                 Boolean& bExtrapolationNeeded) const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
