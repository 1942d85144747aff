#include <Tervanix/CSort.h>

#include "Binding.h"
#include "VariantArg.h"

using namespace tervanix;
using namespace tervanix::c;

extern "C" {

tvx_status tvx_CSort_BubbleSortXYPairsByX(tvx_Array* vXData, tvx_Array* vYData) {
    return Done("CSort.BubbleSortXYPairsByX", [&] {
        c::InOutPair<c::VariantArg> arrays(vXData, "vXData", vYData, "vYData", "vXData and vYData");
        CSort::Default().BubbleSortXYPairsByX(arrays.first(), arrays.second());
    });
}

tvx_status tvx_CSort_BubbleSort1DArray(tvx_Array* vXData) {
    return Done("CSort.BubbleSort1DArray", [&] {
        c::VariantArg array(vXData, "vXData");
        CSort::Default().BubbleSort1DArray(array.get());
    });
}

}  // extern "C"
