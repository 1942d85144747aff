// Arrays over the caller's memory. An array argument becomes a C++ array that
// borrows the caller's elements: the method reads and writes that memory in place,
// nothing is copied, and what it wrote before an error stays written, as in C++.
//
// Each descriptor is tested once, by CheckedCount(), with the tests BasicArray::Borrow()
// makes of its bounds and those of the C interface; the array is then made without
// testing the bounds again. CheckedCount() is inline, as it runs for every array argument
// of every call, and every failure builds its text out of line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include <Tervanix/runtime/Array.h>

#include "Binding.h"

namespace tervanix::rt {

// The C interface's way to borrow the caller's memory once CheckedCount has accepted
// the descriptor (see Array.h).
struct PrecheckedBorrow {
    template <typename A>
    static A Make(typename A::value_type* elements, const Long (&bounds)[2 * A::kRank], std::size_t count) noexcept {
        return A::BorrowChecked(elements, bounds, count);
    }
};

}  // namespace tervanix::rt

namespace tervanix::c {

// Any element type that CSort's arrays take, for CheckedCount.
inline constexpr std::int32_t kAnyElementType = -1;

template <typename T>
inline constexpr std::int32_t kElementType = TVX_DOUBLE;
template <>
inline constexpr std::int32_t kElementType<Long> = TVX_LONG;

// The bytes of one element of a descriptor's type and the alignment it needs; a size
// of 0 for a type that is not one.
struct ElementLayout {
    std::size_t size;
    std::size_t alignment;
};

constexpr ElementLayout LayoutOf(std::int32_t type) noexcept {
    switch (type) {
        case TVX_DOUBLE: return {sizeof(double), alignof(double)};
        case TVX_LONG: return {sizeof(std::int32_t), alignof(std::int32_t)};
        case TVX_STRING: return {sizeof(tvx_String), alignof(tvx_String)};
    }
    return {0, 1};
}

constexpr std::size_t ElementSize(std::int32_t type) noexcept { return LayoutOf(type).size; }

// The failures of CheckedCount.
[[noreturn]] TERVANIX_COLD_NOINLINE void BadShape(const char* name, const tvx_Array& a, int rank, std::int32_t type);
[[noreturn]] TERVANIX_COLD_NOINLINE void BadExtent(const char* name, const tvx_Array& a, int d);
[[noreturn]] TERVANIX_COLD_NOINLINE void BadSize(const char* name);
[[noreturn]] TERVANIX_COLD_NOINLINE void BadData(const char* name, std::size_t count);
[[noreturn]] TERVANIX_COLD_NOINLINE void BadAlignment(const char* name, const tvx_Array& a, std::size_t alignment);

// Checks that `array` describes `Rank` dimensions of `Type` elements (kAnyElementType:
// any of the three) in memory the caller has, no larger than a C++ array may be, its
// first element aligned as its type needs (a misaligned element cannot be read as a
// double or an int32_t); the number of its elements. A BindingError otherwise.
template <int Rank, std::int32_t Type>
TERVANIX_ALWAYS_INLINE inline std::size_t CheckedCount(const tvx_Array* array, const char* name) {
    const tvx_Array& a = Ref(array, name);
    const ElementLayout layout = LayoutOf(Type == kAnyElementType ? a.type : Type);
    const std::size_t elementSize = layout.size;
    if (TERVANIX_UNLIKELY(a.rank != Rank || elementSize == 0 || (Type != kAnyElementType && a.type != Type))) {
        BadShape(name, a, Rank, Type);
    }
    std::size_t count = 1;
    for (int d = 0; d < Rank; ++d) {
        const std::int64_t extent = std::int64_t{a.upper[d]} - a.lower[d] + 1;
        if (TERVANIX_UNLIKELY(extent < 0)) BadExtent(name, a, d);
        if (TERVANIX_UNLIKELY(__builtin_mul_overflow(count, static_cast<std::size_t>(extent), &count))) BadSize(name);
    }
    std::size_t bytes = 0;
    if (TERVANIX_UNLIKELY(__builtin_mul_overflow(count, elementSize, &bytes) || bytes > rt::kMaxArrayBytes)) {
        BadSize(name);
    }
    if (count > 0) {
        if (TERVANIX_UNLIKELY(a.data == nullptr)) BadData(name, count);
        if (TERVANIX_UNLIKELY(reinterpret_cast<std::uintptr_t>(a.data) % layout.alignment != 0)) {
            BadAlignment(name, a, layout.alignment);
        }
    }
    return count;
}

// An array argument that passed the checks: a copy of its descriptor, its number of
// elements and the argument's name.
struct CheckedArray {
    tvx_Array descriptor;
    std::size_t count;
    const char* name;
};

template <int Rank, std::int32_t Type>
CheckedArray Check(tvx_Array* array, const char* name) {
    const std::size_t count = CheckedCount<Rank, Type>(array, name);
    return {*array, count, name};
}

// Whether two checked arrays are the same array (then one C++ array serves both, as
// one variable passed twice would); a BindingError when they are different arrays in
// overlapping memory. `names` names the two.
bool SameArray(const CheckedArray& a, const CheckedArray& b, const char* names);

// Whether the bytes [a, a + aBytes) and [b, b + bBytes) have one in common; an empty
// range has none, wherever its pointer lies.
bool Overlap(const void* a, std::size_t aBytes, const void* b, std::size_t bBytes) noexcept;

// A C++ array with the bounds of a checked descriptor of `count` elements, whose
// elements are the caller's (Double or Long, whose C and C++ types are the same).
template <typename A>
TERVANIX_ALWAYS_INLINE inline A Borrowed(const tvx_Array& d, std::size_t count) noexcept {
    Long bounds[2 * A::kRank];
    for (int k = 0; k < A::kRank; ++k) {
        bounds[2 * k] = d.lower[k];
        bounds[2 * k + 1] = d.upper[k];
    }
    return rt::PrecheckedBorrow::Make<A>(static_cast<typename A::value_type*>(d.data), bounds, count);
}

template <typename A>
A Borrowed(const CheckedArray& checked) noexcept {
    return Borrowed<A>(checked.descriptor, checked.count);
}

// An array the method only reads: the C++ parameter is const, so the caller's
// memory is never written.
template <typename A>
TERVANIX_ALWAYS_INLINE inline A In(const tvx_Array* array, const char* name) {
    const std::size_t count = CheckedCount<A::kRank, kElementType<typename A::value_type>>(array, name);
    return Borrowed<A>(*array, count);
}

// An array the method may write, in the caller's memory.
template <typename A>
class InOut {
public:
    static constexpr int kRank = A::kRank;
    static constexpr std::int32_t kType = kElementType<typename A::value_type>;

    explicit InOut(const CheckedArray& checked) noexcept : checked_(checked), array_(Borrowed<A>(checked_)) {}
    InOut(const InOut&) = delete;
    InOut& operator=(const InOut&) = delete;

    A& get() noexcept { return array_; }
    const CheckedArray& checked() const noexcept { return checked_; }

private:
    const CheckedArray checked_;
    A array_;
};

// Two arrays the method may write, one C++ array when both describe the same one.
// Arg is InOut<...> or a class like it: kRank, kType, made from a CheckedArray,
// checked() and get().
template <typename Arg>
class InOutPair {
public:
    InOutPair(tvx_Array* x, const char* xName, tvx_Array* y, const char* yName, const char* names)
        : x_(Check<Arg::kRank, Arg::kType>(x, xName)) {
        const CheckedArray second = Check<Arg::kRank, Arg::kType>(y, yName);
        if (!SameArray(x_.checked(), second, names)) y_.emplace(second);
    }
    auto& first() noexcept { return x_.get(); }
    auto& second() noexcept { return y_ ? y_->get() : x_.get(); }

private:
    Arg x_;
    std::optional<Arg> y_;
};

}  // namespace tervanix::c
