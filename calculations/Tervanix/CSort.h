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
    /// The shared instance, for calls without an object of one's own. The class has
    /// no fields, so every instance, this one included, behaves identically.
    ///
    /// @code
    ///   Variant v = DoubleArray(1, {2.0, 1.0});   // the Variant owns a copy
    ///   CSort::Default().BubbleSort1DArray(v);
    /// @endcode
    TERVANIX_API static const CSort& Default();

    /// Sorts X/Y pairs by X: sorts the array in vXData ascending, in place, and makes
    /// every exchange in the array in vYData too, at the same two subscripts, so that
    /// each Y stays with its X. Stable: equal X values keep their order.
    ///
    /// @param vXData  an array of Double, Long, String or Variant that the Variant
    ///        owns or refers to (Variant::RefTo sorts the host's own array); any
    ///        bounds within -32768 to 32767. Numbers compare by value, strings by
    ///        their 16-bit code units; a NaN is never moved past a neighbour.
    /// @param vYData  an array of any of those element types with at least the
    ///        subscripts of X; read only at an exchange, so a sorted X never touches it.
    /// @throws LibraryError TypeMismatch when vXData (or, at the first exchange,
    ///         vYData) holds no array, or a number meets a string; OverflowError for
    ///         bounds outside the Integer range; SubscriptOutOfRange for an array
    ///         without bounds or elements, or a Y without X's subscript. Exchanges
    ///         made before the error stay made, the X one of the failing step included.
    ///
    /// @code
    ///   DoubleArray x(1, {3.0, 1.0, 2.0});
    ///   StringArray names(1, {u"c", u"a", u"b"});
    ///   Variant vx = Variant::RefTo(x), vy = Variant::RefTo(names);
    ///   CSort().BubbleSortXYPairsByX(vx, vy);   // x(1) = 1, names(1) = u"a", names(3) = u"c"
    /// @endcode
    TERVANIX_API void BubbleSortXYPairsByX(Variant& vXData, Variant& vYData) const;
    /// Sorts the array in vXData ascending, in place, stopping after the first pass
    /// without an exchange. Stable: equal values keep their order.
    ///
    /// @param vXData  as for BubbleSortXYPairsByX.
    /// @throws LibraryError as BubbleSortXYPairsByX, without the Y cases.
    ///
    /// @code
    ///   LongArray n(0, {5, -1, 3});
    ///   Variant v = Variant::RefTo(n);
    ///   CSort().BubbleSort1DArray(v);           // n(0) = -1, n(2) = 5
    ///   Variant none;
    ///   CSort().BubbleSort1DArray(none);        // throws TypeMismatch
    /// @endcode
    TERVANIX_API void BubbleSort1DArray(Variant& vXData) const;

private:
    // The steps both sorts share; vYData is null when there is no Y array.
    void SortByX(Variant& vXData, Variant* vYData) const;
    // The pair sort of the 1-D table lookup, on its arrays themselves, over the
    // positions lo to hi of vXArray (its bounds, already made Integers).
    friend class CInterpolation;
    void SortPairs(DoubleArray& vXArray, DoubleArray& vYArray, Integer lo, Integer hi) const;
    // The passes; swapPartners(i, next) exchanges the Y elements that partner an
    // exchange of X elements.
    // `carry` is decided once per call: whether the passes may carry a value across
    // an exchange of partners (no exchange of Y can rewrite X).
    template <typename T, typename SwapY>
    void SortElements(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, bool carry,
                      const SwapY& swapPartners) const;
    template <typename T, typename SwapY>
    bool MakePass(rt::BasicArray<T, 1>& vXArray, Integer lo, Integer hi, bool carry,
                  const SwapY& swapPartners) const;
    template <typename T, typename SwapY>
    bool MakeCarriedPass(T* x, Integer lo, int last, const SwapY& swapPartners) const;
    template <typename T>
    bool SharesStorage(const rt::BasicArray<T, 1>& vXArray, Variant& vYData) const;
    template <typename T>
    bool Overlap(const rt::BasicArray<T, 1>& a, const rt::BasicArray<T, 1>& b) const;
    // The exchange of the Y elements that partner an exchange of X elements.
    void SwapPartners(Variant& vYData, Integer i, Integer next) const;
    template <typename T>
    void SwapVariants(T& vFirst, T& vSecond) const;
};

}  // namespace tervanix
