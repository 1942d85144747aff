#include "in_use.h"

#include <pybind11/pybind11.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tervanix::py_binding {

namespace in_use_detail {
std::vector<Use> g_uses;
}  // namespace in_use_detail

using in_use_detail::g_uses;
using in_use_detail::Use;

InUse::InUse(const char* method, std::vector<const void*> objects) : objects_(std::move(objects)) {
    for (const void* object : objects_) {
        if (object) g_uses.push_back({object, method});
    }
}

InUse::~InUse() {
    for (const void* object : objects_) {
        const auto use = std::find_if(g_uses.begin(), g_uses.end(), [&](const Use& u) { return u.object == object; });
        if (use != g_uses.end()) g_uses.erase(use);
    }
}

void RefuseIfInUse(const void* object, const char* what, const std::string& method) {
    if (NothingInUse()) return;
    for (const Use& use : g_uses) {
        if (use.object == object) {
            throw std::runtime_error(method + ": this " + what + " object is in use by " + use.method +
                                     ", running in another thread; call it again once that call has returned");
        }
    }
}

}  // namespace tervanix::py_binding
