// Stand-in for <Tervanix/CSort.h>: calls Tervanix.CSort.
#pragma once
#include "Proxy.h"

namespace tervanix {

class CSort {
public:
    CSort();
    static const CSort& Default();
    void BubbleSortXYPairsByX(Variant& vXData, Variant& vYData) const;
    void BubbleSort1DArray(Variant& vXData) const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
