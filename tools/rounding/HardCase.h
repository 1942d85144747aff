// One line of the lists of tools/rounding/hard-cases/ (find_hard_cases.cpp prints
// them): an argument and its correctly rounded result. The rounding check, the
// differential check and tests/hard_cases_test.cpp compile the lists in as arrays of
// it.
#pragma once

#include <cstddef>
#include <vector>

namespace rounding {

struct HardCase {
    double x;
    double rounded;
};

// The arguments of a list, in its order.
template <std::size_t N>
std::vector<double> ArgumentsOf(const HardCase (&cases)[N]) {
    std::vector<double> arguments;
    arguments.reserve(N);
    for (const HardCase& c : cases) arguments.push_back(c.x);
    return arguments;
}

}  // namespace rounding
