// Arrays over the caller's memory. An array argument becomes a C++ array that
// borrows the caller's elements (BasicArray::Borrow): the method reads and writes
// that memory in place, nothing is copied, and what it wrote before an error stays
// written, as in C++.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include <Tervanix/runtime/Array.h>

#include "Binding.h"

namespace tervanix::c {

// Any element type of CSort's arrays, for CheckArray.
inline constexpr std::int32_t kAnyElementType = -1;

// Checks that `array` describes `rank` dimensions of `type` elements in memory the
// caller has; the number of its elements. A BindingError otherwise.
std::size_t CheckArray(const tvx_Array* array, const char* name, int rank, std::int32_t type);

// Whether two checked descriptors describe the same array (then one C++ array
// serves both, as one variable passed twice would); a BindingError when they
// describe different arrays in overlapping memory.
bool SameArray(const tvx_Array& a, const tvx_Array& b, const char* names);

template <typename T>
inline constexpr std::int32_t kElementType = TVX_DOUBLE;
template <>
inline constexpr std::int32_t kElementType<Long> = TVX_LONG;

// A C++ array with the descriptor's bounds whose elements are the caller's (Double or
// Long, whose C and C++ types are the same).
template <typename A>
A Borrowed(const tvx_Array& d) {
    auto* elements = static_cast<typename A::value_type*>(d.data);
    if constexpr (A::kRank == 1) return A::Borrow(elements, d.lower[0], d.upper[0]);
    if constexpr (A::kRank == 2) return A::Borrow(elements, d.lower[0], d.upper[0], d.lower[1], d.upper[1]);
    if constexpr (A::kRank == 3) {
        return A::Borrow(elements, d.lower[0], d.upper[0], d.lower[1], d.upper[1], d.lower[2], d.upper[2]);
    }
}

// An array the method only reads: the C++ parameter is const, so the caller's
// memory is never written.
template <typename A>
A In(const tvx_Array* array, const char* name) {
    CheckArray(array, name, A::kRank, kElementType<typename A::value_type>);
    return Borrowed<A>(*array);
}

// An array the method may write, in the caller's memory.
template <typename A>
class InOut {
public:
    static constexpr int kRank = A::kRank;
    static constexpr std::int32_t kType = kElementType<typename A::value_type>;

    InOut(tvx_Array* array, const char* name)
        : descriptor_((CheckArray(array, name, kRank, kType), *array)),
          array_(Borrowed<A>(descriptor_)) {}
    InOut(const InOut&) = delete;
    InOut& operator=(const InOut&) = delete;

    A& get() noexcept { return array_; }
    const tvx_Array& descriptor() const noexcept { return descriptor_; }

private:
    const tvx_Array descriptor_;
    A array_;
};

// Two arrays the method may write, one C++ array when both describe the same one.
// Arg is InOut<...> or a class like it: kRank, kType, descriptor() and get().
template <typename Arg>
class InOutPair {
public:
    InOutPair(tvx_Array* x, const char* xName, tvx_Array* y, const char* yName, const char* names) : x_(x, xName) {
        CheckArray(y, yName, Arg::kRank, Arg::kType);
        if (!SameArray(x_.descriptor(), *y, names)) y_.emplace(y, yName);
    }
    auto& first() noexcept { return x_.get(); }
    auto& second() noexcept { return y_ ? y_->get() : x_.get(); }

private:
    Arg x_;
    std::optional<Arg> y_;
};

}  // namespace tervanix::c
