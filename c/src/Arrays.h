// Arrays over the caller's memory. The library's arrays own their elements, so an
// array argument is copied into a C++ array for the call, and an array the method
// may write is copied back into the caller's memory when the call ends, also when it
// ends with an error: what the method wrote before the error stays written. That is
// O(n) per call and keeps every digit the C++ classes' digits.
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

// Calls visit(element, position) for every element of `a`, the last subscript
// varying fastest, position counting from 0: the order of the caller's memory.
template <typename T, int Rank, typename Visit>
void ForEachElement(rt::BasicArray<T, Rank>& a, const tvx_Array& d, Visit visit) noexcept {
    std::size_t k = 0;
    for (std::int64_t i = d.lower[0]; i <= d.upper[0]; ++i) {
        if constexpr (Rank == 1) {
            visit(*a.Find(static_cast<Long>(i)), k++);
        } else {
            for (std::int64_t j = d.lower[1]; j <= d.upper[1]; ++j) {
                if constexpr (Rank == 2) {
                    visit(*a.Find(static_cast<Long>(i), static_cast<Long>(j)), k++);
                } else {
                    for (std::int64_t l = d.lower[2]; l <= d.upper[2]; ++l)
                        visit(*a.Find(static_cast<Long>(i), static_cast<Long>(j), static_cast<Long>(l)), k++);
                }
            }
        }
    }
}

// A C++ array with the descriptor's bounds and a copy of its elements (Double or
// Long, whose C and C++ types are the same).
template <typename A>
A CopyIn(const tvx_Array& d) {
    using T = typename A::value_type;
    A a = [&] {
        if constexpr (A::kRank == 1) return A(d.lower[0], d.upper[0]);
        if constexpr (A::kRank == 2) return A(d.lower[0], d.upper[0], d.lower[1], d.upper[1]);
        if constexpr (A::kRank == 3) return A(d.lower[0], d.upper[0], d.lower[1], d.upper[1], d.lower[2], d.upper[2]);
    }();
    const T* source = static_cast<const T*>(d.data);
    ForEachElement(a, d, [&](T& element, std::size_t k) { element = source[k]; });
    return a;
}

template <typename A>
void CopyOut(A& a, const tvx_Array& d) noexcept {
    using T = typename A::value_type;
    T* target = static_cast<T*>(d.data);
    ForEachElement(a, d, [&](T& element, std::size_t k) { target[k] = element; });
}

// An array the method only reads.
template <typename A>
A In(const tvx_Array* array, const char* name) {
    CheckArray(array, name, A::kRank, kElementType<typename A::value_type>);
    return CopyIn<A>(*array);
}

// An array the method may write: copied back when the call ends, however it ends.
template <typename A>
class InOut {
public:
    static constexpr int kRank = A::kRank;
    static constexpr std::int32_t kType = kElementType<typename A::value_type>;

    InOut(tvx_Array* array, const char* name)
        : descriptor_((CheckArray(array, name, kRank, kType), *array)),
          array_(CopyIn<A>(descriptor_)) {}
    ~InOut() { CopyOut(array_, descriptor_); }
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
