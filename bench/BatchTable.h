// The tables every batch benchmark uses: `points` X values rising in uneven steps, Y
// values at random, and kTargets fresh targets spread over the table at random (so
// many that no branch predictor learns them), the same in every run, with a sorted
// copy of them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <random>
#include <vector>

namespace benchdata {

constexpr std::size_t kTargets = 65536;

// `count` distinct random values from inside [low, high].
inline std::vector<double> RandomTargets(std::size_t count, double low, double high, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> inside(low, high);
    std::vector<double> targets(count);
    for (double& t : targets) t = inside(rng);
    return targets;
}

inline std::vector<double> Sorted(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values;
}

struct BatchTable {
    std::vector<double> x, y, targets, sortedTargets;
    BatchTable(std::size_t points, std::size_t targetCount) : x(points), y(points) {
        std::mt19937 rng(7);
        double v = 0;
        for (std::size_t i = 0; i < points; ++i) {
            x[i] = v += 0.5 + static_cast<double>(rng() % 100) / 50.0;
            y[i] = static_cast<double>(rng() % 1000) / 7.0;
        }
        targets = RandomTargets(targetCount, x.front(), x.back(), 11);
        sortedTargets = Sorted(targets);
    }
};

}  // namespace benchdata
