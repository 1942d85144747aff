// An array argument of CSort: a Variant referring to a C++ array. Double and Long
// elements are the caller's own (borrowed, sorted in place); strings are converted
// to the library's String, so they are copied in and the caller's tvx_String values
// written back when the call ends, however it ends.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include <Tervanix/runtime/Variant.h>

#include "Arrays.h"

namespace tervanix::c {

class VariantArg {
public:
    static constexpr int kRank = 1;
    static constexpr std::int32_t kType = kAnyElementType;

    explicit VariantArg(const CheckedArray& checked);
    VariantArg(tvx_Array* array, const char* name) : VariantArg(Check<kRank, kType>(array, name)) {}
    ~VariantArg();
    VariantArg(const VariantArg&) = delete;
    VariantArg& operator=(const VariantArg&) = delete;

    Variant& get() noexcept { return variant_; }
    const CheckedArray& checked() const noexcept { return checked_; }

private:
    void CopyInStrings();
    void CopyOutStrings() noexcept;

    const CheckedArray checked_;
    DoubleArray doubles_;
    LongArray longs_;
    StringArray strings_;
    Variant variant_;

    // A sort only exchanges elements, so each string it leaves is the content of one
    // of the caller's elements: the caller's tvx_String of that content goes back.
    // Equal contents are handed out in their original order, as the sort keeps it.
    std::vector<tvx_String> originals_;
    std::vector<std::pair<String, std::size_t>> byContent_;  // (content, original position), sorted
    std::vector<std::size_t> taken_;                         // per run of equal contents
};

}  // namespace tervanix::c
