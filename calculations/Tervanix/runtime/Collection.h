// Collection: an ordered list of values, numbered from 1 in the order they were added.
#pragma once

#include <vector>

#include "Tervanix/runtime/Types.h"
#include "Tervanix/runtime/Variant.h"

namespace tervanix {

class TERVANIX_API Collection {
public:
    Long Count() const noexcept { return static_cast<Long>(items_.size()); }
    // Item 1 is the first added; any other index raises SubscriptOutOfRange.
    Variant Item(Long index) const;
    // Appends at the end: the k-th item added is item k.
    void Add(Variant item);

private:
    std::vector<Variant> items_;
};

}  // namespace tervanix
