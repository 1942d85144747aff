// Collection: an ordered list of values, numbered from 1 in the order they were added.
#pragma once

#include <vector>

#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/Variant.h"

namespace tervanix {

/// An ordered list of Variants, numbered from 1 in the order they were added;
/// cMatrix::Calc returns its solution in one.
class TERVANIX_API Collection {
public:
    /// The number of items.
    ///
    /// @code
    ///   Collection c;
    ///   c.Add(2.5); c.Add(u"two");
    ///   c.Count();   // 2
    /// @endcode
    Long Count() const noexcept { return static_cast<Long>(items_.size()); }
    /// A copy of item `index`: item 1 is the first added.
    ///
    /// @throws LibraryError SubscriptOutOfRange for an index outside 1 to Count().
    ///
    /// @code
    ///   Collection c;
    ///   c.Add(2.5); c.Add(u"two");
    ///   c.Item(2).AsString();   // u"two"
    ///   c.Item(3);              // throws SubscriptOutOfRange
    /// @endcode
    Variant Item(Long index) const;
    /// Appends an item at the end: the k-th item added is item k.
    ///
    /// @throws LibraryError OutOfMemory when no memory is left.
    void Add(Variant item);

private:
    std::vector<Variant> items_;
};

}  // namespace tervanix
