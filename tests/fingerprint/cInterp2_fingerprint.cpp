#include <cstdint>

#include <Tervanix/cInterp2.h>

#include "Sections.h"

namespace fingerprint {

namespace {

using tervanix::Boolean;
using tervanix::DoubleArray;
using tervanix::DoubleArray2D;
using tervanix::DoubleArray3D;
using tervanix::Long;

// A small whole number in [0, n).
Long Pick(Inputs& in, std::uint64_t n) { return static_cast<Long>(in.Next() % n); }

// A lower bound: mostly 1, now and then 0 or 2.
Long Lower(Inputs& in) {
    switch (in.Next() % 8) {
        case 0: return 0;
        case 1: return 2;
        default: return 1;
    }
}

// A grid from 1 to size, mostly strictly ascending with steps of mixed magnitude,
// now and then with an equal pair or a step down, or from another lower bound.
DoubleArray RandomGrid(Inputs& in, Long size) {
    const Long lower = in.Next() % 16 == 0 ? Lower(in) : 1;
    DoubleArray a(lower, lower + size - 1);
    double v = static_cast<double>(Pick(in, 21) - 10);
    for (Long i = lower; i < lower + size; ++i) {
        a(i) = v;
        const std::uint64_t r = in.Next();
        const double step = static_cast<double>(r % 1000 + 1) / static_cast<double>(std::uint64_t{1} << ((r >> 10) % 12));
        v += r % 40 == 0 ? 0.0 : r % 41 == 0 ? -step : step;
    }
    return a;
}

// A coordinate inside, on or outside a grid of this size.
double Coordinate(Inputs& in, const DoubleArray& grid) {
    const Long i = grid.LBound() + Pick(in, static_cast<std::uint64_t>(grid.UBound() - grid.LBound() + 1));
    switch (in.Next() % 4) {
        case 0: return grid(i);
        case 1: return in.Number();
        default: return grid(i) + static_cast<double>(Pick(in, 2001) - 1000) / 997.0;
    }
}

Boolean RandomBoolean(Inputs& in) { return Boolean::FromRaw(static_cast<std::int16_t>(Pick(in, 3) - 1)); }

void PairTables(Digest& d, Inputs& in) {
    const tervanix::cInterp2 interp;
    for (int t = 0; t < 6000; ++t) {
        const Long lower = t % 3 == 0 ? Pick(in, 7) - 3 : Lower(in);
        const Long size = Pick(in, 9);
        const Long ySize = in.Next() % 10 == 0 ? Pick(in, 9) : size;
        const auto number = [&] { return in.Number(); };
        DoubleArray x = FilledArray<DoubleArray>(lower, size, number);
        DoubleArray y = FilledArray<DoubleArray>(in.Next() % 10 == 0 ? Lower(in) : lower, ySize, number);
        const double at = size > 0 ? Coordinate(in, x) : in.Number();
        double out = -0.5;
        switch (t % 3) {
            case 0: Try(d, [&] { interp.SortXYPairsByX(x, y); }); break;
            case 1: Try(d, [&] { d.Add(interp.Interp2D(x, y, RandomBoolean(in), at, out)); }); break;
            default: {
                const auto method = static_cast<tervanix::BoundaryCondition2>(Pick(in, 5));
                Try(d, [&] { d.Add(interp.Interp2D_Extrap(x, y, method, at, out)); });
            }
        }
        d.Add(out);
        AddElements(d, x);
        AddElements(d, y);
    }
}

void Grids(Digest& d, Inputs& in) {
    const tervanix::cInterp2 interp;
    for (int t = 0; t < 4000; ++t) {
        const DoubleArray w = RandomGrid(in, 1 + Pick(in, 4)), x = RandomGrid(in, 1 + Pick(in, 5)),
                          y = RandomGrid(in, 1 + Pick(in, 5));
        const Boolean allow = RandomBoolean(in);
        const double cw = Coordinate(in, w), cx = Coordinate(in, x), cy = Coordinate(in, y);
        const bool transposed = in.Next() % 12 == 0;
        DoubleArray2D z2(1, transposed ? y.UBound() : x.UBound(), 1, transposed ? x.UBound() : y.UBound());
        for (Long i = 1; i <= z2.UBound(1); ++i)
            for (Long j = 1; j <= z2.UBound(2); ++j) z2(i, j) = in.Number();
        double out = -0.5;
        Try(d, [&] { d.Add(interp.Interp3D(x, y, z2, allow, cx, cy, out)); });
        d.Add(out);

        DoubleArray3D z3(1, transposed ? x.UBound() : w.UBound(), 1, transposed ? w.UBound() : x.UBound(), 1, y.UBound());
        for (Long i = 1; i <= z3.UBound(1); ++i)
            for (Long j = 1; j <= z3.UBound(2); ++j)
                for (Long k = 1; k <= z3.UBound(3); ++k) z3(i, j, k) = in.Number();
        Try(d, [&] { d.Add(interp.Interp4D(w, x, y, z3, allow, cw, cx, cy, out)); });
        d.Add(out);
    }
    // Arrays never given bounds, reached or not by the checks.
    const DoubleArray none, grid = RandomGrid(in, 3);
    double out = 0;
    Try(d, [&] { d.Add(interp.Interp3D(grid, none, DoubleArray2D(), true, 0.5, 0.5, out)); });
    Try(d, [&] { d.Add(interp.Interp4D(DoubleArray(0, 1), none, none, DoubleArray3D(), true, 0, 0, 0, out)); });
}

}  // namespace

void TableInterpolation(Digest& d) {
    Inputs in(6);
    PairTables(d, in);
    Grids(d, in);
}

}  // namespace fingerprint
