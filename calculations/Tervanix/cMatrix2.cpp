#include "Tervanix/cMatrix2.h"

namespace tervanix {

cMatrix2::cMatrix2() {
    ResizeData();
}

void cMatrix2::NumRows(const Long& i) {
    if (i > 0) {
        rows_ = i;
        ResizeData();
    }
}

void cMatrix2::NumCols(const Long& i) {
    if (i > 0) {
        cols_ = i;
        ResizeData();
    }
}

void cMatrix2::ResizeData() {
    // The old elements are let go first: no element survives a resize, the memory is
    // free for the new store, and if that cannot be had (OutOfMemory) the matrix is
    // left with no store, reading 0.0 everywhere and ignoring writes.
    data_ = DoubleArray2D();
    data_.ReDim(1, rows_, 1, cols_);
}

}  // namespace tervanix
