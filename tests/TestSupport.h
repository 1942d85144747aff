// Helpers shared by the test files: exact comparison of Doubles by bit pattern, the
// expectation that a call ends with a LibraryError of a given kind, arrays and matrices.
#pragma once

#include <cmath>
#include <cstddef>
#include <functional>
#include <iomanip>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Tervanix/cMatrix2.h>
#include <Tervanix/elementary/FloatBits.h>
#include <Tervanix/runtime/LibraryError.h>

namespace tervanix::testing {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

inline ::testing::AssertionResult SameDouble(const char* expectedText, const char* actualText,
                                             double expected, double actual) {
    if (std::isnan(expected) ? std::isnan(actual) : rt::BitsOf(expected) == rt::BitsOf(actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << std::setprecision(17) << actualText << " is " << actual
                                         << ", expected " << expectedText << " = " << expected;
}

// The elements of an array in subscript order.
template <typename A>
std::vector<typename A::value_type> Contents(const A& a) {
    return std::vector<typename A::value_type>(a.begin(), a.end());
}

// A matrix with these rows, each as long as the first.
inline std::shared_ptr<cMatrix2> MatrixOf(const std::vector<std::vector<double>>& rows) {
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(static_cast<Long>(rows.size()));
    m->NumCols(static_cast<Long>(rows[0].size()));
    for (Long r = 1; r <= m->NumRows(); ++r)
        for (Long c = 1; c <= m->NumCols(); ++c) m->PutData(r, c, rows[r - 1][c - 1]);
    return m;
}

// A row of a table of calls that each leave a text (an error's message, a False's
// reason): the row's name, the call, and the whole text, the same from every compiler.
template <typename Result>
struct TextRow {
    const char* name;
    std::function<Result()> run;
    const char* text;
};

// Each row's call ends with a LibraryError whose text is the row's, whole.
template <std::size_t N>
void ExpectErrorTexts(const TextRow<void> (&table)[N]) {
    for (const TextRow<void>& row : table) {
        try {
            row.run();
            ADD_FAILURE() << row.name << ": no error";
        } catch (const LibraryError& error) {
            EXPECT_STREQ(row.text, error.what()) << row.name;
        }
    }
}

// The value of a call, or the kind and text of the error that ended it.
struct Outcome {
    double value = 0;
    std::string error;
};

template <typename F>
Outcome OutcomeOf(F f) {
    try {
        return {f(), ""};
    } catch (const LibraryError& e) {
        return {0, std::to_string(static_cast<int>(e.kind())) + e.what()};
    }
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
#define EXPECT_LIBRARY_ERROR(kind_, statement)                                                            \
    do {                                                                                                  \
        EXPECT_THROW(                                                                                     \
            try { statement; } catch (const ::tervanix::LibraryError& e_) {                               \
                EXPECT_STREQ(::tervanix::KindName(kind_), ::tervanix::KindName(e_.kind())) << e_.what(); \
                throw;                                                                                    \
            },                                                                                            \
            ::tervanix::LibraryError);                                                                    \
    } while (0)
