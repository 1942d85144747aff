// Calls one single method of the library, or its plain transcription (bench/plain),
// CALLS times on changing arguments, for callgrind to count its instructions per call:
// run it with two call counts and divide the difference of the totals by the
// difference of the counts. Built by hand against a built library (one command):
//   g++ -O2 -std=c++17 -ffp-contract=off -msse2 -Icalculations -IBUILD/calculations/include -Ibench
//       bench/callgrind/single_calls.cpp bench/plain/cGenUtil_plain.cpp bench/plain/CInterpolation_plain.cpp
//       bench/plain/CSort_plain.cpp
//       BUILD/calculations/libtervanix.a -o single_calls
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./single_calls IsEqualRel 100000
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./single_calls IsEqualRel 200000
// CALL: IsEqualRel, LinearInterpolation1Way, either with "-plain" after it, or "none"
// (the loop alone).
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cGenUtil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plain/CInterpolation_plain.h"
#include "plain/cGenUtil_plain.h"

namespace {

const tervanix::cGenUtil util;
const tervanix::CInterpolation interp;

struct Named {
    const char* name;
    double (*f)(double);
};

const Named kCalls[] = {
    {"IsEqualRel", [](double x) { return util.IsEqualRel(x, 100.0, 0.5) ? 1.0 : 0.0; }},
    {"IsEqualRel-plain", [](double x) { return plain::IsEqualRel(x, 100.0, 0.5) ? 1.0 : 0.0; }},
    {"LinearInterpolation1Way", [](double x) { return interp.LinearInterpolation1Way(x, 2.0, 0.25); }},
    {"LinearInterpolation1Way-plain", [](double x) { return plain::LinearInterpolation1Way(x, 2.0, 0.25); }},
    {"none", [](double x) { return x; }},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CALL CALLS\n", argv[0]);
        return 2;
    }
    double (*f)(double) = nullptr;
    for (const Named& n : kCalls) {
        if (std::strcmp(n.name, argv[1]) == 0) f = n.f;
    }
    if (f == nullptr) {
        std::fprintf(stderr, "unknown call %s\n", argv[1]);
        return 2;
    }
    const long calls = std::atol(argv[2]);
    double x = 1.0, sink = 0.0;
    for (long i = 0; i < calls; ++i) {
        x = x * 1.0000001 + 0.25;  // arguments that change from call to call
        sink += f(x);
    }
    std::printf("%g\n", sink);
    return 0;
}
