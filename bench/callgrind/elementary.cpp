// Calls one elementary function, the library's correctly rounded one or the C
// library's, 10^5 times on the arguments of bench/LogExp_bench.cpp and
// bench/Trig_bench.cpp, for callgrind to count its instructions per call: run it with
// the function's name and with "none" (the same loop, no function) and divide the
// difference of the totals by 10^5. Built by hand against a built library:
//   g++ -O2 -std=c++17 -ffp-contract=off -Icalculations -IBUILD/calculations/include
//       bench/callgrind/elementary.cpp BUILD/calculations/libtervanix.a -o elementary
// (one command)
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./elementary sin ARGS
// ARGS picks the arguments: angle (-7 to 7), ratio (-8 to 8), positive (e^-46 to
// e^46) or exponent (-30 to 30); give "none" the same ARGS.
#include <Tervanix/elementary/LogExp.h>
#include <Tervanix/elementary/Trig.h>

#include <cmath>
#include <cstdio>
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
    {"c-sin", [](double x) { return std::sin(x); }},
    {"c-cos", [](double x) { return std::cos(x); }},
    {"c-atan", [](double x) { return std::atan(x); }},
    {"c-log", [](double x) { return std::log(x); }},
    {"c-exp2", [](double x) { return std::exp2(x); }},
    {"c-pow10", [](double x) { return std::pow(10.0, x); }},
    {"none", [](double x) { return x; }},
};

double Argument(const char* kind, double u) {  // u in [0, 1)
    if (std::strcmp(kind, "ratio") == 0) return (u - 0.5) * 16.0;
    if (std::strcmp(kind, "positive") == 0) return std::exp((u - 0.5) * 92.0);
    if (std::strcmp(kind, "exponent") == 0) return (u - 0.5) * 60.0;
    return (u - 0.5) * 14.0;  // angle
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FUNCTION angle|ratio|positive|exponent\n", argv[0]);
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
    constexpr int kCalls = 100000;
    std::vector<double> args(kCalls);
    unsigned long long state = 12345;
    for (double& a : args) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        a = Argument(argv[2], static_cast<double>(state >> 11) * 0x1p-53);
    }
    double sink = 0.0;
    for (double a : args) sink += f(a);
    std::printf("%g\n", sink);
    return 0;
}
