// Helpers shared by the test files: exact comparison of Doubles by bit pattern, the
// expectation that a call ends with a LibraryError of a given kind, and arrays.
#pragma once

#include <cstdint>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/LibraryError.h>
#include <Tervanix/runtime/Types.h>

namespace tervanix::testing {

inline std::uint64_t Bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

inline ::testing::AssertionResult SameDouble(const char* expectedText, const char* actualText,
                                             double expected, double actual) {
    if (std::isnan(expected) ? std::isnan(actual) : Bits(expected) == Bits(actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << std::setprecision(17) << actualText << " is " << actual
                                         << ", expected " << expectedText << " = " << expected;
}

// An array from lower upward holding these values.
template <typename A = DoubleArray>
A MakeArray(Long lower, const std::vector<typename A::value_type>& values) {
    return A(lower, values);
}

// The elements of an array in subscript order.
template <typename A>
std::vector<typename A::value_type> Contents(const A& a) {
    std::vector<typename A::value_type> v;
    for (std::int64_t i = a.LBound(); i <= a.UBound(); ++i) v.push_back(a(static_cast<Long>(i)));
    return v;
}

// AddressSanitizer's allocator ends the program on a failed allocation instead of failing it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kUnderAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

}  // namespace tervanix::testing

// The same Double, to the bit (so -0 differs from +0); NaNs match any NaN.
#define EXPECT_SAME_DOUBLE(expected, actual) \
    EXPECT_PRED_FORMAT2(::tervanix::testing::SameDouble, expected, actual)

// The statement ends with a LibraryError of this kind.
#define EXPECT_LIBRARY_ERROR(kind_, statement)                                                \
    do {                                                                                      \
        bool thrown_ = false;                                                                 \
        try {                                                                                 \
            statement;                                                                        \
        } catch (const ::tervanix::LibraryError& e_) {                                        \
            thrown_ = true;                                                                   \
            EXPECT_EQ(::tervanix::KindName(kind_), ::tervanix::KindName(e_.kind())) << e_.what(); \
        }                                                                                     \
        EXPECT_TRUE(thrown_) << "no LibraryError from: " #statement;                          \
    } while (0)
