// Variants to and from Python values: None (Empty), bool (Boolean), int (Long),
// float (Double), str (String); arrays become lists.
#pragma once

#include <Tervanix/runtime/Variant.h>

#include "convert.h"

namespace tervanix::py_binding {

Variant ToVariant(py::handle value, const Where& where);
py::object FromVariant(const Variant& value);

}  // namespace tervanix::py_binding
