#include "module.h"

PYBIND11_MODULE(_core, m) {
    using namespace tervanix::py_binding;
    m.doc() = "The library's classes; import them from the tervanix package.";
    BindErrors(m);
    BindArrays(m);
    BindUtilities(m);
    BindInterpolation(m);
    BindSort(m);
    BindMatrices(m);
    BindBatch(m);
}
