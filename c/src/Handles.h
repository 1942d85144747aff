// What the opaque handles of the C interface hold.
#pragma once

#include <cstdint>
#include <memory>

#include <Tervanix/cMatrix.h>
#include <Tervanix/cMatrix2.h>

// One solver, and the size last given to it (the C++ class keeps its size to itself;
// a C caller needs it to size the buffer of Calc). MatrixSize takes the size before it
// checks it, so this is recorded before the call too.
struct tvx_cMatrix {
    tervanix::cMatrix object;
    int32_t size = 0;
};

// An object variable: a reference to a matrix, which cMatrixOps may replace.
struct tvx_cMatrix2 {
    std::shared_ptr<tervanix::cMatrix2> object;
};
