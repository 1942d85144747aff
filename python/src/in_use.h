// Objects a call is using while it runs with the GIL released. Another thread may run
// Python meanwhile; any call that reaches one of these objects (as self or as an
// argument) is refused with a RuntimeError naming the object and the running call,
// instead of reading or replacing storage the running call holds. Only touched with
// the GIL held.
#pragma once

#include <string>
#include <vector>

namespace tervanix::py_binding {

namespace in_use_detail {
struct Use {
    const void* object;
    const char* method;
};
extern std::vector<Use> g_uses;  // usually empty
}  // namespace in_use_detail

// True while no call runs without the GIL using an object: the check every call
// makes first, inline, so that it costs one comparison.
inline bool NothingInUse() noexcept { return in_use_detail::g_uses.empty(); }

// Marks the objects as used by `method` for the life of this value.
class InUse {
public:
    InUse(const char* method, std::vector<const void*> objects);
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;

private:
    std::vector<const void*> objects_;
};

// A RuntimeError when `object` is in use; `what` names it ("cMatrix2"), `method` the
// call that reached it.
void RefuseIfInUse(const void* object, const char* what, const std::string& method);

}  // namespace tervanix::py_binding
