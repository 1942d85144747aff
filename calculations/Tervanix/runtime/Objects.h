// Object creation: a new object of a library class, or OutOfMemory when there is
// no memory for it.
#pragma once

#include <memory>
#include <new>
#include <string>

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

// The object a reference refers to; a reference to no object raises MissingObject.
template <typename T>
T& Deref(const std::shared_ptr<T>& object, const char* name) {
    if (!object) Raise(ErrorKind::MissingObject, std::string(name) + " refers to no object");
    return *object;
}

}  // namespace tervanix::rt
