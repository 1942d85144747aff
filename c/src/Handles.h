// What the opaque handles of the C interface hold.
#pragma once

#include <memory>

#include <Tervanix/cMatrix.h>
#include <Tervanix/cMatrix2.h>

// One solver.
struct tvx_cMatrix {
    tervanix::cMatrix object;
};

// An object variable: a reference to a matrix, which cMatrixOps may replace.
struct tvx_cMatrix2 {
    std::shared_ptr<tervanix::cMatrix2> object;
};
