// The reference text of each class and method (from the /// comments of the public
// headers, by scripts/docs/docstrings.py), for help().
#pragma once

#include <string>

namespace tervanix::py_binding {

// The text for "Class" or "Class.Method"; empty when there is none.
const char* ReferenceText(const std::string& name);

}  // namespace tervanix::py_binding
