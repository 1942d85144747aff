// The table every batch benchmark uses: `points` X values rising in uneven steps, Y
// values at random and `targets` spread over the table at random, the same in every run.
#pragma once

#include <cstddef>
#include <random>
#include <vector>

namespace benchdata {

struct BatchTable {
    std::vector<double> x, y, targets;
    BatchTable(std::size_t points, std::size_t targetCount) : x(points), y(points), targets(targetCount) {
        std::mt19937 rng(7);
        double v = 0;
        for (std::size_t i = 0; i < points; ++i) {
            x[i] = v += 0.5 + static_cast<double>(rng() % 100) / 50.0;
            y[i] = static_cast<double>(rng() % 1000) / 7.0;
        }
        std::uniform_real_distribution<double> inside(x.front(), x.back());
        for (double& t : targets) t = inside(rng);
    }
};

}  // namespace benchdata
