// Errors that name the caller's array. An element access only knows its subscript and
// its array's bounds; the method that receives the caller's arrays knows their names.
// On the way out of a method, a SubscriptOutOfRange raised by an element access is
// rewritten to name the array it came from and the bounds that array needs.
//
// A method's handler calls one of the RethrowNaming functions in place of RethrowFrom,
// handing over its arrays by reference: they are out of line and cold, and read the
// names and bounds only when called. The method must keep its arrays at hand until
// its end for the handler; where it would not anyway, that costs instructions on the
// path that succeeds (the grid lookups, whose only such failure is an array never
// given bounds, keep the plain handler for that reason).
#pragma once

#include <cstddef>

#include "Tervanix/platform/Config.h"
#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {
class Variant;
}

namespace tervanix::rt {

// A caller's array as a message names it.
struct NamedArray {
    const char* name = "";
    const char* boundsOf = nullptr;  // the array whose bounds it must share, if any
    int rank = 0;                    // 0: never given bounds; -1: no array at all
    Long lower[3] = {};
    Long upper[3] = {};
    // For an array of the object's own, filled at subscripts the caller passes: the
    // name of each subscript (nullptr: the array itself is named).
    const char* subscripts[3] = {};
};

template <typename T, int Rank>
NamedArray Named(const char* name, const BasicArray<T, Rank>& array, const char* boundsOf = nullptr) {
    NamedArray named{name, boundsOf};
    if (!array.HasBounds()) return named;
    named.rank = Rank;
    for (int d = 0; d < Rank; ++d) {
        named.lower[d] = array.LBound(d + 1);
        named.upper[d] = array.UBound(d + 1);
    }
    return named;
}

// The array a Variant holds or refers to.
NamedArray Named(const char* name, Variant& variant, const char* boundsOf = nullptr);

// RethrowFrom(where), after rewriting an element access's SubscriptOutOfRange to name
// the one array among the `count` given whose bounds it reports. When none or several
// of them have those bounds, the text stays as it was. A private step whose method's
// own handler names the method passes nullptr: the error goes on without a where-part.
[[noreturn]] void RethrowNaming(const char* where, const NamedArray* arrays, std::size_t count);

inline void Collect(NamedArray*) {}

template <typename A, typename... Rest>
void Collect(NamedArray* list, const char* name, A& array, Rest&&... rest) {
    *list = Named(name, array);
    Collect(list + 1, rest...);
}

// Names each array: RethrowNamingArrays(where, "XValues", XValues, "YValues", YValues).
template <typename... NamesAndArrays>
[[noreturn]] TERVANIX_COLD_NOINLINE void RethrowNamingArrays(const char* where, NamesAndArrays&&... parts) {
    NamedArray list[sizeof...(parts) / 2];
    Collect(list, parts...);
    RethrowNaming(where, list, sizeof...(parts) / 2);
}

// Names two arrays of which the first must have the bounds of the second, such as a
// table's Y values and its X values.
template <typename A, typename B>
[[noreturn]] TERVANIX_COLD_NOINLINE void RethrowNamingPair(const char* where, const char* name, A& array,
                                                           const char* referenceName, B& reference) {
    const NamedArray list[] = {Named(referenceName, reference), Named(name, array, referenceName)};
    RethrowNaming(where, list, 2);
}

// Names the subscripts the caller passed to read an array of the object's own:
// RethrowNamingSubscripts(where, "the system MatrixSize set", A, "row", "col").
template <typename T, int Rank, typename... Names>
[[noreturn]] TERVANIX_COLD_NOINLINE void RethrowNamingSubscripts(const char* where, const char* name,
                                                                 const BasicArray<T, Rank>& array,
                                                                 Names... subscripts) {
    static_assert(sizeof...(Names) == Rank, "one name per subscript");
    NamedArray named = Named(name, array);
    const char* const names[] = {subscripts...};
    for (int d = 0; d < Rank; ++d) named.subscripts[d] = names[d];
    RethrowNaming(where, &named, 1);
}

}  // namespace tervanix::rt
