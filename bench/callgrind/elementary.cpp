// Calls one elementary function, the library's correctly rounded one or the C
// library's, CALLS times (10^5 unless given) on the arguments of bench/LogExp_bench.cpp
// and bench/Trig_bench.cpp (4096 of them, taken in turn), for callgrind to count its
// instructions per call: run it twice with the same function and arguments and two
// call counts, and divide the difference of the totals by the difference of the counts
// (the set-up, the program's loading and the drawing of the arguments cancel out; the
// function "none" gives the loop's own share, about 5). Built by hand against a built
// library:
//   g++ -O2 -std=c++17 -ffp-contract=off -Icalculations -IBUILD/calculations/include
//       bench/callgrind/elementary.cpp BUILD/calculations/libtervanix.a -o elementary
// (one command)
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./elementary sin angle 100000
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./elementary sin angle 200000
// ARGS picks the arguments, drawn at random: angle (-7 to 7), ratio (-8 to 8),
// positive (e^-46 to e^46) or exponent (-30 to 30); with "-grid" after it (angle-grid)
// the same interval evenly spaced, taken in ascending order, which the branches of a
// function learn.
#include <Tervanix/elementary/LogExp.h>
#include <Tervanix/elementary/Trig.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

namespace cr = tervanix::rt::cr;

struct Named {
    const char* name;
    double (*f)(double);
};

const Named kFunctions[] = {
    {"sin", cr::Sin},
    {"cos", cr::Cos},
    {"atan", cr::Atan},
    {"log", cr::Log},
    {"exp2", cr::Exp2},
    {"exp10", cr::Exp10},
    {"log-portable", cr::portable::Log},  // the builds without fused multiply-add
    {"exp2-portable", cr::portable::Exp2},
    {"exp10-portable", cr::portable::Exp10},
    {"c-sin", [](double x) { return std::sin(x); }},
    {"c-cos", [](double x) { return std::cos(x); }},
    {"c-atan", [](double x) { return std::atan(x); }},
    {"c-log", [](double x) { return std::log(x); }},
    {"c-exp2", [](double x) { return std::exp2(x); }},
    {"c-pow10", [](double x) { return std::pow(10.0, x); }},
    {"none", [](double x) { return x; }},
};

double Argument(const char* kind, double u) {  // u in [0, 1)
    if (std::strncmp(kind, "ratio", 5) == 0) return (u - 0.5) * 16.0;
    if (std::strncmp(kind, "positive", 8) == 0) return std::exp((u - 0.5) * 92.0);
    if (std::strncmp(kind, "exponent", 8) == 0) return (u - 0.5) * 60.0;
    return (u - 0.5) * 14.0;  // angle
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s FUNCTION angle|ratio|positive|exponent[-grid] [CALLS]\n", argv[0]);
        return 2;
    }
    double (*f)(double) = nullptr;
    for (const Named& n : kFunctions) {
        if (std::strcmp(n.name, argv[1]) == 0) f = n.f;
    }
    if (f == nullptr) {
        std::fprintf(stderr, "unknown function %s\n", argv[1]);
        return 2;
    }
    const long calls = argc == 4 ? std::atol(argv[3]) : 100000;
    if (calls < 1) {
        std::fprintf(stderr, "CALLS must be 1 or more\n");
        return 2;
    }
    // The same 4096 arguments whatever the count, so that only the loop's length varies.
    const bool grid = std::strstr(argv[2], "-grid") != nullptr;
    std::vector<double> args(4096);
    unsigned long long state = 12345;
    for (std::size_t i = 0; i < args.size(); ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const double u = grid ? static_cast<double>(i) / static_cast<double>(args.size())
                              : static_cast<double>(state >> 11) * 0x1p-53;
        args[i] = Argument(argv[2], u);
    }
    double sink = 0.0;
    for (long i = 0; i < calls; ++i) sink += f(args[static_cast<std::size_t>(i) & 4095]);
    std::printf("%g\n", sink);
    return 0;
}
