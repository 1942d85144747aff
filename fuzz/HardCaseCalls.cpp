// One side of the differential check's sweep of the hard cases (HardCases.h),
// compiled once against the normal library and once against the reference library,
// as DifferentialCalls.cpp is: every hard case through the public method that
// reaches its function, a line per call with the arguments, the results and any
// error; then every hard case straight through its function, dispatched and portable.
#include <Tervanix/Tervanix.h>
#include <Tervanix/elementary/LogExp.h>
#include <Tervanix/elementary/Trig.h>

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

// A correctly rounded function's two builds: the one the library calls (on a
// processor with fused multiply-add, its fused build) and the portable one, which
// serves elsewhere (Windows, aarch64) and which no public method reaches here.
struct Builds {
    Elementary f;
    const char* name;
    double (*dispatched)(double);
    double (*portable)(double);
};

// Angles below 2^-20, where the remainder of the sine's and cosine's reduction is the
// angle itself, either side of the thresholds below which sin x rounds to x (2^-26)
// and cos x to 1 (2^-27): random inputs seldom draw them.
const Double kSmallAngles[] = {0x1p-28, 0x1.8p-27, 0x1p-26, 0x1.0000000000001p-26, 0x1.3p-23, 0x1.ffffffffffffp-21};

void RecordBuilds(differential::Log& log, const Builds& builds, Double x) {
    log.Begin(builds.name);
    log << x << builds.dispatched(x) << builds.portable(x);
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
    namespace cr = rt::cr;
    const Builds functions[] = {
        {Elementary::kLog, "log", cr::Log, cr::portable::Log},
        {Elementary::kExp2, "exp2", cr::Exp2, cr::portable::Exp2},
        {Elementary::kExp10, "exp10", cr::Exp10, cr::portable::Exp10},
        {Elementary::kSin, "sin", cr::Sin, cr::portable::Sin},
        {Elementary::kCos, "cos", cr::Cos, cr::portable::Cos},
        {Elementary::kAtan, "atan", cr::Atan, cr::portable::Atan},
    };
    for (const Builds& builds : functions) {
        for (const Double x : HardCases(builds.f)) RecordBuilds(log, builds, x);
        if (builds.f != Elementary::kSin && builds.f != Elementary::kCos) continue;
        for (const Double x : kSmallAngles) {
            RecordBuilds(log, builds, x);
            RecordBuilds(log, builds, -x);
        }
    }
}

}  // namespace differential
