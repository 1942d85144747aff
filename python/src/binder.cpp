#include "binder.h"

namespace tervanix::py_binding {

py::object ResultType(const std::string& name, const py::list& fields) {
    py::object type = py::module_::import("collections").attr("namedtuple")(name, fields);
    type.attr("__module__") = "tervanix";
    return type;
}

}  // namespace tervanix::py_binding
