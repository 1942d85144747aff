// The hard cases of the correctly rounded functions in the differential check: the
// arguments of tools/rounding/hard-cases/, whose exact results lie within 2^-20 units
// in the last place of a midpoint between two Doubles, where the normal library's
// rounding test must send them to its slow path. A random argument lands there about
// once in 500,000 draws, so every run of the differential program sweeps all of them
// (CompareHardCases) before its random inputs.
//
// They reach the functions through the public methods: the logarithm through
// cGenUtil.Log10, 10^y through cGenUtil.Log10Sum (with Y so low that 10^Y is 0, so
// that a wrong last bit of 10^X shows in the logarithm, which it does for |X| below
// about 0.4) and cGenUtil.LogDBSum, the sine and cosine through cGeom.PolarToCart at
// r = 1 (the angle in degrees whose cGeom.DegToRad is the argument exactly), the
// arctangent through cGeom.CartToPolar at X = 1. No public method takes 2^y.
// Like Differential.h, this header uses no type of the library.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Differential.h"

namespace differential {

enum class Elementary { kLog, kExp2, kExp10, kSin, kCos, kAtan };

// The function's list.
const std::vector<double>& HardCases(Elementary f);

// The angles in degrees whose cGeom.DegToRad, (theta * pi) / 180 with the class's pi,
// is a hard case of the sine or of the cosine exactly (most of them have one).
const std::vector<double>& HardDegrees(Elementary f);

// Every hard case through its public method on each side, one line per call, then
// straight through both builds of its function, the dispatched and the portable one
// (HardCaseCalls.cpp, compiled against each library).
void RunNormalHardCases(Log& log);
void RunReferenceHardCases(Log& log);

// The sweep through both libraries: the empty string when they agree, else the
// first call whose lines differ; `calls` receives the number of calls.
std::string CompareHardCases(std::size_t& calls);

}  // namespace differential
