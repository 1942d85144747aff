// The library's matrix objects made from the row-major values of MatrixData.h.
#pragma once

#include <memory>
#include <vector>

#include <Tervanix/cMatrix2.h>

namespace benchdata {

inline std::shared_ptr<tervanix::cMatrix2> ToMatrix(const std::vector<double>& values, int rows, int cols) {
    auto m = std::make_shared<tervanix::cMatrix2>();
    m->NumRows(rows);
    m->NumCols(cols);
    for (tervanix::Long i = 1; i <= rows; ++i)
        for (tervanix::Long j = 1; j <= cols; ++j)
            m->PutData(i, j, values[static_cast<std::size_t>(i - 1) * cols + (j - 1)]);
    return m;
}

}  // namespace benchdata
