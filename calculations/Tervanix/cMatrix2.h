// cMatrix2: a rectangular matrix of Doubles addressed by row and column, both counted
// from 1. A new matrix is 1 x 1 holding 0.0. Every change of size clears every
// element; a write outside the matrix is ignored and a read outside it gives 0.0.
#pragma once

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cMatrix2 {
public:
    TERVANIX_API cMatrix2();

    // A size of 1 or more is taken, the current one too, and clears every element;
    // a size of 0 or less changes nothing.
    TERVANIX_API void NumRows(const Long& i);
    Long NumRows() const { return rows_; }
    TERVANIX_API void NumCols(const Long& i);
    Long NumCols() const { return cols_; }

    void PutData(const Long& row, const Long& col, const Double& value) {
        if (Double* element = data_.Find(row, col)) *element = value;
    }
    Double GetData(const Long& row, const Long& col) const {
        const Double* element = data_.Find(row, col);
        return element ? *element : 0.0;
    }

private:
    // The product and the inversion read and write whole rows at once (RowElements).
    friend class cMatrixOps;

    void ResizeData();
    // The elements of row `row`, one after the other, when the store holds the whole
    // matrix; null after a failed allocation left it without elements.
    const Double* RowElements(Long row) const {
        return data_.size() == 0 ? nullptr : data_.begin() + static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_);
    }
    Double* RowElements(Long row) {
        return const_cast<Double*>(static_cast<const cMatrix2&>(*this).RowElements(row));
    }

    // The store has exactly the bounds 1 to rows_ and 1 to cols_, or, after an
    // allocation failed, no bounds at all. PutData and GetData ask the store itself
    // (Find), so they never reach outside it, and inside it is inside the counts.
    Long rows_ = 1;
    Long cols_ = 1;
    DoubleArray2D data_;
};

}  // namespace tervanix
