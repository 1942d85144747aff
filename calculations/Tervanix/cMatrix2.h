// cMatrix2: a rectangular matrix of Doubles addressed by row and column, both counted
// from 1. A new matrix is 1 x 1 holding 0.0. Every change of size clears every
// element; a write outside the matrix is ignored and a read outside it gives 0.0.
#pragma once

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cMatrix2 {
public:
    /// A 1 x 1 matrix holding 0.0.
    ///
    /// @code
    ///   auto m = std::make_shared<cMatrix2>();
    ///   m->NumRows();         // 1
    ///   m->GetData(1, 1);     // 0
    /// @endcode
    TERVANIX_API cMatrix2();

    /// Sets the row count and clears every element to 0.0: a size of 1 or more is
    /// taken, the current one too; a size of 0 or less changes nothing.
    ///
    /// @throws LibraryError OutOfMemory when the new elements cannot be had; the
    ///         matrix then reports the new count but reads 0.0 everywhere and ignores
    ///         writes until a later size change succeeds.
    ///
    /// @code
    ///   cMatrix2 m;
    ///   m.NumRows(3);
    ///   m.NumRows(0);
    ///   m.NumRows();   // 3
    /// @endcode
    TERVANIX_API void NumRows(const Long& i);
    /// The row count.
    Long NumRows() const { return rows_; }
    /// Sets the column count and clears every element, as NumRows(i) does for rows.
    ///
    /// @throws LibraryError OutOfMemory as NumRows.
    ///
    /// @code
    ///   cMatrix2 m;
    ///   m.NumCols(4);
    ///   m.NumCols();   // 4
    /// @endcode
    TERVANIX_API void NumCols(const Long& i);
    /// The column count.
    Long NumCols() const { return cols_; }

    /// Sets the element in row `row`, column `col` (both from 1). A place outside
    /// the matrix is ignored; never raises.
    ///
    /// @code
    ///   cMatrix2 m;
    ///   m.PutData(1, 1, 2.5);
    ///   m.PutData(2, 1, 9.0);   // ignored: the matrix has one row
    ///   m.GetData(1, 1);        // 2.5
    /// @endcode
    void PutData(const Long& row, const Long& col, const Double& value) {
        if (Double* element = data_.Find(row, col)) *element = value;
    }
    /// The element in row `row`, column `col` (both from 1); 0.0 for a place outside
    /// the matrix. Never raises.
    ///
    /// @code
    ///   cMatrix2 m;
    ///   m.GetData(5, 5);   // 0
    /// @endcode
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
