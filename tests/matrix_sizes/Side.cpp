// One side of the large-matrix check (main.cpp): the products, inverses and solved
// systems of sizes that cross the tiles' edges (eight pivots to a panel, eight columns
// to a block, four rows to a product tile), with zeros, faults and values that are not
// finite, and faults placed where the tiles would meet them out of order (RunPlaced);
// each result written as its bits or its error. Compiled once against the
// normal library and once against the reference library (namespace renamed).
#include <Tervanix/cMatrix.h>
#include <Tervanix/cMatrix2.h>
#include <Tervanix/cMatrixOps.h>
#include <Tervanix/runtime/Collection.h>
#include <Tervanix/runtime/LibraryError.h>
#include <Tervanix/runtime/Variant.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace {

using namespace tervanix;

struct Generator {
    std::uint64_t state;
    std::uint64_t Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return state >> 11;
    }
    double Unit() { return static_cast<double>(Next()) * 0x1p-53; }
    unsigned Pick(unsigned n) { return static_cast<unsigned>(Next() % n); }
};

void Bits(std::string& log, double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    if (std::isnan(v)) b = 1;
    log += std::to_string(b);
    log += ' ';
}

// A kind of matrix: dense, with zeros (masks that skip rows), with a huge element
// that makes a later step overflow, with an infinity or a NaN, with elements of any
// size, with whole numbers and zeros, or lower triangular (its inverse keeps zeros,
// whose signs show whether the steps that should leave them alone did).
double Element(Generator& g, unsigned kind, Long i, Long j, Long n) {
    double v = 2.0 * g.Unit() - 1.0;
    switch (kind) {
        case 1: return g.Pick(3) == 0 ? 0.0 : v;
        case 2: return (i == n && j == n) ? 1e300 : v * (i == 1 ? 1e-300 : 1.0);
        case 3: return (i == n / 2 + 1 && j == 1) ? std::numeric_limits<double>::infinity() : v;
        case 4: return (i == n && j == 2) ? std::numeric_limits<double>::quiet_NaN() : v;
        case 5: return v * std::ldexp(1.0, static_cast<int>(g.Pick(1400)) - 700);
        case 6: return g.Pick(2) == 0 ? 0.0 : std::round(8.0 * v);
        case 7: return j > i ? 0.0 : v;
        default: return v;
    }
}

std::shared_ptr<cMatrix2> Random(Generator& g, unsigned kind, Long rows, Long cols) {
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(rows);
    m->NumCols(cols);
    for (Long i = 1; i <= rows; ++i) {
        for (Long j = 1; j <= cols; ++j) m->PutData(i, j, Element(g, kind, i, j, rows));
    }
    return m;
}

void Write(std::string& log, const std::shared_ptr<cMatrix2>& m) {
    if (!m) {
        log += "none ";
        return;
    }
    log += std::to_string(m->NumRows()) + "x" + std::to_string(m->NumCols()) + ": ";
    for (Long i = 1; i <= m->NumRows(); ++i) {
        for (Long j = 1; j <= m->NumCols(); ++j) Bits(log, m->GetData(i, j));
    }
}

template <typename Call>
void Run(std::string& log, Call call) {
    try {
        log += call() ? "True " : "False ";
    } catch (const LibraryError& e) {
        log += std::string("error ") + e.what() + ' ';
    }
}

// Systems of 12 (two panels, a block and a half of columns) with two faults placed
// where the tiles and the documented order meet them in opposite orders: the tiles
// take the factors of a panel first, then each block of eight columns through every
// row, so they meet the fault of a later row in an early column (or its factor)
// before that of an earlier row in a later column; the documented order meets row 2
// first, and in row 2 cMatrix.Calc forms every product before any sum while
// MatrixInvert forms each element's product and sum in turn. Each outcome is written
// with the error's whole text, which names the operation and its operands.
std::shared_ptr<cMatrix2> Placed(unsigned layout) {
    constexpr Long n = 12;
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(n);
    m->NumCols(n);
    Generator g{layout + 101ull};
    for (Long i = 1; i <= n; ++i) {
        for (Long j = 1; j <= n; ++j) {
            // Column 1 holds 0 below row 2 except in the last row, so that the screening
            // of proportional rows (ratios from column 1) stays finite.
            const double v = 1.0 + g.Unit();
            m->PutData(i, j, j == 1 && i > 2 ? 0.0 : (i == j ? 4.0 + v : v));
        }
    }
    m->PutData(2, 1, 1e-10);  // f = -W(1, 1) / 1e-10, about -5.5e10, for row 2 at the first pivot
    switch (layout) {
        case 0:  // row 2: a product overflows in column 11, a sum in column 3
            m->PutData(2, 11, 1e300);
            m->PutData(2, 3, 1.5e297);  // times f about -9e307
            m->PutData(1, 3, -1.7e308);
            break;
        case 1:  // row 2: a product overflows in column 9 only
            m->PutData(2, 9, -1e300);
            break;
        default:  // row 2: a sum overflows in column 10 only
            m->PutData(2, 10, 1.5e297);
            m->PutData(1, 10, -1.7e308);
            break;
    }
    // The last row: its factor overflows (layout 1), or a product in column 2 (else).
    m->PutData(n, 1, layout == 1 ? 1e-310 : 1e-12);
    if (layout != 1) m->PutData(n, 2, 1e299);
    return m;
}

void RunPlaced(std::string& log) {
    cMatrixOps ops;
    for (unsigned layout = 0; layout < 3; ++layout) {
        const auto a = Placed(layout);
        const Long n = a->NumRows();
        log += "\nplaced " + std::to_string(layout) + ": ";
        std::shared_ptr<cMatrix2> out;
        Run(log, [&] { return ops.MatrixInvert(a, out); });
        Write(log, out);
        cMatrix system;
        system.MatrixSize(n);
        for (Long i = 1; i <= n; ++i) {
            system.AddToVector(i, 1.0);
            for (Long j = 1; j <= n; ++j) system.AddToMatrix(i, j, a->GetData(i, j));
        }
        std::shared_ptr<Collection> x;
        Run(log, [&] { return system.Calc(x); });
        log += x ? std::to_string(x->Count()) + " items" : "none";
        // The product: row 1 of the left matrix overflows in its last column of the
        // result, row 5 in its first, inside one tile of four rows.
        auto left = std::make_shared<cMatrix2>(), right = std::make_shared<cMatrix2>();
        left->NumRows(8);
        left->NumCols(3);
        right->NumRows(3);
        right->NumCols(11);
        for (Long i = 1; i <= 8; ++i) {
            for (Long k = 1; k <= 3; ++k) left->PutData(i, k, 1.0 + 0.25 * static_cast<double>(i + k));
        }
        for (Long k = 1; k <= 3; ++k) {
            for (Long j = 1; j <= 11; ++j) right->PutData(k, j, 0.5 * static_cast<double>(j) - static_cast<double>(k));
        }
        left->PutData(1, 2, 1e300);
        right->PutData(2, 11, 1e10 * static_cast<double>(layout + 1));
        left->PutData(layout == 2 ? 2 : 4, 3, -1e305);
        right->PutData(3, 1, 1e5);
        std::shared_ptr<cMatrix2> product;
        Run(log, [&] { return ops.MatrixMult(left, right, product); });
        Write(log, product);
    }
}

// An inverse wide enough that its working matrix (N rows, 2N columns) has more blocks
// of eight columns than the tiles take in one window, so that runs of blocks end at a
// window's edge. Each element of the inverse is written.
void RunWide(std::string& log) {
    constexpr Long n = 270;
    Generator g{2026};
    const auto a = Random(g, 0, n, n);
    std::shared_ptr<cMatrix2> out;
    log += "\nwide: ";
    Run(log, [&] { return cMatrixOps().MatrixInvert(a, out); });
    Write(log, out);
}

}  // namespace

#define SIDE_NAME2(a, b) a##b
#define SIDE_NAME(a, b) SIDE_NAME2(a, b)

std::string SIDE_NAME(RunSide, SIDE)(unsigned seed) {
    std::string log;
    Generator g{seed * 7919ull + 17};
    cMatrixOps ops;
    if (seed == 0) {
        RunPlaced(log);
        RunWide(log);
    }
    const Long sizes[] = {1, 3, 4, 5, 7, 8, 9, 12, 15, 16, 17, 23, 24, 25, 33, 40};
    for (const Long n : sizes) {
        for (unsigned kind = 0; kind < 8; ++kind) {
            log += "\nn " + std::to_string(n) + " kind " + std::to_string(kind) + ": ";
            const auto a = Random(g, kind, n, n);
            std::shared_ptr<cMatrix2> out;
            Run(log, [&] { return ops.MatrixInvert(a, out); });
            Write(log, out);
            const Long cols = 1 + static_cast<Long>(g.Pick(static_cast<unsigned>(n) + 9));
            const auto b = Random(g, kind, n, cols);
            std::shared_ptr<cMatrix2> product;
            Run(log, [&] { return ops.MatrixMult(a, b, product); });
            Write(log, product);
            const auto v = Random(g, kind == 2 ? 0 : kind, n, 1);
            std::shared_ptr<cMatrix2> solution;
            Run(log, [&] { return ops.SimultEqns(a, v, solution); });
            Write(log, solution);
            cMatrix system;
            system.MatrixSize(n);
            for (Long i = 1; i <= n; ++i) {
                system.AddToVector(i, v->GetData(i, 1));
                for (Long j = 1; j <= n; ++j) system.AddToMatrix(i, j, a->GetData(i, j));
            }
            std::shared_ptr<Collection> x;
            Run(log, [&] { return system.Calc(x); });
            if (x) {
                for (Long k = 1; k <= x->Count(); ++k) Bits(log, x->Item(k).AsDouble());
            }
        }
    }
    return log;
}
