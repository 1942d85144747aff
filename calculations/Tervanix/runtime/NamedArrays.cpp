#include "Tervanix/runtime/NamedArrays.h"

#include <cstring>
#include <variant>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/Variant.h"

namespace tervanix::rt {

namespace {

bool HasBoundsRefused(const NamedArray& array, const RefusedAccess& refused) {
    if (refused.noBounds) return array.rank == 0;
    const int d = refused.dimension - 1;
    return d >= 0 && d < array.rank && array.lower[d] == refused.lower && array.upper[d] == refused.upper;
}

// The one array whose bounds the refused access reports, or nullptr when none or
// several have them.
const NamedArray* RefusingArray(const NamedArray* arrays, std::size_t count, const RefusedAccess& refused) {
    const NamedArray* found = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        if (!HasBoundsRefused(arrays[i], refused)) continue;
        if (found != nullptr) return nullptr;
        found = &arrays[i];
    }
    return found;
}

const NamedArray* Find(const NamedArray* arrays, std::size_t count, const char* name) {
    for (std::size_t i = 0; i < count; ++i) {
        if (name != nullptr && std::strcmp(arrays[i].name, name) == 0) return &arrays[i];
    }
    return nullptr;
}

// "dYArray ends at subscript 2, but dXArray runs to 3: give dYArray the bounds of
// dXArray", or the start when the subscript lies below the array.
void DescribeMismatch(MessageText<>& text, const NamedArray& array, const NamedArray& reference,
                      const RefusedAccess& refused) {
    const int d = refused.dimension - 1;
    const bool below = refused.subscript < refused.lower;
    text << array.name;
    if (array.rank > 1) text << "'s dimension " << refused.dimension;
    if (below) {
        text << " starts at subscript " << refused.lower << ", but " << reference.name << " starts at "
             << reference.lower[d];
    } else {
        text << " ends at subscript " << refused.upper << ", but " << reference.name << " runs to "
             << reference.upper[d];
    }
    text << ": give " << array.name << " the bounds of " << reference.name;
}

// An access to an empty dimension: "dXArray and dYArray are empty (bounds 1 to 0)...",
// naming every array given with those bounds, as any of them could be the one read
// first. False when no array given has them.
bool NameEmptyArrays(const NamedArray* arrays, std::size_t count, const RefusedAccess& refused,
                     MessageText<>& text) {
    std::size_t named = 0;
    int rank = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!HasBoundsRefused(arrays[i], refused)) continue;
        text << (named == 0 ? "" : " and ") << arrays[i].name;
        rank = arrays[i].rank;
        ++named;
    }
    if (named == 0) return false;
    text << (named == 1 ? " is" : " are") << " empty (bounds " << refused.lower << " to " << refused.upper;
    if (rank > 1) text << " in dimension " << refused.dimension;
    text << "), and the call reads " << (named == 1 ? "its" : "their") << " elements: give "
         << (named == 1 ? "it" : "them") << " values";
    return true;
}

// The text that names the array, or "" when the error is not an element access's or
// its array cannot be told.
void NameTheArray(const LibraryError& error, const NamedArray* arrays, std::size_t count, MessageText<>& text) {
    const RefusedAccess& refused = LastRefusedAccess();
    if (error.kind() != ErrorKind::SubscriptOutOfRange || std::strcmp(error.message(), refused.message) != 0) return;
    if (!refused.noBounds && refused.upper < refused.lower && NameEmptyArrays(arrays, count, refused, text)) return;
    const NamedArray* array = RefusingArray(arrays, count, refused);
    if (array == nullptr) return;
    if (refused.noBounds) {
        text << array->name << " has never been given bounds; make it with bounds first";
        return;
    }
    const int d = refused.dimension - 1;
    if (array->subscripts[d] != nullptr) {
        const char* subscript = array->subscripts[d];
        text << subscript << ' ' << refused.subscript << " lies outside " << refused.lower << " to " << refused.upper
             << ", the " << subscript << "s of " << array->name << ": pass a " << subscript << " from "
             << refused.lower << " to " << refused.upper;
        return;
    }
    const NamedArray* reference = Find(arrays, count, array->boundsOf);
    if (reference != nullptr && d < reference->rank && refused.subscript >= reference->lower[d] &&
        refused.subscript <= reference->upper[d]) {
        DescribeMismatch(text, *array, *reference, refused);
        return;
    }
    text << "subscript " << refused.subscript << " lies outside " << array->name << "'s bounds " << refused.lower
         << " to " << refused.upper;
    if (array->rank > 1) text << " in dimension " << refused.dimension;
}

}  // namespace

NamedArray Named(const char* name, Variant& variant, const char* boundsOf) {
    if (!variant.IsArray()) return NamedArray{name, boundsOf, -1};
    return std::visit([&](auto* array) { return Named(name, *array, boundsOf); }, ArrayOf(variant, name));
}

void RethrowNaming(const char* where, const NamedArray* arrays, std::size_t count) {
    MessageText<> text;
    try {
        throw;
    } catch (const LibraryError& error) {
        NameTheArray(error, arrays, count, text);
    } catch (...) {
    }
    const bool named = text.c_str()[0] != '\0';
    if (where == nullptr) {
        if (named) Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
        throw;
    }
    if (named) {
        try {
            Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
        } catch (...) {
            RethrowFrom(where);
        }
    }
    RethrowFrom(where);
}

}  // namespace tervanix::rt
