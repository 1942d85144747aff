#include "Tervanix/runtime/MatrixTiles.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "Tervanix/elementary/Dispatch.h"
#include "Tervanix/platform/Config.h"

namespace tervanix::rt {

namespace {

constexpr std::size_t kPanel = 8;  // pivots whose steps a block takes together
constexpr std::size_t kBlock = 8;  // columns that take a panel's steps together in registers
// Blocks that take a panel a row at a time: their pivot values (32 KB) stay in the
// first-level cache while the rows stream through.
constexpr std::size_t kChunkBlocks = 64;
constexpr std::size_t kBlockPivots = kPanel * kBlock;  // a block's kept pivot values

// The loops over a tile's vectors and steps are unrolled, so that the tile stays in
// registers (GCC does not unroll them by itself for the narrower vectors).
#if defined(__GNUC__)
#define TERVANIX_UNROLLED _Pragma("GCC unroll 16")
#else
#define TERVANIX_UNROLLED
#endif

// The factors of one panel: row r is updated at the panel's step s when bit s of
// masks[r] is set, with the factor factors[r * kPanel + s].
struct Panel {
    std::size_t first;  // the pivot of step 0
    std::size_t steps;  // 1 to kPanel
    const Double* factors;
    const std::uint8_t* masks;
    std::size_t firstRow;  // rows before it take no step of the panel
    std::size_t rows;
};

// The rows [from, to) of a block of columns outside which every element is +0.0.
struct RowSpan {
    std::size_t from;
    std::size_t to;
};

// A block whose span starts after the panel's last pivot row holds +0.0 in every
// pivot row so far. Each of the panel's steps then computes +0.0 + x * f for every
// element x of the block: x * f is +-0.0 for x = +0.0 and f finite, and +0.0 + +-0.0
// is +0.0, so the pivot rows and every row outside the span keep +0.0 and only the
// span's rows need their steps. The span never grows, so it holds for every later
// panel. (The right half of MatrixInvert's working matrix starts as the identity:
// most of its blocks are quiet for most panels.)
bool Quiet(const RowSpan& span, const Panel& panel) { return span.from >= panel.first + panel.steps; }

bool AllFinite(const PanelMatrix& m, std::size_t rows) {
    bool finite = true;
    for (std::size_t r = 0; r < rows; ++r) {
        const Double* const row = m.elements + r * m.stride;
        for (std::size_t c = 0; c < m.cols; ++c) finite &= std::fabs(row[c]) <= std::numeric_limits<Double>::max();
    }
    return finite;
}

// The span of each whole block of kBlock columns of the first `rows` rows; an empty
// span starts at `rows`.
void FindRowSpans(const PanelMatrix& m, std::size_t rows, RowSpan* spans) {
    for (std::size_t b = 0; b < m.cols / kBlock; ++b) {
        RowSpan span{rows, rows};
        for (std::size_t r = 0; r < rows; ++r) {
            const Double* const block = m.elements + r * m.stride + b * kBlock;
            bool plusZero = true;
            for (std::size_t c = 0; c < kBlock; ++c) {
                std::uint64_t bits;
                std::memcpy(&bits, block + c, sizeof bits);
                plusZero &= bits == 0;
            }
            if (plusZero) continue;
            if (span.from == rows) span.from = r;
            span.to = r + 1;
        }
        spans[b] = span;
    }
}

// The panel's factors and masks, from a copy of its columns that takes the panel's
// steps one after the other exactly as the matrix would. False when a factor is not
// finite (its division faulted, or a value before it did).
bool PanelFactors(const PanelMatrix& m, bool gaussJordan, Double* copy, Double* factors, std::uint8_t* masks,
                  const Panel& panel) {
    const std::size_t n = panel.steps;
    for (std::size_t r = panel.firstRow; r < panel.rows; ++r) {
        std::memcpy(copy + r * kPanel, m.elements + r * m.stride + panel.first, n * sizeof(Double));
        masks[r] = 0;
    }
    for (std::size_t s = 0; s < n; ++s) {
        const std::size_t p = panel.first + s;
        const Double* const pivot = copy + p * kPanel;
        for (std::size_t r = panel.firstRow; r < panel.rows; ++r) {
            if (r == p || (!gaussJordan && r < p)) continue;
            Double* const row = copy + r * kPanel;
            const Double w = row[s];
            if (w == 0.0) continue;
            const Double f = (pivot[s] * -1.0) / w;
            if (!(std::fabs(f) <= std::numeric_limits<Double>::max())) return false;
            factors[r * kPanel + s] = f;
            masks[r] = static_cast<std::uint8_t>(masks[r] | (1u << s));
            for (std::size_t c = 0; c < n; ++c) row[c] = pivot[c] + row[c] * f;
        }
    }
    return true;
}

TERVANIX_ALWAYS_INLINE inline void Splat(Double& v, Double f) { v = f; }
template <typename V>
TERVANIX_ALWAYS_INLINE inline void Splat(V& v, Double f) {
    v = V{};
    for (std::size_t i = 0; i < sizeof(V) / sizeof(Double); ++i) v[i] = f;
}

template <typename V>
TERVANIX_ALWAYS_INLINE inline void Load(V& v, const Double* from) {
    std::memcpy(&v, from, sizeof v);
}

template <typename V>
TERVANIX_ALWAYS_INLINE inline void Store(Double* to, const V& v) {
    std::memcpy(to, &v, sizeof v);
}

// The pivot rows of the panel in the kVectors vectors of columns from column j, step
// after step, each step reading its pivot row as it stands then: those values go to
// `pivot` (a row of kBlock Doubles per step) and the rows' final values to the matrix.
template <typename V, std::size_t kVectors>
TERVANIX_ALWAYS_INLINE inline void PivotRowsThroughPanel(const PanelMatrix& m, std::size_t j, const Panel& panel,
                                                         Double* pivot) {
    constexpr std::size_t kLanes = sizeof(V) / sizeof(Double);
    const std::size_t n = panel.steps, first = panel.first, stride = m.stride;
    Double* const base = m.elements + j;
    V own[kPanel][kVectors];
    for (std::size_t u = 0; u < n; ++u) {
        for (std::size_t k = 0; k < kVectors; ++k) Load(own[u][k], base + (first + u) * stride + k * kLanes);
    }
    for (std::size_t s = 0; s < n; ++s) {
        for (std::size_t k = 0; k < kVectors; ++k) Store(pivot + s * kBlock + k * kLanes, own[s][k]);
        for (std::size_t u = 0; u < n; ++u) {
            const std::size_t r = first + u;
            if (!((panel.masks[r] >> s) & 1u)) continue;
            V f;
            Splat(f, panel.factors[r * kPanel + s]);
            for (std::size_t k = 0; k < kVectors; ++k) own[u][k] = own[s][k] + own[u][k] * f;
        }
    }
    for (std::size_t u = 0; u < n; ++u) {
        for (std::size_t k = 0; k < kVectors; ++k) Store(base + (first + u) * stride + k * kLanes, own[u][k]);
    }
}

// `blocks` blocks of kVectors vectors from column j through the panel, for the rows
// of `span`: first the pivot rows (PivotRowsThroughPanel; all +0.0 in a quiet block),
// then every other row of the span a row at a time, its factors in registers and
// each block's elements in registers through all the steps. Each element:
// x = pivot + x * f, product and sum rounded. `pivots` holds kChunkBlocks blocks, or,
// for a quiet block, is a block of +0.0 that the pivot rows are not taken into.
template <typename V, std::size_t kVectors>
TERVANIX_ALWAYS_INLINE inline void ChunkThroughPanel(const PanelMatrix& m, std::size_t j, std::size_t blocks,
                                                     const Panel& panel, RowSpan span, bool quiet, Double* pivots) {
    constexpr std::size_t kLanes = sizeof(V) / sizeof(Double);
    constexpr std::size_t kWidth = kVectors * kLanes;
    const std::size_t n = panel.steps, first = panel.first;
    for (std::size_t b = 0; !quiet && b < blocks; ++b) {
        PivotRowsThroughPanel<V, kVectors>(m, j + b * kWidth, panel, pivots + b * kBlockPivots);
    }
    for (std::size_t r = std::max(span.from, panel.firstRow), end = std::min(span.to, panel.rows); r < end; ++r) {
        const unsigned mask = panel.masks[r];
        if (mask == 0 || r - first < n) continue;  // no step, or a row of the panel
        Double* const row = m.elements + r * m.stride + j;
        const Double* const factors = panel.factors + r * kPanel;
        if (mask == 0xFFu) {
            V f[kPanel];
            TERVANIX_UNROLLED
            for (std::size_t s = 0; s < kPanel; ++s) Splat(f[s], factors[s]);
            for (std::size_t b = 0; b < blocks; ++b) {
                const Double* const pivot = pivots + b * kBlockPivots;
                V x[kVectors];
                TERVANIX_UNROLLED
                for (std::size_t k = 0; k < kVectors; ++k) Load(x[k], row + b * kWidth + k * kLanes);
                TERVANIX_UNROLLED
                for (std::size_t s = 0; s < kPanel; ++s) {
                    TERVANIX_UNROLLED
                    for (std::size_t k = 0; k < kVectors; ++k) {
                        V p;
                        Load(p, pivot + s * kBlock + k * kLanes);
                        x[k] = p + x[k] * f[s];
                    }
                }
                TERVANIX_UNROLLED
                for (std::size_t k = 0; k < kVectors; ++k) Store(row + b * kWidth + k * kLanes, x[k]);
            }
            continue;
        }
        for (std::size_t b = 0; b < blocks; ++b) {
            const Double* const pivot = pivots + b * kBlockPivots;
            V x[kVectors];
            for (std::size_t k = 0; k < kVectors; ++k) Load(x[k], row + b * kWidth + k * kLanes);
            for (std::size_t s = 0; s < n; ++s) {
                if (!((mask >> s) & 1u)) continue;
                V f;
                Splat(f, factors[s]);
                for (std::size_t k = 0; k < kVectors; ++k) {
                    V p;
                    Load(p, pivot + s * kBlock + k * kLanes);
                    x[k] = p + x[k] * f;
                }
            }
            for (std::size_t k = 0; k < kVectors; ++k) Store(row + b * kWidth + k * kLanes, x[k]);
        }
    }
}

// Every whole block of kBlock columns through the panel, in windows of kChunkBlocks
// blocks: each quiet block by itself for its span's rows, the others in runs.
// `pivots` holds kChunkBlocks blocks and then one of +0.0. Gives the columns done.
template <typename V, std::size_t kVectors>
TERVANIX_ALWAYS_INLINE inline std::size_t BlocksThroughPanel(const PanelMatrix& m, const Panel& panel,
                                                             const RowSpan* spans, Double* pivots) {
    static_assert(kVectors * sizeof(V) == kBlock * sizeof(Double), "a block is kVectors vectors");
    const std::size_t blocks = m.cols / kBlock;
    const RowSpan allRows{0, panel.rows};
    Double* const quietPivots = pivots + kChunkBlocks * kBlockPivots;
    for (std::size_t window = 0; window < blocks; window += kChunkBlocks) {
        const std::size_t end = std::min(blocks, window + kChunkBlocks);
        for (std::size_t b = window; b < end;) {
            if (Quiet(spans[b], panel)) {
                ChunkThroughPanel<V, kVectors>(m, b * kBlock, 1, panel, spans[b], /*quiet=*/true, quietPivots);
                ++b;
                continue;
            }
            std::size_t run = 1;
            while (b + run < end && !Quiet(spans[b + run], panel)) ++run;
            ChunkThroughPanel<V, kVectors>(m, b * kBlock, run, panel, allRows, /*quiet=*/false, pivots);
            b += run;
        }
    }
    return blocks * kBlock;
}

// A column through the panel, one Double at a time (the columns after the last whole
// block, and cMatrix.Calc's vector).
void ColumnThroughPanel(const PanelMatrix& m, std::size_t j, const Panel& panel, Double* pivots) {
    ChunkThroughPanel<Double, 1>(m, j, 1, panel, {0, panel.rows}, /*quiet=*/false, pivots);
}

// The product's tile: the sums of four rows of a (rowsA; a row repeated where there
// are fewer) with the kVectors vectors of columns of b from column j, kept in
// registers while k runs, each sum from +0.0 as one at a time would start.
template <typename V, std::size_t kVectors>
TERVANIX_ALWAYS_INLINE inline void ProductTile(const Double* const* rowsA, const ReadMatrix& b, std::size_t inner,
                                               std::size_t j, Double* const* rowsOut) {
    constexpr std::size_t kLanes = sizeof(V) / sizeof(Double);
    V sum[4][kVectors];
    for (auto& row : sum) {
        for (V& v : row) Splat(v, 0.0);
    }
    for (std::size_t k = 0; k < inner; ++k) {
        V column[kVectors];
        TERVANIX_UNROLLED
        for (std::size_t v = 0; v < kVectors; ++v) Load(column[v], b.elements + k * b.stride + j + v * kLanes);
        TERVANIX_UNROLLED
        for (std::size_t r = 0; r < 4; ++r) {
            V f;
            Splat(f, rowsA[r][k]);
            TERVANIX_UNROLLED
            for (std::size_t v = 0; v < kVectors; ++v) sum[r][v] = column[v] * f + sum[r][v];
        }
    }
    for (std::size_t r = 0; r < 4; ++r) {
        for (std::size_t v = 0; v < kVectors; ++v) Store(rowsOut[r] + j + v * kLanes, sum[r][v]);
    }
}

template <typename V, std::size_t kVectors>
TERVANIX_ALWAYS_INLINE inline void ProductRowsIn(const ReadMatrix& a, std::size_t rows, const ReadMatrix& b,
                                                 std::size_t inner, const PanelMatrix& out) {
    constexpr std::size_t kWidth = kVectors * (sizeof(V) / sizeof(Double));
    for (std::size_t i = 0; i < rows; i += 4) {
        const Double* rowsA[4];
        Double* rowsOut[4];
        for (std::size_t r = 0; r < 4; ++r) {
            const std::size_t at = std::min(i + r, rows - 1);
            rowsA[r] = a.elements + at * a.stride;
            rowsOut[r] = out.elements + at * out.stride;
        }
        std::size_t j = 0;
        for (; j + kWidth <= b.cols; j += kWidth) ProductTile<V, kVectors>(rowsA, b, inner, j, rowsOut);
        for (; j < b.cols; ++j) ProductTile<Double, 1>(rowsA, b, inner, j, rowsOut);
    }
}

// The tiles for one kind of vector: every whole block of four columns through a panel
// (giving the columns done), and the product.
struct Tiles {
    std::size_t (*columns)(const PanelMatrix&, const Panel&, const RowSpan*, Double*);
    void (*product)(const ReadMatrix&, std::size_t, const ReadMatrix&, std::size_t, const PanelMatrix&);
};

#if defined(__GNUC__)
typedef Double Pair __attribute__((vector_size(2 * sizeof(Double))));
#else
typedef Double Pair;  // one Double a lane: the same operations, one element at a time
#endif
constexpr std::size_t kPairsInFour = 4 / (sizeof(Pair) / sizeof(Double));

std::size_t ColumnsInPairs(const PanelMatrix& m, const Panel& panel, const RowSpan* spans, Double* pivots) {
    return BlocksThroughPanel<Pair, 2 * kPairsInFour>(m, panel, spans, pivots);
}

void ProductInPairs(const ReadMatrix& a, std::size_t rows, const ReadMatrix& b, std::size_t inner,
                    const PanelMatrix& out) {
    ProductRowsIn<Pair, kPairsInFour>(a, rows, b, inner, out);
}

constexpr Tiles kPairs{ColumnsInPairs, ProductInPairs};

#if TERVANIX_FUSED_DISPATCH
typedef Double Quad __attribute__((vector_size(4 * sizeof(Double))));

// AVX2 without fused multiply-add: each lane rounds its product and its sum, as SSE2.
[[gnu::target("avx2")]] std::size_t ColumnsInQuads(const PanelMatrix& m, const Panel& panel, const RowSpan* spans,
                                                   Double* pivots) {
    return BlocksThroughPanel<Quad, 2>(m, panel, spans, pivots);
}

[[gnu::target("avx2")]] void ProductInQuads(const ReadMatrix& a, std::size_t rows, const ReadMatrix& b,
                                            std::size_t inner, const PanelMatrix& out) {
    ProductRowsIn<Quad, 2>(a, rows, b, inner, out);
}

constexpr Tiles kQuads{ColumnsInQuads, ProductInQuads};

const Tiles* ProcessorTiles() { return __builtin_cpu_supports("avx2") ? &kQuads : &kPairs; }
const Tiles* Avx2Tiles() { return __builtin_cpu_supports("avx2") ? &kQuads : nullptr; }
#else
const Tiles* ProcessorTiles() { return &kPairs; }
const Tiles* Avx2Tiles() { return nullptr; }
#endif

// The processor's choice, made on the first use; UseTileVectors may change it. Relaxed
// order suffices: every choice gives the same bits.
std::atomic<const Tiles*> chosenTiles{nullptr};

const Tiles& ChosenTiles() {
    const Tiles* tiles = chosenTiles.load(std::memory_order_relaxed);
    if (TERVANIX_UNLIKELY(tiles == nullptr)) {
        tiles = ProcessorTiles();
        chosenTiles.store(tiles, std::memory_order_relaxed);
    }
    return *tiles;
}

}  // namespace

bool MatrixTilesUseAvx2() { return &ChosenTiles() != &kPairs; }

bool UseTileVectors(TileVectors vectors) {
    const Tiles* tiles = vectors == TileVectors::Pairs   ? &kPairs
                         : vectors == TileVectors::Avx2 ? Avx2Tiles()
                                                        : ProcessorTiles();
    if (tiles == nullptr) return false;
    chosenTiles.store(tiles, std::memory_order_relaxed);
    return true;
}

void PlainProductRows(ReadMatrix a, std::size_t rows, ReadMatrix b, std::size_t inner, PanelMatrix out) {
    ChosenTiles().product(a, rows, b, inner, out);  // no rows: no tile
}

bool EliminateInPanels(PanelMatrix m, PanelMatrix extra, std::size_t pivots, bool gaussJordan) {
    if (!AllFinite(m, pivots) || !AllFinite(extra, pivots)) return false;
    std::vector<Double> copy, factors, pivotValues;
    std::vector<std::uint8_t> masks;
    std::vector<RowSpan> spans;
    try {
        copy.resize(pivots * kPanel);
        factors.resize(pivots * kPanel);
        masks.resize(pivots);
        // kChunkBlocks blocks of pivot values, then a quiet block's, +0.0 throughout
        pivotValues.resize((kChunkBlocks + 1) * kBlockPivots, 0.0);
        spans.resize(m.cols / kBlock);
    } catch (const std::bad_alloc&) {
        // No memory for the factors (tests/allocation); differential: unreachable
        return false;  // the row-at-a-time way needs no more than it had
    }
    FindRowSpans(m, pivots, spans.data());
    const auto columns = ChosenTiles().columns;
    for (std::size_t first = 0; first < pivots; first += kPanel) {
        const Panel panel{first,          std::min(kPanel, pivots - first), factors.data(), masks.data(),
                          gaussJordan ? 0 : first, pivots};
        if (!PanelFactors(m, gaussJordan, copy.data(), factors.data(), masks.data(), panel)) return false;
        for (std::size_t j = columns(m, panel, spans.data(), pivotValues.data()); j < m.cols; ++j) {
            ColumnThroughPanel(m, j, panel, pivotValues.data());
        }
        for (std::size_t j = 0; j < extra.cols; ++j) ColumnThroughPanel(extra, j, panel, pivotValues.data());
    }
    return AllFinite(m, pivots) && AllFinite(extra, pivots);
}

}  // namespace tervanix::rt
