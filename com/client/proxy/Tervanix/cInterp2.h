// Stand-in for <Tervanix/cInterp2.h>: calls Tervanix.cInterp2.
#pragma once
#include "Proxy.h"

namespace tervanix {

enum BoundaryCondition2 : std::int32_t {
    EXTRAP_NO = 0,
    EXTRAP_LINEARLY = 1,
    EXTRAP_FIXEDENDPT = 2,
};

class cInterp2 {
public:
    cInterp2();
    void SortXYPairsByX(DoubleArray& XValues, DoubleArray& YValues) const;
    Boolean Interp2D(DoubleArray& XValues, DoubleArray& YValues, const Boolean& bAllowExtrap, const Double& X,
                     Double& Y) const;
    Boolean Interp3D(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                     const Boolean& bAllowExtrap, const Double& X, const Double& Y, Double& Z) const;
    Boolean Interp4D(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                     const DoubleArray3D& ZValues, const Boolean& bAllowExtrap, const Double& W, const Double& X,
                     const Double& Y, Double& Z) const;
    Boolean Interp2D_Extrap(DoubleArray& XValues, DoubleArray& YValues, BoundaryCondition2 ExtrapMethod, Double X,
                            Double& Y) const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
