// Calls one single method of the library, or its plain transcription (bench/plain),
// CALLS times on changing arguments, for callgrind to count its instructions per call:
// run it with two call counts and divide the difference of the totals by the
// difference of the counts. Built by hand against a built library (one command):
//   g++ -O2 -std=c++17 -ffp-contract=off -msse2 -Icalculations -IBUILD/calculations/include -Ibench
//       bench/callgrind/single_calls.cpp bench/plain/cGenUtil_plain.cpp bench/plain/CInterpolation_plain.cpp
//       bench/plain/CSort_plain.cpp bench/plain/cInterp2_plain.cpp
//       BUILD/calculations/libtervanix.a -o single_calls
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./single_calls IsEqualRel 100000
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null ./single_calls IsEqualRel 200000
// CALL: IsEqualRel, LinearInterpolation1Way, BinToInt (one of eight 16-character
// texts), Interp4D (on cInterp2_bench's 30 x 30 x 30 grid, whose order check walks
// every axis), either with "-plain" after it, or "none" (the loop alone).
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cGenUtil.h>
#include <Tervanix/cInterp2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plain/CInterpolation_plain.h"
#include "plain/cGenUtil_plain.h"
#include "plain/cInterp2_plain.h"

namespace {

const tervanix::cGenUtil util;
const tervanix::CInterpolation interp;
const tervanix::cInterp2 interp2;

// Eight texts for BinToInt, picked by the argument, so that the branches on the
// characters change from call to call.
const std::u16string kBinTexts[8] = {u"1100111111000111", u"0000000000000001", u"0111111111111111",
                                     u"1000000000000000", u"0101010101010101", u"1010101010101010",
                                     u"0011001100110011", u"1111111111111111"};
const std::u16string& BinText(double x) { return kBinTexts[static_cast<unsigned long>(x) & 7]; }

// cInterp2_bench's grid: 30 values a side, ascending with uneven steps, and a table
// over it, both as the library's arrays and as the plain twin's vectors.
constexpr int kGrid = 30;
double GridValue(int i) { return 0.75 * i + 0.001 * (i % 7); }
double TableValue(int i) { return 3.0 + 0.5 * (i % 11) - 0.002 * i; }

struct Grid4 {
    tervanix::DoubleArray g{1, kGrid};
    tervanix::DoubleArray3D z{1, kGrid, 1, kGrid, 1, kGrid};
    std::vector<double> plainG, plainZ;
    Grid4() {
        for (int i = 1; i <= kGrid; ++i) {
            g(i) = GridValue(i);
            plainG.push_back(GridValue(i));
        }
        for (int i = 1; i <= kGrid; ++i)
            for (int j = 1; j <= kGrid; ++j)
                for (int m = 1; m <= kGrid; ++m) {
                    z(i, j, m) = TableValue(i) * TableValue(j) + TableValue(m);
                    plainZ.push_back(z(i, j, m));
                }
    }
};
const Grid4 grid4;

// cInterp2_bench's eight points spread over the grid, inside it; the argument picks
// W, X and Y among them.
struct Points {
    double p[8];
    Points() {
        for (int k = 0; k < 8; ++k)
            p[k] = GridValue(1) + (GridValue(kGrid) - GridValue(1)) * ((2 * k + 1) % 8 + 0.37) / 8.6;
    }
};
const Points points;

double Interp4D(double x) {
    double z = 0;
    const tervanix::Boolean allow = false;
    const unsigned long k = static_cast<unsigned long>(x);
    const double w = points.p[k & 7], xx = points.p[(k + 3) & 7], y = points.p[(k + 5) & 7];
    return interp2.Interp4D(grid4.g, grid4.g, grid4.g, grid4.z, allow, w, xx, y, z) ? z : -1.0;
}
double Interp4DPlain(double x) {
    double z = 0;
    const unsigned long k = static_cast<unsigned long>(x);
    const double w = points.p[k & 7], xx = points.p[(k + 3) & 7], y = points.p[(k + 5) & 7];
    return plain::Interp4D(grid4.plainG, grid4.plainG, grid4.plainG, grid4.plainZ, false, w, xx, y, z) ? z : -1.0;
}

struct Named {
    const char* name;
    double (*f)(double);
};

const Named kCalls[] = {
    {"IsEqualRel", [](double x) { return util.IsEqualRel(x, 100.0, 0.5) ? 1.0 : 0.0; }},
    {"IsEqualRel-plain", [](double x) { return plain::IsEqualRel(x, 100.0, 0.5) ? 1.0 : 0.0; }},
    {"LinearInterpolation1Way", [](double x) { return interp.LinearInterpolation1Way(x, 2.0, 0.25); }},
    {"LinearInterpolation1Way-plain", [](double x) { return plain::LinearInterpolation1Way(x, 2.0, 0.25); }},
    {"BinToInt", [](double x) {
         tervanix::Integer n = 0;
         return util.BinToInt(BinText(x), n) ? double(n) : -1.0;
     }},
    {"BinToInt-plain", [](double x) {
         std::int16_t n = 0;
         return plain::BinToInt(BinText(x), n) ? double(n) : -1.0;
     }},
    {"Interp4D", Interp4D},
    {"Interp4D-plain", Interp4DPlain},
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
