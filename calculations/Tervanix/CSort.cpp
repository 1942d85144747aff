#include "Tervanix/CSort.h"

#include <algorithm>
#include <functional>
#include <type_traits>
#include <utility>

#include "Tervanix/platform/Config.h"
#include "Tervanix/runtime/ElementComparison.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/NamedArrays.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

const CSort& CSort::Default() {
    static const CSort shared;
    return shared;
}

void CSort::BubbleSortXYPairsByX(Variant& vXData, Variant& vYData) const try {
    SortByX(vXData, &vYData);
} catch (...) {
    rt::RethrowNamingPair("CSort.BubbleSortXYPairsByX", "vYData", vYData, "vXData", vXData);
}

void CSort::BubbleSort1DArray(Variant& vXData) const try {
    SortByX(vXData, nullptr);
} catch (...) { rt::RethrowNamingArrays("CSort.BubbleSort1DArray", "vXData", vXData); }

void CSort::SortByX(Variant& vXData, Variant* vYData) const {
    const rt::ArrayRef xArray = rt::ArrayOf(vXData, "vXData");
    const Integer lo = rt::IntegerPosition(rt::LBound(xArray), "the array of vXData", /*upper=*/false);
    const Integer hi = rt::IntegerPosition(rt::UBound(xArray), "the array of vXData", /*upper=*/true);
    // The array behind the Variant is found once; the passes then run on its elements.
    std::visit(
        [&](auto* x) {
            const bool shared = vYData != nullptr && SharesStorage(*x, *vYData);
            SortElements(*x, lo, hi, !shared, [&](Integer i, Integer next) {
                if (vYData != nullptr) SwapPartners(*vYData, i, next);
            });
        },
        xArray);
}

// BubbleSortXYPairsByX with Variants that refer to these two arrays.
void CSort::SortPairs(DoubleArray& vXArray, DoubleArray& vYArray, Integer lo, Integer hi) const {
    SortElements(vXArray, lo, hi, !Overlap(vXArray, vYArray), [&](Integer i, Integer next) {
        Double& first = vYArray(i);
        Double& second = vYArray(next);
        SwapVariants(first, second);
    });
}

// Whether an exchange in the array behind vYData can rewrite an element of vXArray:
// the same array, or another whose elements lie in the same memory (Borrow()).
// Only an array of the same element type can: any other holds other objects.
template <typename T>
bool CSort::SharesStorage(const rt::BasicArray<T, 1>& vXArray, Variant& vYData) const {
    if (!vYData.IsArray()) return false;
    return std::visit(
        [&](auto* y) {
            if constexpr (std::is_same_v<std::decay_t<decltype(*y)>, rt::BasicArray<T, 1>>) {
                return Overlap(vXArray, *y);
            } else {
                return false;
            }
        },
        rt::ArrayOf(vYData, "vYData"));
}

template <typename T>
bool CSort::Overlap(const rt::BasicArray<T, 1>& a, const rt::BasicArray<T, 1>& b) const {
    if (a.size() == 0 || b.size() == 0) return false;
    const std::less<const T*> before;
    return before(a.data(), b.data() + b.size()) && before(b.data(), a.data() + a.size());
}

template <typename T, typename SwapY>
void CSort::SortElements(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, bool carry,
                         const SwapY& swapPartners) const {
    bool sorted = false;
    while (hi != lo && !sorted) {
        sorted = MakePass(vXArray, lo, hi, carry, swapPartners);
        hi = rt::Sub(hi, Integer{1});
    }
}

// One pass over the neighbours (lo, lo + 1) to (hi - 1, hi); true when it exchanged
// nothing. The run of elements lo to hi is checked once: an array without elements
// fails there, as at its first element read. Within the run no subscript can leave
// the Integer range, as hi is an Integer. `carry` allows the carried pass, for
// numbers when no exchange of partners can rewrite X.
template <typename T, typename SwapY>
bool CSort::MakePass(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, bool carry,
                     const SwapY& swapPartners) const {
    T* const x = vXArray.Elements(lo, std::max(lo, hi));  // x[k] is vXArray(lo + k)
    const int last = hi - lo;
    if constexpr (std::is_arithmetic_v<T> && !rt::kStepByStep) {
        if (carry) return MakeCarriedPass(x, lo, last, swapPartners);
    }
    bool sorted = true;
    for (int k = 0; k < last; ++k) {
        if (rt::GreaterThan(x[k], x[k + 1])) {
            SwapVariants(x[k], x[k + 1]);
            swapPartners(static_cast<Integer>(lo + k), static_cast<Integer>(lo + k + 1));
            sorted = false;
        }
    }
    return sorted;
}

// The same pass with the larger of each pair, the left element of the next, carried
// in a register rather than read back from the store just made. Sound only when the
// exchange of partners leaves X alone.
template <typename T, typename SwapY>
bool CSort::MakeCarriedPass(T* x, Integer lo, int last, const SwapY& swapPartners) const {
    bool sorted = true;
    T carried = x[0];
    for (int k = 0; k < last; ++k) {
        const T next = x[k + 1];
        if (rt::GreaterThan(carried, next)) {
            x[k] = next;
            x[k + 1] = carried;
            swapPartners(static_cast<Integer>(lo + k), static_cast<Integer>(lo + k + 1));
            sorted = false;
        } else {
            carried = next;
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
