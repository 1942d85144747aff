// Calls each of a few methods 1000 times on inputs that give True, for callgrind to
// count the instructions of the path that returns True (or a value): the figure to
// compare before and after a change to a False path. Built by hand against a built
// library (the command is in docs/design.md).
#include <Tervanix/Tervanix.h>

#include <cstdio>

using namespace tervanix;

int main() {
    constexpr int kCalls = 1000;
    const cGenUtil util;
    const CInterpolation interp;
    const cInterp2 interp2;
    const cGeom geom;
    DoubleArray x(1, {0.0, 1.0, 2.5, 3.0, 4.5, 6.0, 7.0, 9.0});
    DoubleArray y(1, {1.0, 3.0, 2.0, 5.0, 4.0, 8.0, 6.0, 7.0});
    DoubleArray x10(1, {0.0, 1.0, 2.5, 3.0, 4.5, 6.0, 7.0, 9.0, 9.5, 10.0});
    DoubleArray y10(1, {1.0, 3.0, 2.0, 5.0, 4.0, 8.0, 6.0, 7.0, 2.0, 1.0});
    volatile double seed = 0.5;
    double sink = 0.0;
    for (int i = 0; i < kCalls; ++i) {
        const double t = seed + 0.008 * i;  // 0.5 to 8.5: inside the table
        sink += util.Min(t, 3.0);
        sink += util.Avg(t, 3.0);
        sink += interp.LinearInterpolation1Way(t, 2.0, 0.25);
        Double v = 0.0, m = 0.0, b = 0.0;
        if (!interp2.Interp2D(x, y, false, t, v)) return 1;
        if (!interp.InterpolationOf1DArray(t, x10, y10, NO_EXTRAPOLATION, m)) return 1;
        sink += m;
        if (!geom.Line2D(t, 1.0, t + 2.0, 5.0, m, b)) return 1;
        sink += v + m + b;
    }
    std::printf("%.17g\n", sink);
    return 0;
}
