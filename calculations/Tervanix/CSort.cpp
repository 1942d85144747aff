#include "Tervanix/CSort.h"

#include <algorithm>
#include <utility>

#include "Tervanix/runtime/ElementComparison.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

const CSort& CSort::Default() {
    static const CSort shared;
    return shared;
}

void CSort::BubbleSortXYPairsByX(Variant& vXData, Variant& vYData) const { SortByX(vXData, &vYData); }

void CSort::BubbleSort1DArray(Variant& vXData) const { SortByX(vXData, nullptr); }

void CSort::SortByX(Variant& vXData, Variant* vYData) const {
    const rt::ArrayRef xArray = rt::ArrayOf(vXData);
    const Integer lo = rt::ToInteger(rt::LBound(xArray));
    const Integer hi = rt::ToInteger(rt::UBound(xArray));
    // The array behind the Variant is found once; the passes then run on its elements.
    std::visit([&](auto* x) { SortElements(*x, lo, hi, vYData); }, xArray);
}

template <typename T>
void CSort::SortElements(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, Variant* vYData) const {
    bool sorted = false;
    while (hi != lo && !sorted) {
        sorted = MakePass(vXArray, lo, hi, vYData);
        hi = rt::Sub(hi, Integer{1});
    }
}

// One pass over the neighbours (lo, lo + 1) to (hi - 1, hi); true when it exchanged
// nothing. The run of elements lo to hi is checked once: an array without elements
// fails there, as at its first element read. Within the run no subscript can leave
// the Integer range, as hi is an Integer.
template <typename T>
bool CSort::MakePass(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, Variant* vYData) const {
    T* const x = vXArray.Elements(lo, std::max(lo, hi));  // x[k] is vXArray(lo + k)
    const int last = hi - lo;
    bool sorted = true;
    for (int k = 0; k < last; ++k) {
        if (rt::GreaterThan(x[k], x[k + 1])) {
            SwapVariants(x[k], x[k + 1]);
            if (vYData != nullptr) {
                SwapPartners(*vYData, static_cast<Integer>(lo + k), static_cast<Integer>(lo + k + 1));
            }
            sorted = false;
        }
    }
    return sorted;
}

void CSort::SwapPartners(Variant& vYData, Integer i, Integer next) const {
    std::visit(
        [&](auto* y) {
            auto& first = (*y)(i);
            auto& second = (*y)(next);
            SwapVariants(first, second);
        },
        rt::ArrayOf(vYData));
}

// The two elements exchange their values through a temporary. The copies are made
// as moves: the values that end up in the elements are the same, and nothing is
// duplicated on the way.
template <typename T>
void CSort::SwapVariants(T& vFirst, T& vSecond) const {
    T temporary = std::move(vFirst);
    vFirst = std::move(vSecond);
    vSecond = std::move(temporary);
}

}  // namespace tervanix
