// One side of the large-matrix check (main.cpp): the products, inverses and solved
// systems of sizes that cross the tiles' edges (eight pivots to a panel, eight columns
// to a block, four rows to a product tile), with zeros, faults and values that are not
// finite, each result written as its bits or its error. Compiled once against the
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
// that makes a later step overflow, or with an infinity or a NaN.
double Element(Generator& g, unsigned kind, Long i, Long j, Long n) {
    double v = 2.0 * g.Unit() - 1.0;
    switch (kind) {
        case 1: return g.Pick(3) == 0 ? 0.0 : v;
        case 2: return (i == n && j == n) ? 1e300 : v * (i == 1 ? 1e-300 : 1.0);
        case 3: return (i == n / 2 + 1 && j == 1) ? std::numeric_limits<double>::infinity() : v;
        case 4: return (i == n && j == 2) ? std::numeric_limits<double>::quiet_NaN() : v;
        case 5: return v * std::ldexp(1.0, static_cast<int>(g.Pick(1400)) - 700);
        case 6: return g.Pick(2) == 0 ? 0.0 : std::round(8.0 * v);
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

}  // namespace

#define SIDE_NAME2(a, b) a##b
#define SIDE_NAME(a, b) SIDE_NAME2(a, b)

std::string SIDE_NAME(RunSide, SIDE)(unsigned seed) {
    std::string log;
    Generator g{seed * 7919ull + 17};
    cMatrixOps ops;
    const Long sizes[] = {1, 3, 4, 5, 7, 8, 9, 12, 15, 16, 17, 23, 24, 25, 33, 40};
    for (const Long n : sizes) {
        for (unsigned kind = 0; kind < 7; ++kind) {
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
