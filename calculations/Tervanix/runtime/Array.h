/// @file
/// Arrays with caller-chosen Long bounds in each dimension: DoubleArray,
/// DoubleArray2D, DoubleArray3D (and LongArray, StringArray, VariantArray, which the
/// sorts take through a Variant).
///
/// Bounds are whole numbers of any integer type; a floating-point bound does not
/// compile, and one beyond the Long range raises SubscriptOutOfRange. A default-made
/// array has never been given bounds: every element access and bound query on it
/// raises SubscriptOutOfRange. An array made with bounds holds upper - lower + 1
/// elements per dimension, each 0 (value-initialised); an upper bound one below the
/// lower makes an empty dimension. Every element access checks each subscript
/// against its dimension's bounds and raises SubscriptOutOfRange outside them; a
/// store too large for memory raises OutOfMemory.
///
/// The elements lie one after the other in one contiguous store, in row order (the
/// last subscript varies fastest), so other code can read and fill it without
/// copying: with n2 = UBound(2) - LBound(2) + 1 and n3 = UBound(3) - LBound(3) + 1,
///   a(i)       is data()[i - LBound(1)]
///   a(i, j)    is data()[(i - LBound(1)) * n2 + (j - LBound(2))]
///   a(i, j, k) is data()[((i - LBound(1)) * n2 + (j - LBound(2))) * n3 + (k - LBound(3))]
/// begin()/end() walk the store in that order and size() counts its elements.
///
/// An array owns its store, except one made by Borrow(), whose elements are the
/// caller's memory laid out in that order: it reads and writes that memory in place
/// until it is re-dimensioned (then it owns a new store). A copy of any array owns
/// copies of the elements; a move hands the store, owned or borrowed, to the target.
///
/// @code
///   DoubleArray x(1, 3);                   // bounds 1 to 3, all 0
///   DoubleArray y(1, {10.0, 20.0, 30.0});  // bounds 1 to 3, y(1) == 10
///   std::vector<double> v{0.5, 1.5};
///   DoubleArray z(0, v);                   // bounds 0 to 1, z(0) == 0.5
///   DoubleArray2D grid(1, 2, 1, 3);        // 2 rows of 3; grid(2, 1) is data()[3]
///   for (Double& e : grid) e = 1.0;        // every element, in row order
///   // DoubleArray w{10.0, 20.0};          // does not compile: bounds are whole numbers
/// @endcode
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// The largest store an array may have, in bytes: larger ones raise OutOfMemory.
inline constexpr std::size_t kMaxArrayBytes = static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max());

// Makes borrowed arrays over bounds that its maker has already tested as Borrow()
// tests them, so that they are not tested twice. Defined only by the C interface
// (c/src/Arrays.h), which tests each of its array descriptors once.
struct PrecheckedBorrow;

// What the last element access that failed on this thread refused, kept so that the
// method the caller called can name the array (runtime/NamedArrays.h). Written only
// when an access fails.
struct RefusedAccess {
    bool noBounds = false;  // the array has never been given bounds
    Long subscript = 0;
    int dimension = 0;
    Long lower = 0;
    Long upper = 0;
    char message[320] = {};  // the text raised, to tell this error from any other
};
const RefusedAccess& LastRefusedAccess() noexcept;

[[noreturn]] TERVANIX_API void RaiseNoBounds();
[[noreturn]] TERVANIX_API void RaiseSubscript(Long subscript, int dimension, Long lower, Long upper);
[[noreturn]] TERVANIX_API void RaiseDimension(int dimension, int rank);
[[noreturn]] TERVANIX_API void RaiseBadBounds(Long lower, Long upper);
// The number of elements for these extents; OutOfMemory when no store can hold them.
TERVANIX_API std::size_t ElementCount(const std::int64_t* extents, int rank, std::size_t elementSize);
[[noreturn]] TERVANIX_API void RaiseOutOfMemory(std::size_t elements);
[[noreturn]] TERVANIX_API void RaiseBoundBeyondLong(bool negative, std::uintmax_t magnitude);
[[noreturn]] TERVANIX_API void RaiseValuesBeyondLong(Long lower, std::size_t count);

// A bound given as any integer type, as a Long; SubscriptOutOfRange outside its range.
template <typename I>
Long BoundFrom(I bound) {
    static_assert(std::is_integral_v<I> && !std::is_same_v<I, bool>, "array bounds are whole numbers");
    bool outside = false;
    if constexpr (std::is_signed_v<I>) {
        outside = std::intmax_t{bound} < std::numeric_limits<Long>::min() ||
                  std::intmax_t{bound} > std::numeric_limits<Long>::max();
    } else {
        outside = std::uintmax_t{bound} > std::uintmax_t{std::numeric_limits<Long>::max()};
    }
    if (TERVANIX_UNLIKELY(outside)) {
        if constexpr (std::is_signed_v<I>) RaiseBoundBeyondLong(bound < 0, bound < 0 ? 0 - static_cast<std::uintmax_t>(bound) : static_cast<std::uintmax_t>(bound));
        else RaiseBoundBeyondLong(false, bound);
    }
    return static_cast<Long>(bound);
}

template <typename T>
using IsBound = std::bool_constant<std::is_integral_v<T> && !std::is_same_v<T, bool>>;

template <typename R, typename = void>
struct IsRange : std::false_type {};
template <typename R>
struct IsRange<R, std::void_t<decltype(std::begin(std::declval<const R&>())), decltype(std::end(std::declval<const R&>()))>>
    : std::true_type {};

template <typename T, int Rank>
class BasicArray {
    static_assert(Rank >= 1 && Rank <= 3, "arrays have one to three dimensions");

public:
    using value_type = T;
    static constexpr int kRank = Rank;

    /// An array that has never been given bounds.
    BasicArray() = default;

    /// @{
    /// A copy holds copies of the elements; storage that cannot be had raises
    /// OutOfMemory, and an assignment that fails leaves the target as it was.
    BasicArray(const BasicArray& other)
        : lower_(other.lower_), upper_(other.upper_), extent_(other.extent_), bounded_(other.bounded_),
          store_(NewStore(other.count_, other.elements_)), elements_(store_.data()), count_(other.count_) {}
    BasicArray& operator=(const BasicArray& other) {
        if (this != &other) *this = BasicArray(other);
        return *this;
    }
    /// @}
    /// @{
    /// A move hands over the store, owned or borrowed; the source is left without bounds.
    BasicArray(BasicArray&& other) noexcept
        : lower_(other.lower_), upper_(other.upper_), extent_(other.extent_), bounded_(other.bounded_),
          store_(std::move(other.store_)), elements_(other.elements_), count_(other.count_) {
        other.Forget();
    }
    BasicArray& operator=(BasicArray&& other) noexcept {
        if (this != &other) {
            lower_ = other.lower_;
            upper_ = other.upper_;
            extent_ = other.extent_;
            bounded_ = other.bounded_;
            store_ = std::move(other.store_);  // the buffer itself moves, so elements_ stays valid
            elements_ = other.elements_;
            count_ = other.count_;
            other.Forget();
        }
        return *this;
    }
    /// @}
    /// Frees the store the array owns; borrowed memory stays the caller's.
    ~BasicArray() = default;

    /// An array with these bounds (as the constructor takes them, empty dimensions
    /// allowed, the same SubscriptOutOfRange for bad ones) whose elements are the
    /// caller's `elements`, in row order (see the top of this file): nothing is
    /// allocated or copied, and every read and write goes to that memory. The caller
    /// keeps the memory alive and in place while the array uses it; `elements` may be
    /// null only when the array is empty. ReDim() gives the array a store of its own.
    /// @code
    ///   double z[2][3] = {};
    ///   DoubleArray2D grid = DoubleArray2D::Borrow(&z[0][0], 1, 2, 1, 3);
    ///   grid(2, 1) = 5.0;                 // z[1][0] == 5.0
    ///   DoubleArray2D own = grid;          // a copy owns its elements
    /// @endcode
    template <typename... Bounds,
              std::enable_if_t<sizeof...(Bounds) == 2 * Rank && (IsBound<Bounds>::value && ...), int> = 0>
    static BasicArray Borrow(T* elements, Bounds... bounds) {
        const Long list[] = {BoundFrom(bounds)...};
        return BorrowChecked(elements, list, CountOf(list, /*allowEmpty=*/true));
    }

    /// An array with these bounds, every element 0: (lower, upper) pairs, dimension 1
    /// first, of any integer type. An upper bound may be one below its lower bound (an
    /// empty dimension); lower than that, or a bound beyond the Long range, raises
    /// SubscriptOutOfRange.
    /// @code
    ///   DoubleArray3D t(0, 1, 1, 2, 1, 4);   // 2 x 2 x 4 elements
    /// @endcode
    template <typename... Bounds,
              std::enable_if_t<sizeof...(Bounds) == 2 * Rank && (IsBound<Bounds>::value && ...), int> = 0>
    explicit BasicArray(Bounds... bounds) {
        const Long list[] = {BoundFrom(bounds)...};
        Allocate(list, /*allowEmpty=*/true);
    }

    /// A one-dimensional array holding `values` in order, the first at subscript
    /// `lower` (of any integer type). No values make an empty array (upper bound
    /// lower - 1). Values that would end beyond the Long range raise
    /// SubscriptOutOfRange.
    /// @code
    ///   DoubleArray y(1, {1.5, 2.5});   // bounds 1 to 2, y(2) == 2.5
    /// @endcode
    template <typename L, std::enable_if_t<IsBound<L>::value, int> = 0>
    BasicArray(L lower, std::initializer_list<T> values) {
        Fill(BoundFrom(lower), values);
    }
    /// The same from any range of values (a std::vector, another array, ...). A range
    /// that is itself one value (a string literal for a StringArray) is not taken
    /// apart: write StringArray(1, {u"text"}).
    template <typename L, typename Range,
              std::enable_if_t<IsBound<L>::value && IsRange<Range>::value && !std::is_convertible_v<const Range&, T>, int> = 0>
    BasicArray(L lower, const Range& values) {
        Fill(BoundFrom(lower), values);
    }

    /// Re-dimensioning: new bounds, every element 0, the earlier contents lost (a
    /// borrowed array gets a store of its own; the caller's memory is left as it was).
    /// An upper bound below its lower bound raises SubscriptOutOfRange (no empty
    /// dimension here, unlike the constructor).
    template <typename... Bounds,
              std::enable_if_t<sizeof...(Bounds) == 2 * Rank && (IsBound<Bounds>::value && ...), int> = 0>
    void ReDim(Bounds... bounds) {
        const Long list[] = {BoundFrom(bounds)...};
        Allocate(list, /*allowEmpty=*/false);
    }

    /// Whether the array has been given bounds.
    bool HasBounds() const noexcept { return bounded_; }

    /// @{
    /// The contiguous store, in row order (see the top of this file), of size()
    /// elements; begin() and end() walk it in that order. Unchecked: data()[n] is an
    /// element only for n < size(). Valid until the array is re-dimensioned.
    T* data() noexcept { return elements_; }
    const T* data() const noexcept { return elements_; }
    std::size_t size() const noexcept { return count_; }
    T* begin() noexcept { return elements_; }
    T* end() noexcept { return elements_ + count_; }
    const T* begin() const noexcept { return elements_; }
    const T* end() const noexcept { return elements_ + count_; }
    /// @}

    /// @{
    /// The lower and upper bound of a dimension (1 to the number of dimensions); an
    /// array without bounds, or a dimension it does not have, raises SubscriptOutOfRange.
    /// @code
    ///   DoubleArray2D grid(0, 3, 1, 2);
    ///   grid.LBound();    // 0
    ///   grid.UBound(2);   // 2
    /// @endcode
    Long LBound(int dimension = 1) const { return Bound(dimension, lower_); }
    Long UBound(int dimension = 1) const { return Bound(dimension, upper_); }
    /// @}

    /// The element at these subscripts, one per dimension; a subscript outside its
    /// dimension's bounds (or an array without bounds) raises SubscriptOutOfRange.
    T& operator()(Long i) { return elements_[Offset1(i)]; }
    const T& operator()(Long i) const { return elements_[Offset1(i)]; }
    T& operator()(Long i, Long j) { return elements_[Offset2(i, j)]; }
    const T& operator()(Long i, Long j) const { return elements_[Offset2(i, j)]; }
    T& operator()(Long i, Long j, Long k) { return elements_[Offset3(i, j, k)]; }
    const T& operator()(Long i, Long j, Long k) const { return elements_[Offset3(i, j, k)]; }

    /// The element at these subscripts, one per dimension, or nullptr when any of them
    /// lies outside its dimension's bounds or the array has none. Never raises: for a
    /// caller to whom an address outside the array is not an error. It reads every
    /// bound whatever the subscripts and tests them all at once, so that in a loop the
    /// bounds stay in registers and each access costs a single branch.
    template <typename... Subscripts,
              std::enable_if_t<sizeof...(Subscripts) == Rank, int> = 0>
    T* Find(Subscripts... subscripts) noexcept {
        return const_cast<T*>(static_cast<const BasicArray&>(*this).Find(subscripts...));
    }
    template <typename... Subscripts,
              std::enable_if_t<sizeof...(Subscripts) == Rank, int> = 0>
    const T* Find(Subscripts... subscripts) const noexcept {
        const Long list[] = {static_cast<Long>(subscripts)...};
        const T* const elements = elements_;
        std::size_t offset = 0;
        bool outside = false;
        for (int d = 0; d < Rank; ++d) {
            // Below the lower bound wraps around to a huge index: one test serves both ends.
            const auto index = static_cast<std::uint64_t>(std::int64_t{list[d]} - lower_[d]);
            outside |= index >= extent_[d];
            offset = offset * extent_[d] + static_cast<std::size_t>(index);
        }
        if (TERVANIX_UNLIKELY(outside)) return nullptr;
        const T* element = elements + offset;
        if (element == nullptr) TERVANIX_UNREACHABLE();  // an array with elements has storage
        return element;
    }
    /// The elements `first` to `last` of a one-dimensional array, which lie one after
    /// the other: a pointer to element `first`, element first + k being at [k]. Both
    /// subscripts are checked here, `first` before `last`, as an access to each would
    /// check it, so a loop that stays between them needs no test of its own. Valid
    /// until the array is re-dimensioned.
    T* Elements(Long first, Long last) { return elements_ + RunOffset(first, last); }
    const T* Elements(Long first, Long last) const { return elements_ + RunOffset(first, last); }

private:
    friend struct PrecheckedBorrow;

    // Borrow() for bounds that CountOf has accepted, giving `count` elements.
    static BasicArray BorrowChecked(T* elements, const Long (&bounds)[2 * Rank], std::size_t count) noexcept {
        BasicArray borrowed;
        borrowed.count_ = count;
        borrowed.elements_ = elements;
        borrowed.SetBounds(bounds);
        return borrowed;
    }

    std::size_t RunOffset(Long first, Long last) const {
        static_assert(Rank == 1, "a run of elements is taken from a one-dimensional array");
        const std::size_t offset = Index(first, 0);
        Index(last, 0);
        return offset;
    }

    Long Bound(int dimension, const std::array<Long, Rank>& bounds) const {
        if (!bounded_) RaiseNoBounds();
        if (dimension < 1 || dimension > Rank) RaiseDimension(dimension, Rank);
        return bounds[dimension - 1];
    }

    std::size_t Index(Long subscript, int d) const {
        if (TERVANIX_UNLIKELY(subscript < lower_[d] || subscript > upper_[d])) {
            if (!bounded_) RaiseNoBounds();
            RaiseSubscript(subscript, d + 1, lower_[d], upper_[d]);
        }
        return static_cast<std::size_t>(std::int64_t{subscript} - lower_[d]);
    }

    std::size_t Offset1(Long i) const {
        static_assert(Rank == 1, "this array takes one subscript per dimension");
        return Index(i, 0);
    }
    // The subscripts are checked in order, first to last, so that of several wrong
    // ones the first is reported.
    std::size_t Offset2(Long i, Long j) const {
        static_assert(Rank == 2, "this array takes one subscript per dimension");
        const std::size_t first = Index(i, 0);
        return first * extent_[1] + Index(j, 1);
    }
    std::size_t Offset3(Long i, Long j, Long k) const {
        static_assert(Rank == 3, "this array takes one subscript per dimension");
        const std::size_t first = Index(i, 0);
        const std::size_t second = Index(j, 1);
        return (first * extent_[1] + second) * extent_[2] + Index(k, 2);
    }

    template <typename Range>
    void Fill(Long lower, const Range& values) {
        static_assert(Rank == 1, "an array is made from a list of values in one dimension");
        const auto count = static_cast<std::size_t>(std::distance(std::begin(values), std::end(values)));
        const std::int64_t upper = std::int64_t{lower} + static_cast<std::int64_t>(count) - 1;
        if (std::uint64_t{count} > std::uint64_t{1} << 32 || upper > std::numeric_limits<Long>::max() ||
            upper < std::numeric_limits<Long>::min()) {
            RaiseValuesBeyondLong(lower, count);
        }
        const Long list[] = {lower, static_cast<Long>(upper)};
        Allocate(list, /*allowEmpty=*/true);
        std::size_t n = 0;
        for (const auto& value : values) elements_[n++] = value;
    }

    void Allocate(const Long (&bounds)[2 * Rank], bool allowEmpty) {
        const std::size_t count = CountOf(bounds, allowEmpty);
        std::vector<T> fresh = NewStore(count, nullptr);
        store_.swap(fresh);
        elements_ = store_.data();
        count_ = count;
        SetBounds(bounds);
    }

    // The number of elements these bounds hold; SubscriptOutOfRange for an upper bound
    // below lower - 1 (below lower unless allowEmpty), OutOfMemory beyond any store.
    static std::size_t CountOf(const Long (&bounds)[2 * Rank], bool allowEmpty) {
        std::int64_t extents[Rank];
        for (int d = 0; d < Rank; ++d) {
            const Long lower = bounds[2 * d];
            const Long upper = bounds[2 * d + 1];
            const std::int64_t extent = std::int64_t{upper} - lower + 1;
            if (extent < (allowEmpty ? 0 : 1)) RaiseBadBounds(lower, upper);
            extents[d] = extent;
        }
        return ElementCount(extents, Rank, sizeof(T));
    }

    // Bounds already checked by CountOf.
    void SetBounds(const Long (&bounds)[2 * Rank]) noexcept {
        for (int d = 0; d < Rank; ++d) {
            lower_[d] = bounds[2 * d];
            upper_[d] = bounds[2 * d + 1];
            extent_[d] = static_cast<std::size_t>(std::int64_t{upper_[d]} - lower_[d] + 1);
        }
        bounded_ = true;
    }

    // Back to an array that has never been given bounds, its store gone.
    void Forget() noexcept {
        lower_ = MakeFilled(1);
        upper_ = MakeFilled(0);
        extent_ = {};
        bounded_ = false;
        store_.clear();
        elements_ = nullptr;
        count_ = 0;
    }

    // A store of `count` elements, copies of `source[0]` to `source[count - 1]` when
    // given, else value-initialised; OutOfMemory when it cannot be had.
    static std::vector<T> NewStore(std::size_t count, const T* source) {
        try {
            return source != nullptr ? std::vector<T>(source, source + count) : std::vector<T>(count);
        } catch (const std::bad_alloc&) {
            RaiseOutOfMemory(count);
        } catch (const std::length_error&) {
            RaiseOutOfMemory(count);
        }
    }

    // An array without bounds has lower 1 and upper 0 in every dimension, so that
    // every subscript fails the range test and the slow path says why.
    std::array<Long, Rank> lower_ = MakeFilled(1);
    std::array<Long, Rank> upper_ = MakeFilled(0);
    std::array<std::size_t, Rank> extent_{};
    bool bounded_ = false;
    std::vector<T> store_;        // the elements of an array that owns them
    T* elements_ = nullptr;       // every access goes through this: store_.data() or the borrowed memory
    std::size_t count_ = 0;       // elements at elements_

    static constexpr std::array<Long, Rank> MakeFilled(Long v) {
        std::array<Long, Rank> a{};
        for (auto& x : a) x = v;
        return a;
    }
};

}  // namespace tervanix::rt

namespace tervanix {

/// @{
/// The array types of the library's methods (DoubleArray, DoubleArray2D,
/// DoubleArray3D) and of the sorts' Variants (DoubleArray, LongArray, StringArray, and
/// VariantArray of Variant.h).
using DoubleArray = rt::BasicArray<Double, 1>;
using DoubleArray2D = rt::BasicArray<Double, 2>;
using DoubleArray3D = rt::BasicArray<Double, 3>;
using LongArray = rt::BasicArray<Long, 1>;
using StringArray = rt::BasicArray<String, 1>;
/// @}

}  // namespace tervanix
