// The lists of tools/rounding/hard-cases/ (find_hard_cases.cpp prints them), a line
// an argument and its correctly rounded result, compiled in for the rounding check,
// the differential check and tests/hard_cases_test.cpp.
#pragma once

#include <cstddef>
#include <vector>

namespace rounding {

struct HardCase {
    double x;
    double rounded;
};

inline const HardCase kLogHardCases[] = {
#include "hard-cases/log.txt"
};
inline const HardCase kExp2HardCases[] = {
#include "hard-cases/exp2.txt"
};
inline const HardCase kExp10HardCases[] = {
#include "hard-cases/exp10.txt"
};
inline const HardCase kSinHardCases[] = {
#include "hard-cases/sin.txt"
};
inline const HardCase kCosHardCases[] = {
#include "hard-cases/cos.txt"
};
inline const HardCase kAtanHardCases[] = {
#include "hard-cases/atan.txt"
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
