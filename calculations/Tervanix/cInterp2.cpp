#include "Tervanix/cInterp2.h"

#include <array>
#include <cstddef>
#include <utility>

#include "Tervanix/runtime/Checked.h"
#include "Tervanix/runtime/Formula.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/NamedArrays.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

using rt::Fp;

namespace {

constexpr Long kOne = 1;

// The value a fraction of the way from `base` to `far`: the difference, times the
// fraction, plus the base value.
inline Fp Along(Double base, Double far, Double fraction) {
    return (Fp(far) - base) * fraction + base;
}

// Elements 2 to n of a grid, each against the one before it: false as soon as a
// pair fails the test. The walk needs no counter, so nothing steps past n. The
// tests only read, so the normal build takes four pairs at a time, tested together
// with one branch (a walk of short steps is bound by its branches, one taken per
// step), and the pairs left over one by one; a block that holds a failing pair is
// false as the walk would have been when it reached that pair.
template <typename Fails>
bool NoNeighbourFails(const DoubleArray& grid, Long n, Fails fails) {
    const Double* const first = grid.Elements(1, n);
    const Double* const last = first + (n - 1);
    const Double* p = first + 1;
    if constexpr (!rt::kStepByStep) {
        for (; last - p >= 3; p += 4) {  // elements p[0] to p[3], none past the last
            const int failing = int{fails(p[0], p[-1])} | int{fails(p[1], p[0])} | int{fails(p[2], p[1])} |
                                int{fails(p[3], p[2])};
            if (failing != 0) return false;
        }
    }
    for (; p <= last; ++p) {
        if (fails(*p, p[-1])) return false;
    }
    return true;
}

}  // namespace

// ---- The pair sort ----------------------------------------------------------

void cInterp2::SortXYPairsByX(DoubleArray& XValues, DoubleArray& YValues) const try {
    const Long lb = XValues.LBound();
    const Long ub = XValues.UBound();
    if (ub == lb) return;
    Long limit = ub;
    for (;;) {
        const bool exchanged = MakeSortPass(XValues, YValues, lb, limit);
        limit = rt::Sub(limit, kOne);
        if (limit == lb || !exchanged) return;
    }
} catch (...) {
    rt::RethrowNamingPair("cInterp2.SortXYPairsByX", "YValues", YValues, "XValues", XValues);
}

// One pass over the subscripts lb to limit - 1; true when it exchanged a pair. A pass
// begins with its first comparison, so an XValues without elements fails at its
// first element read.
bool cInterp2::MakeSortPass(DoubleArray& XValues, DoubleArray& YValues, Long lb, Long limit) const {
    Double* x = XValues.Elements(lb, limit);  // x[k] is XValues(lb + k)
    bool exchanged = false;
    Long i = lb;
    for (std::size_t k = 0;; ++k) {
        const Long next = rt::Add(i, kOne);
        if (x[k] > x[k + 1]) {
            std::swap(x[k], x[k + 1]);
            ExchangeElements(YValues, i, next);  // a short YValues fails here, X already exchanged
            exchanged = true;
        }
        i = next;
        if (i >= limit) return exchanged;
    }
}

void cInterp2::ExchangeElements(DoubleArray& values, Long i, Long j) const {
    Double& first = values(i);
    Double& second = values(j);
    std::swap(first, second);
}

// ---- Lookups in a table of pairs ------------------------------------------------

Boolean cInterp2::Interp2D(DoubleArray& XValues, DoubleArray& YValues, const Boolean& bAllowExtrap,
                           const Double& X, Double& Y) const try {
    Long n = 0;
    if (!PreparePairTable(XValues, YValues, n)) return RefuseInterp2D(XValues, YValues, X);
    // X is read only now: if it is one of the table's elements, it is the one that
    // the sort has put at that subscript.
    if (!bAllowExtrap && IsOutside(XValues, n, X)) return RefuseInterp2D(XValues, YValues, X);
    AssignInterpolated(XValues, YValues, n, X, Y);
    return True;
} catch (...) {
    rt::RethrowNamingPair("cInterp2.Interp2D", "YValues", YValues, "XValues", XValues);
}

Boolean cInterp2::Interp2D_Extrap(DoubleArray& XValues, DoubleArray& YValues, BoundaryCondition2 ExtrapMethod,
                                  Double X, Double& Y) const try {
    Long n = 0;
    if (!PreparePairTable(XValues, YValues, n)) return RefuseInterp2DExtrap(XValues, YValues, X);
    switch (ExtrapMethod) {
        case EXTRAP_NO:
            if (IsOutside(XValues, n, X)) return RefuseInterp2DExtrap(XValues, YValues, X);
            break;
        case EXTRAP_FIXEDENDPT:  // only this call's copy of X changes
            if (X < XValues(1)) {
                X = XValues(1);
            } else if (X > XValues(n)) {
                X = XValues(n);
            }
            break;
        default:  // EXTRAP_LINEARLY and every value outside the enumeration
            break;
    }
    AssignInterpolated(XValues, YValues, n, X, Y);
    return True;
} catch (...) {
    rt::RethrowNamingPair("cInterp2.Interp2D_Extrap", "YValues", YValues, "XValues", XValues);
}

// The table check: bounds, then the sort, then distinct X values. Once the bounds
// have passed, the caller's arrays stay sorted whatever the lookup returns.
bool cInterp2::PreparePairTable(DoubleArray& XValues, DoubleArray& YValues, Long& n) const {
    if (!HasPairTableBounds(XValues, YValues)) return false;
    n = XValues.UBound();
    SortXYPairsByX(XValues, YValues);
    return HasDistinctX(XValues, n);
}

// Each bound is asked for only when the tests before it have passed, so an array
// never given bounds fails only when the check reaches it.
bool cInterp2::HasPairTableBounds(const DoubleArray& XValues, const DoubleArray& YValues) const {
    return XValues.LBound() == 1 && YValues.LBound() == 1 && XValues.UBound() == YValues.UBound() &&
           XValues.UBound() >= 2;
}

bool cInterp2::HasDistinctX(const DoubleArray& XValues, Long n) const {
    return NoNeighbourFails(XValues, n, [](Double x, Double previous) { return x == previous; });
}

// Y = (YValues(u) - YValues(l)) * (X - XValues(l)) / (XValues(u) - XValues(l)) + YValues(l),
// assigned straight into the caller's Y.
void cInterp2::AssignInterpolated(const DoubleArray& XValues, const DoubleArray& YValues, Long n, Double X,
                                  Double& Y) const {
    AssignOnInterval(YValues, FindBracket(XValues, n, X), X, Y);
}

void cInterp2::AssignOnInterval(const DoubleArray& YValues, const Bracket& b, Double X, Double& Y) const {
    const Double yl = YValues(b.lower);
    rt::Assign(Y, (Fp(YValues(b.upper)) - yl) * (Fp(X) - b.low) / (Fp(b.high) - b.low) + yl);
}

// ---- Lookups in grids -----------------------------------------------------------

Boolean cInterp2::Interp3D(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                           const Boolean& bAllowExtrap, const Double& X, const Double& Y, Double& Z) const try {
    if (!IsUsableGrid(XValues, YValues, ZValues)) return RefuseInterp3D(XValues, YValues, ZValues, X, Y);
    const Long nx = XValues.UBound();
    const Long ny = YValues.UBound();
    if (!bAllowExtrap && (IsOutside(XValues, nx, X) || IsOutside(YValues, ny, Y))) {
        return RefuseInterp3D(XValues, YValues, ZValues, X, Y);
    }
    const Bracket x = FindBracket(XValues, nx, X);
    const Bracket y = FindBracket(YValues, ny, Y);
    AssignBilinear(ZValues, x, y, X, Y, Z);
    return True;
} catch (...) { rt::RethrowFrom("cInterp2.Interp3D"); }

// The grid check and the order check of Interp3D.
bool cInterp2::IsUsableGrid(const DoubleArray& XValues, const DoubleArray& YValues,
                            const DoubleArray2D& ZValues) const {
    return HasGridBounds(XValues, YValues, ZValues) && IsStrictlyAscending(XValues, XValues.UBound()) &&
           IsStrictlyAscending(YValues, YValues.UBound());
}

// The fractions, then along X on the two cell edges, then along Y into Z.
void cInterp2::AssignBilinear(const DoubleArray2D& ZValues, const Bracket& x, const Bracket& y, Double X,
                              Double Y, Double& Z) const {
    const Double tx = Fraction(x, X);
    const Double ty = Fraction(y, Y);

    const Double z00 = ZValues(x.lower, y.lower), z10 = ZValues(x.upper, y.lower);
    const Double z01 = ZValues(x.lower, y.upper), z11 = ZValues(x.upper, y.upper);
    const Double z1 = rt::Stored(Along(z00, z10, tx));
    const Double z2 = rt::Stored(Along(z01, z11, tx));
    rt::Assign(Z, Along(z1, z2, ty));
}

// Flattened, so that its checks, searches and fractions are evaluated in place
// rather than called one by one.
TERVANIX_FLATTEN Boolean cInterp2::Interp4D(const DoubleArray& WValues, const DoubleArray& XValues,
                                            const DoubleArray& YValues, const DoubleArray3D& ZValues,
                                            const Boolean& bAllowExtrap, const Double& W, const Double& X,
                                            const Double& Y, Double& Z) const try {
    if (!IsUsableGrid(WValues, XValues, YValues, ZValues)) {
        return RefuseInterp4D(WValues, XValues, YValues, ZValues, W, X, Y);
    }
    const Long nw = WValues.UBound();
    const Long nx = XValues.UBound();
    const Long ny = YValues.UBound();
    if (!bAllowExtrap && (IsOutside(WValues, nw, W) || IsOutside(XValues, nx, X) || IsOutside(YValues, ny, Y))) {
        return RefuseInterp4D(WValues, XValues, YValues, ZValues, W, X, Y);
    }
    const Bracket w = FindBracket(WValues, nw, W);
    const Bracket x = FindBracket(XValues, nx, X);
    const Bracket y = FindBracket(YValues, ny, Y);
    AssignTrilinear(ZValues, w, x, y, W, X, Y, Z);
    return True;
} catch (...) { rt::RethrowFrom("cInterp2.Interp4D"); }

// The grid check and the order check of Interp4D.
bool cInterp2::IsUsableGrid(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                            const DoubleArray3D& ZValues) const {
    return HasGridBounds(WValues, XValues, YValues, ZValues) && IsStrictlyAscending(WValues, WValues.UBound()) &&
           IsStrictlyAscending(XValues, XValues.UBound()) && IsStrictlyAscending(YValues, YValues.UBound());
}

// The fractions of W, X and Y, in that order, then the lower and the upper W plane,
// then along W into Z. A fault in a fraction's difference above the line leaves the
// fraction not finite, and one in its divisor leaves the divisor not finite (a
// divisor that overflowed would only make the fraction 0); so when the three
// fractions and their divisors, on plain Doubles, are all finite, no operation
// faulted and they are the stored ones. Otherwise the whole step is taken again
// with each fraction found step by step, in a cold call that comes back to nothing:
// the path past the test calls nothing before it reads the corners.
void cInterp2::AssignTrilinear(const DoubleArray3D& ZValues, const Bracket& w, const Bracket& x, const Bracket& y,
                               Double W, Double X, Double Y, Double& Z) const {
    if constexpr (!rt::kStepByStep) {
        const Double dw = w.high - w.low, dx = x.high - x.low, dy = y.high - y.low;
        const Double tw = (W - w.low) / dw, tx = (X - x.low) / dx, ty = (Y - y.low) / dy;
        if (TERVANIX_LIKELY(rt::SumIsFinite(std::array{dw, tw, dx, tx, dy, ty}))) {
            AssignTrilinearOfFractions(ZValues, w, x, y, tw, tx, ty, Z);
            return;
        }
    }
    AssignTrilinearStepByStep(ZValues, w, x, y, W, X, Y, Z);
}

void cInterp2::AssignTrilinearStepByStep(const DoubleArray3D& ZValues, const Bracket& w, const Bracket& x,
                                         const Bracket& y, Double W, Double X, Double Y, Double& Z) const {
    const Double tw = Fraction(w, W);
    const Double tx = Fraction(x, X);
    const Double ty = Fraction(y, Y);
    AssignTrilinearOfFractions(ZValues, w, x, y, tw, tx, ty, Z);
}

inline void cInterp2::AssignTrilinearOfFractions(const DoubleArray3D& ZValues, const Bracket& w, const Bracket& x,
                                                 const Bracket& y, Double tw, Double tx, Double ty, Double& Z) const {
    // The lower W plane, then the upper one: along X, then along Y. Each step is a
    // difference, a product by a fraction and a sum, so a fault in any of them leaves
    // Z not finite: the seven are tested once, on Z (runtime/Formula.h).
    const Double z000 = ZValues(w.lower, x.lower, y.lower), z010 = ZValues(w.lower, x.upper, y.lower);
    const Double z001 = ZValues(w.lower, x.lower, y.upper), z011 = ZValues(w.lower, x.upper, y.upper);
    const Double z100 = ZValues(w.upper, x.lower, y.lower), z110 = ZValues(w.upper, x.upper, y.lower);
    const Double z101 = ZValues(w.upper, x.lower, y.upper), z111 = ZValues(w.upper, x.upper, y.upper);
    rt::AssignFormulas(
        [=](auto F) {
            const auto along = [F](Double base, Double far, Double fraction) {
                return (F(far) - base) * fraction + base;
            };
            const Double a1 = rt::Stored(along(z000, z010, tx));
            const Double a2 = rt::Stored(along(z001, z011, tx));
            const Double zl = rt::Stored(along(a1, a2, ty));
            const Double c1 = rt::Stored(along(z100, z110, tx));
            const Double c2 = rt::Stored(along(z101, z111, tx));
            const Double zu = rt::Stored(along(c1, c2, ty));
            return std::array{along(zl, zu, tw)};
        },
        Z);
}

// The grid checks ask for each bound only when the tests before it have passed.
bool cInterp2::HasGridBounds(const DoubleArray& XValues, const DoubleArray& YValues,
                             const DoubleArray2D& ZValues) const {
    return XValues.LBound() == 1 && YValues.LBound() == 1 && ZValues.LBound(1) == 1 && ZValues.LBound(2) == 1 &&
           XValues.UBound() == ZValues.UBound(1) && ZValues.UBound(2) == YValues.UBound() &&
           XValues.UBound() >= 2 && YValues.UBound() >= 2;
}

bool cInterp2::HasGridBounds(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                             const DoubleArray3D& ZValues) const {
    return WValues.LBound() == 1 && XValues.LBound() == 1 && YValues.LBound() == 1 && ZValues.LBound(1) == 1 &&
           ZValues.LBound(2) == 1 && ZValues.LBound(3) == 1 && WValues.UBound() == ZValues.UBound(1) &&
           ZValues.UBound(2) == XValues.UBound() && YValues.UBound() == ZValues.UBound(3) &&
           WValues.UBound() >= 2 && XValues.UBound() >= 2 && YValues.UBound() >= 2;
}

// ---- Steps along one axis -------------------------------------------------------

// Neighbouring values must rise strictly: an equal pair fails as a descending one.
inline bool cInterp2::IsStrictlyAscending(const DoubleArray& grid, Long n) const {
    return NoNeighbourFails(grid, n, [](Double x, Double previous) { return x <= previous; });
}

// A value on the first or the last grid point is inside.
bool cInterp2::IsOutside(const DoubleArray& grid, Long n, Double value) const {
    return value < grid(1) || value > grid(n);
}

// The search from subscript 2 upwards: a value below the grid gets the first
// interval, one above it the last, and one equal to an interior grid value the
// interval to its left. One value per step: a search that stepped four values per
// branch first, then walked the rest, mispredicted twice per axis and ran slower on
// grids of 30 values (docs/design.md).
cInterp2::Bracket cInterp2::FindBracket(const DoubleArray& grid, Long n, Double value) const {
    const Double* const first = grid.Elements(1, n);
    const Double* const last = first + (n - 1);
    const Double* p = first + 1;  // grid(i), starting with i = 2
    while (*p < value && p != last) ++p;
    const auto i = static_cast<Long>(p - first) + 1;
    return {i - 1, i, p[-1], *p};
}

// (value - grid(lower)) / (grid(upper) - grid(lower)), a value of the method.
Double cInterp2::Fraction(const Bracket& b, Double value) const {
    return rt::Stored((Fp(value) - b.low) / (Fp(b.high) - b.low));
}

}  // namespace tervanix
