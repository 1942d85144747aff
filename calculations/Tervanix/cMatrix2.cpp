#include "Tervanix/cMatrix2.h"

#include "Tervanix/runtime/LibraryError.h"

namespace tervanix {

cMatrix2::cMatrix2() try {
    ResizeData();
} catch (...) { rt::RethrowFrom("cMatrix2.cMatrix2"); }

void cMatrix2::NumRows(const Long& i) try {
    if (i > 0) {
        rows_ = i;
        ResizeData();
    }
} catch (...) { rt::RethrowFrom("cMatrix2.NumRows"); }

void cMatrix2::NumCols(const Long& i) try {
    if (i > 0) {
        cols_ = i;
        ResizeData();
    }
} catch (...) { rt::RethrowFrom("cMatrix2.NumCols"); }

void cMatrix2::ResizeData() {
    // The old elements are let go first: no element survives a resize, the memory is
    // free for the new store, and if that cannot be had (OutOfMemory) the matrix is
    // left with no store, reading 0.0 everywhere and ignoring writes.
    data_ = DoubleArray2D();
    data_.ReDim(1, rows_, 1, cols_);
}

}  // namespace tervanix
