// CSort: bubble sorts, stopping early, of arrays held in Variants: a single array,
// or an array of X values whose every exchange is applied to an array of Y values
// too, so that X/Y pairs stay together.
#pragma once

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/Variant.h"

namespace tervanix {

class CSort {
public:
    // The shared instance, for calls without an object of one's own. The class has
    // no fields, so every instance, this one included, behaves identically.
    TERVANIX_API static const CSort& Default();

    TERVANIX_API void BubbleSortXYPairsByX(Variant& vXData, Variant& vYData) const;
    TERVANIX_API void BubbleSort1DArray(Variant& vXData) const;

private:
    // The steps both sorts share; vYData is null when there is no Y array.
    void SortByX(Variant& vXData, Variant* vYData) const;
    template <typename T>
    void SortElements(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, Variant* vYData) const;
    template <typename T>
    bool MakePass(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, Variant* vYData) const;
    // The exchange of the Y elements that partner an exchange of X elements.
    void SwapPartners(Variant& vYData, Integer i, Integer next) const;
    template <typename T>
    void SwapVariants(T& vFirst, T& vSecond) const;
};

}  // namespace tervanix
