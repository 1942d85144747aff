// One side of the differential check's sweep of the hard cases (HardCases.h),
// compiled once against the normal library and once against the reference library,
// as DifferentialCalls.cpp is: every hard case through the public method that
// reaches its function, a line per call with the arguments, the results and any
// error.
#include <Tervanix/Tervanix.h>

#include "HardCases.h"

#define TERVANIX_HARD_CASES_JOIN(a, b) a##b
#define TERVANIX_HARD_CASES_NAME(side) TERVANIX_HARD_CASES_JOIN(side, HardCases)

namespace {

using namespace tervanix;
using differential::Elementary;
using differential::HardCases;

template <typename Call>
void Record(differential::Log& log, const char* name, Double a, Double b, Call call) {
    log.Begin(name);
    log << a << b;
    try {
        call();
    } catch (const LibraryError& e) {
        log << " raised " << KindName(e.kind()) << " " << e.what();
    }
}

}  // namespace

namespace differential {

void TERVANIX_HARD_CASES_NAME(DIFFERENTIAL_SIDE)(Log& log) {
    const cGenUtil util;
    const cGeom geom;
    for (const Double x : HardCases(Elementary::kLog)) {
        Record(log, "cGenUtil.Log10", x, 0.0, [&] { log << util.Log10(x); });
    }
    for (const Double y : HardCases(Elementary::kExp10)) {
        Record(log, "cGenUtil.Log10Sum", y, -400.0, [&] { log << util.Log10Sum(y, -400.0); });
        Record(log, "cGenUtil.LogDBSum", y * 10.0, -4000.0, [&] { log << util.LogDBSum(y * 10.0, -4000.0); });
    }
    for (const Double q : HardCases(Elementary::kAtan)) {
        Record(log, "cGeom.CartToPolar", 1.0, q, [&] {
            Double r = 0.0, theta = 0.0;
            geom.CartToPolar(1.0, q, r, theta);
            log << r << theta;
        });
    }
    for (const Elementary f : {Elementary::kSin, Elementary::kCos}) {
        for (const Double theta : differential::HardDegrees(f)) {
            Record(log, "cGeom.PolarToCart", 1.0, theta, [&] {
                Double X = 0.0, Y = 0.0;
                geom.PolarToCart(1.0, theta, X, Y);
                log << X << Y;
            });
        }
    }
}

}  // namespace differential
