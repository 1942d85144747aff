// The matrix product and the eliminations of cMatrix.Calc and MatrixInvert in tiles:
// several elements advance together, each through exactly its own operations.
//
// The product. Element (i, j) is s = b[k][j] * a[i][k] + s for k from 0 up, from
// s = 0.0, each product and sum rounded. Four rows of a and a block of columns of b
// keep their sums in registers while k runs, so each element of b read serves four
// sums; the elements' own sums run exactly as one at a time would.
//
// The eliminations, eight pivots at a time.
//
// Both eliminations run, for each pivot p in turn, over the rows r that step p
// updates (every row but p in Gauss-Jordan, the rows below p in the forward
// elimination), and for each such row whose element in column p is not 0.0:
//
//   f = (m[p][p] * -1.0) / m[r][p]
//   m[r][j] = m[p][j] + m[r][j] * f       for every column j, product and sum rounded
//
// Each element's own sequence is its steps in the order of p, each reading the pivot
// row as it stood at that step. Only the factors f tie the columns together, so once
// the factors of eight pivots are known (from a copy of their eight columns), every
// block of eight columns takes those eight steps on its own: the pivot rows first, one
// step after the other, keeping each pivot row's values as its step reads them, and
// then every other row all eight steps while its eight elements stay in registers.
// The rows take the panel one at a time across up to 64 blocks, so that each row is
// read once per panel, in order. A block that holds +0.0 in every row up to the
// panel's last pivot row stays +0.0 there (each step adds x * f to +0.0), so only
// the rows between its first and last other value take the steps: most of the
// blocks of an inverse's identity half, for most panels.
// Every element meets exactly the operations of the element-by-element loop, in the
// same order, each rounded by itself, so the values are that loop's to the bit. The
// eight columns go in two vectors of four Doubles where the processor has AVX2 (chosen
// once at run time; without fused multiply-add every lane rounds as SSE2 does) and in
// four vectors of two Doubles otherwise.
//
// Faults. The matrix must be finite on entry. A fault leaves a factor or an element
// that is not finite, and an element that is not finite stays so through every later
// step (an infinity or a NaN times a factor, plus a pivot element, is never finite
// again), so when every factor and every final element is finite no operation
// faulted. Otherwise the caller starts again from its unchanged input the step-by-step
// way, which raises the first fault where that loop raises it.
#pragma once

#include <cstddef>

#include "Tervanix/runtime/Types.h"

namespace tervanix::rt {

// A matrix in row order inside a larger store: row 0, column 0 at `elements`.
template <typename Element>
struct RowOrder {
    Element* elements;
    std::size_t stride;  // elements from one row to the next
    std::size_t cols;
};
using PanelMatrix = RowOrder<Double>;
using ReadMatrix = RowOrder<const Double>;

// Eliminates with the pivots 0 to pivots - 1 of `m` (square in its first `pivots`
// columns, `pivots` rows), updating the same rows of `extra` (cMatrix.Calc's vector,
// or {nullptr, 0, 0}) with the same factors. gaussJordan: every row but the pivot's,
// else the rows below it. True when every factor and every value is finite: then `m`
// and `extra` hold the values of the element-by-element elimination. False when the
// input was not finite (nothing written) or a step faulted (`m` and `extra` partly
// updated): the caller then eliminates step by step from its input. False too, with
// nothing written, when there is no memory for the factors.
bool EliminateInPanels(PanelMatrix m, PanelMatrix extra, std::size_t pivots, bool gaussJordan);

// out[i][j] for the rows i of a (a row of out per row of a) and the columns j of b,
// the sums on plain Doubles, not tested: the caller tests each value (a sum that is not
// finite is one whose loop faulted or met a value that was not finite).
void PlainProductRows(ReadMatrix a, std::size_t rows, ReadMatrix b, std::size_t inner, PanelMatrix out);

// Whether the run-time choice took the AVX2 tiles (for the benchmarks' labels).
bool MatrixTilesUseAvx2();

// The vectors of the tiles: the processor's choice (AVX2 where it has it, made on the
// first use), vectors of two Doubles, or AVX2. Every choice gives the same bits; the
// tests and benchmarks set one so that one machine runs both. False, with nothing
// changed, when AVX2 is asked for where the processor (or the build) has none.
enum class TileVectors { Processor, Pairs, Avx2 };
bool UseTileVectors(TileVectors vectors);

}  // namespace tervanix::rt
