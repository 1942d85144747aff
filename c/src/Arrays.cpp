#include "Arrays.h"

#include <functional>
#include <string>

namespace tervanix::c {

namespace {

const char* TypeName(std::int32_t type) {
    switch (type) {
        case TVX_DOUBLE: return "TVX_DOUBLE";
        case TVX_LONG: return "TVX_LONG";
        case TVX_STRING: return "TVX_STRING";
    }
    return "an unknown type";
}

[[noreturn]] TERVANIX_COLD_NOINLINE void Bad(const char* name, const std::string& why) {
    Throw(TVX_E_BAD_DESCRIPTOR, std::string(name) + ": " + why);
}

}  // namespace

void BadExtent(const char* name, const tvx_Array& a, int d) {
    Bad(name, "dimension " + std::to_string(d + 1) + " runs from " + std::to_string(a.lower[d]) + " to " +
                  std::to_string(a.upper[d]) + ": the upper bound may be at most one below the lower");
}

void BadShape(const char* name, const tvx_Array& a, int rank, std::int32_t type) {
    if (a.rank < 1 || a.rank > 3) Bad(name, "rank " + std::to_string(a.rank) + ": an array has 1 to 3 dimensions");
    if (a.rank != rank) {
        Bad(name, std::to_string(a.rank) + " dimensions where " + std::to_string(rank) + (rank == 1 ? " is" : " are") +
                      " needed");
    }
    if (ElementSize(a.type) == 0) Bad(name, "unknown element type " + std::to_string(a.type));
    Bad(name, std::string("elements of ") + TypeName(a.type) + " where " + TypeName(type) + " are needed");
}

void BadSize(const char* name) { Bad(name, "more elements than memory can hold"); }

void BadData(const char* name, std::size_t count) {
    Bad(name, "a null data pointer with " + std::to_string(count) + " elements");
}

void BadAlignment(const char* name, const tvx_Array& a, std::size_t alignment) {
    Bad(name, std::string("data is not aligned for ") + TypeName(a.type) + " elements: its address must be a multiple of " +
                  std::to_string(alignment) + " bytes");
}

bool Overlap(const void* a, std::size_t aBytes, const void* b, std::size_t bBytes) noexcept {
    const auto* aFirst = static_cast<const char*>(a);
    const auto* bFirst = static_cast<const char*>(b);
    if (aBytes == 0 || bBytes == 0) return false;
    const std::less<const char*> before;
    return before(aFirst, bFirst + bBytes) && before(bFirst, aFirst + aBytes);
}

bool SameArray(const CheckedArray& a, const CheckedArray& b, const char* names) {
    const tvx_Array& x = a.descriptor;
    const tvx_Array& y = b.descriptor;
    bool same = x.data == y.data && x.type == y.type && x.rank == y.rank;
    for (int d = 0; same && d < x.rank; ++d) same = x.lower[d] == y.lower[d] && x.upper[d] == y.upper[d];
    if (same) return true;
    if (Overlap(x.data, a.count * ElementSize(x.type), y.data, b.count * ElementSize(y.type))) {
        Bad(names, "two different arrays in overlapping memory");
    }
    return false;
}

}  // namespace tervanix::c
