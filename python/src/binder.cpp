#include "binder.h"

#include <cstring>

namespace tervanix::py_binding {

PyTypeObject* ResultType(const char* name, const std::vector<const char*>& fields) {
    // The type lives as long as the module; its descriptions must too.
    auto* described = new PyStructSequence_Field[fields.size() + 1]();
    for (std::size_t i = 0; i < fields.size(); ++i) described[i] = {fields[i], nullptr};
    const std::string qualified = std::string("tervanix.") + name;
    auto* desc = new PyStructSequence_Desc{strdup(qualified.c_str()), nullptr, described, static_cast<int>(fields.size())};
    PyTypeObject* type = PyStructSequence_NewType(desc);
    if (!type) throw py::error_already_set();
    return type;
}

}  // namespace tervanix::py_binding
