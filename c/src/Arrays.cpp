#include "Arrays.h"

#include <functional>
#include <string>

namespace tervanix::c {

namespace {

std::size_t ElementSize(std::int32_t type) {
    switch (type) {
        case TVX_DOUBLE: return sizeof(double);
        case TVX_LONG: return sizeof(std::int32_t);
        case TVX_STRING: return sizeof(tvx_String);
    }
    return 0;
}

const char* TypeName(std::int32_t type) {
    switch (type) {
        case TVX_DOUBLE: return "TVX_DOUBLE";
        case TVX_LONG: return "TVX_LONG";
        case TVX_STRING: return "TVX_STRING";
    }
    return "an unknown type";
}

// The failures build their text out of line, so that the checks of a good
// descriptor stay a few instructions.
[[noreturn]] TERVANIX_COLD_NOINLINE void Bad(const char* name, const std::string& why) {
    Throw(TVX_E_BAD_DESCRIPTOR, std::string(name) + ": " + why);
}

[[noreturn]] TERVANIX_COLD_NOINLINE void BadExtent(const char* name, const tvx_Array& a, int d) {
    Bad(name, "dimension " + std::to_string(d + 1) + " runs from " + std::to_string(a.lower[d]) + " to " +
                  std::to_string(a.upper[d]) + ": the upper bound may be at most one below the lower");
}

[[noreturn]] TERVANIX_COLD_NOINLINE void BadShape(const char* name, const tvx_Array& a, int rank, std::int32_t type) {
    if (a.rank < 1 || a.rank > 3) Bad(name, "rank " + std::to_string(a.rank) + ": an array has 1 to 3 dimensions");
    if (a.rank != rank) {
        Bad(name, std::to_string(a.rank) + " dimensions where " + std::to_string(rank) + (rank == 1 ? " is" : " are") +
                      " needed");
    }
    if (ElementSize(a.type) == 0) Bad(name, "unknown element type " + std::to_string(a.type));
    Bad(name, std::string("elements of ") + TypeName(a.type) + " where " + TypeName(type) + " are needed");
}

[[noreturn]] TERVANIX_COLD_NOINLINE void BadSize(const char* name) { Bad(name, "more elements than memory can hold"); }

[[noreturn]] TERVANIX_COLD_NOINLINE void BadData(const char* name, std::size_t count) {
    Bad(name, "a null data pointer with " + std::to_string(count) + " elements");
}

std::size_t ElementCount(const tvx_Array& a, const char* name) {
    std::size_t count = 1;
    for (int d = 0; d < a.rank; ++d) {
        const std::int64_t extent = std::int64_t{a.upper[d]} - a.lower[d] + 1;
        if (extent < 0) BadExtent(name, a, d);
        if (__builtin_mul_overflow(count, static_cast<std::size_t>(extent), &count)) BadSize(name);
    }
    std::size_t bytes;
    if (__builtin_mul_overflow(count, ElementSize(a.type), &bytes)) BadSize(name);
    return count;
}

}  // namespace

std::size_t CheckArray(const tvx_Array* array, const char* name, int rank, std::int32_t type) {
    const tvx_Array& a = Ref(array, name);
    if (a.rank != rank || ElementSize(a.type) == 0 || (type != kAnyElementType && a.type != type)) {
        BadShape(name, a, rank, type);
    }
    const std::size_t count = ElementCount(a, name);
    if (count > 0 && a.data == nullptr) BadData(name, count);
    return count;
}

bool SameArray(const tvx_Array& a, const tvx_Array& b, const char* names) {
    bool same = a.data == b.data && a.type == b.type && a.rank == b.rank;
    for (int d = 0; same && d < a.rank; ++d) same = a.lower[d] == b.lower[d] && a.upper[d] == b.upper[d];
    if (same) return true;
    const auto* aFirst = static_cast<const char*>(a.data);
    const auto* bFirst = static_cast<const char*>(b.data);
    const char* aEnd = aFirst + ElementCount(a, names) * ElementSize(a.type);
    const char* bEnd = bFirst + ElementCount(b, names) * ElementSize(b.type);
    const std::less<const char*> before;
    if (before(aFirst, bEnd) && before(bFirst, aEnd)) Bad(names, "two different arrays in overlapping memory");
    return false;
}

}  // namespace tervanix::c
