// The differential check as a fuzz target: any difference between the normal and the
// reference library is a finding. Before the first input it sweeps the hard cases of
// the correctly rounded functions (HardCases.h), so that a run over the saved corpus
// also runs their slow paths, which the coverage gate requires
// (scripts/ci/differential-coverage.sh).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Differential.h"
#include "HardCases.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::size_t calls = 0;
    const std::string difference = differential::CompareHardCases(calls);
    if (!difference.empty()) {
        std::fprintf(stderr, "the normal and the reference library differ on a hard case\n%s\n", difference.c_str());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string difference = differential::Compare(data, size);
    if (!difference.empty()) {
        std::fprintf(stderr, "the normal and the reference library differ\n%s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
