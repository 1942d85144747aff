// A table's rows stored by columns, built at compile time.
//
// Column c holds value c of every row, in the order that a row's list of values
// gives them, so that row i's values lie 8 i bytes into each column: an address
// computed from i itself. Rows of 24 or 32 bytes need i multiplied and added to the
// table's base first, two steps at the head of a function's longest chain of
// dependent steps, which every later step waits for.
#pragma once

#include <array>
#include <cstddef>

namespace tervanix::rt {

template <std::size_t kColumns, std::size_t kRowCount>
using Columns = std::array<std::array<double, kRowCount>, kColumns>;

// The columns of `rows`, from `values`, which lists a row's kColumns values.
template <std::size_t kColumns, typename Row, std::size_t kRowCount, typename Values>
constexpr Columns<kColumns, kRowCount> ByColumns(const Row (&rows)[kRowCount], Values values) {
    Columns<kColumns, kRowCount> columns{};
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const std::array<double, kColumns> row = values(rows[i]);
        for (std::size_t c = 0; c < kColumns; ++c) columns[c][i] = row[c];
    }
    return columns;
}

}  // namespace tervanix::rt
