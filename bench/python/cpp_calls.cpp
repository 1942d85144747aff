// The C++ side of bench/python/calls.py: the time of the same calls made from C++,
// in nanoseconds per call, one line per call: "name nanoseconds".
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include <Tervanix/Tervanix.h>

using namespace tervanix;

namespace {

template <typename F>
double NanosecondsPerCall(F&& call, long repeat) {
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < repeat; ++i) call(i);
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / static_cast<double>(repeat);
}

volatile Double sink;

}  // namespace

int main() {
    const long repeat = 2'000'000;
    const cGeom geom;
    std::printf("Distance2D %.1f\n", NanosecondsPerCall([&](long i) { sink = geom.Distance2D(0.5 * i, 1, 2, 3); }, repeat));

    DoubleArray x(1, {0.0, 10, 20, 40, 60, 80, 100}), y(1, {999.84, 999.70, 998.21, 992.22, 983.20, 971.80, 958.35});
    const CInterpolation& table = CInterpolation::Default();
    std::printf("InterpolationOf1DArray %.1f\n", NanosecondsPerCall([&](long i) {
        Double result = 0;
        table.InterpolationOf1DArray(static_cast<Double>(i % 100), x, y, EXTRAPOLATE_LINEARLY, result);
        sink = result;
    }, repeat));

    const cInterp2 grid;
    DoubleArray speed(1, {1000.0, 2000, 3000}), torque(1, {10.0, 20, 40});
    DoubleArray2D efficiency(1, 3, 1, 3);
    std::printf("Interp3D %.1f\n", NanosecondsPerCall([&](long i) {
        Double z = 0;
        grid.Interp3D(speed, torque, efficiency, false, 1000.0 + static_cast<Double>(i % 2000), 25.0, z);
        sink = z;
    }, repeat));

    // The batch over a million targets, as bench/python/calls.py draws them.
    const std::size_t n = 1'000'000;
    std::vector<Double> X(n), Y(n), Z(n);
    std::vector<BatchOutcome> outcomes(n);
    std::mt19937_64 random(1);
    std::uniform_real_distribution<Double> speeds(1000, 3000), torques(10, 40);
    for (std::size_t i = 0; i < n; ++i) {
        X[i] = speeds(random);
        Y[i] = torques(random);
    }
    std::printf("interp3d_batch %.1f\n", NanosecondsPerCall([&](long) {
        Interp3DBatch(speed, torque, efficiency, false, X, Y, Z, outcomes);
    }, 20));
    return 0;
}
