#include "Tervanix/CSort.h"

#include <utility>

#include "Tervanix/runtime/ElementComparison.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

const CSort& CSort::Default() {
    static const CSort shared;
    return shared;
}

void CSort::BubbleSortXYPairsByX(Variant& vXData, Variant& vYData) const try {
    SortByX(vXData, &vYData);
} catch (...) { rt::RethrowFrom("CSort.BubbleSortXYPairsByX"); }

void CSort::BubbleSort1DArray(Variant& vXData) const try {
    SortByX(vXData, nullptr);
} catch (...) { rt::RethrowFrom("CSort.BubbleSort1DArray"); }

void CSort::SortByX(Variant& vXData, Variant* vYData) const {
    const rt::ArrayRef xArray = rt::ArrayOf(vXData, "vXData");
    const Integer lo = rt::IntegerPosition(rt::LBound(xArray), "the array of vXData", /*upper=*/false);
    const Integer hi = rt::IntegerPosition(rt::UBound(xArray), "the array of vXData", /*upper=*/true);
    // The array behind the Variant is found once; the passes then run on its elements.
    std::visit([&](auto* x) { SortElements(*x, lo, hi, vYData); }, xArray);
}

template <typename T>
void CSort::SortElements(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, Variant* vYData) const {
    bool sorted = false;
    while (hi != lo && !sorted) {
        sorted = true;
        Integer i = lo;
        do {
            T& left = vXArray(i);  // read first, then its right-hand neighbour
            const Integer next = rt::Add(i, Integer{1});
            T& right = vXArray(next);
            if (rt::GreaterThan(left, right)) {
                SwapVariants(left, right);
                if (vYData != nullptr) SwapPartners(*vYData, i, next);
                sorted = false;
            }
            i = next;
        } while (i != hi);
        hi = rt::Sub(hi, Integer{1});
    }
}

void CSort::SwapPartners(Variant& vYData, Integer i, Integer next) const {
    std::visit(
        [&](auto* y) {
            auto& first = (*y)(i);
            auto& second = (*y)(next);
            SwapVariants(first, second);
        },
        rt::ArrayOf(vYData, "vYData"));
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
