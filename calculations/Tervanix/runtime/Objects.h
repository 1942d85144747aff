// Object creation: a new object of a library class, or OutOfMemory when there is
// no memory for it.
#pragma once

#include <memory>
#include <new>

#include "Tervanix/runtime/LibraryError.h"

namespace tervanix::rt {

template <typename T>
std::shared_ptr<T> New() {
    try {
        return std::make_shared<T>();
    } catch (const std::bad_alloc&) {
        Raise(ErrorKind::OutOfMemory, "no memory for a new object");
    }
}

[[noreturn]] void RaiseMissingObject(const char* name);

// The object a reference refers to; a reference to no object raises MissingObject,
// naming the argument as the caller knows it.
template <typename T>
T& Deref(const std::shared_ptr<T>& object, const char* name) {
    if (!object) RaiseMissingObject(name);
    return *object;
}

}  // namespace tervanix::rt
