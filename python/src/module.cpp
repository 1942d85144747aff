#include <Tervanix/Version.h>

#include "module.h"

PYBIND11_MODULE(_core, m) {
    using namespace tervanix::py_binding;
    // Every docstring given here begins with its own text signature (for inspect).
    py::options options;
    options.disable_function_signatures();
    m.doc() = "The library's classes; import them from the tervanix package.";
    m.attr("__version__") = TERVANIX_VERSION_STRING;
    BindErrors(m);
    BindReasons(m);
    BindArrays(m);
    BindUtilities(m);
    BindInterpolation(m);
    BindSort(m);
    BindMatrices(m);
    BindBatch(m);
}
