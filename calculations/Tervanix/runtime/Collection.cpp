#include "Tervanix/runtime/Collection.h"

#include <new>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix {

Variant Collection::Item(Long index) const {
    if (index < 1 || index > Count()) {
        rt::MessageText<> text;
        text << "item " << index << " asked of a collection of " << Count() << " items";
        rt::Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
    }
    return items_[static_cast<std::size_t>(index) - 1];
}

void Collection::Add(Variant item) {
    try {
        items_.push_back(std::move(item));
    } catch (const std::bad_alloc&) {
        rt::Raise(ErrorKind::OutOfMemory, "no memory to add an item to the collection");
    }
}

}  // namespace tervanix
