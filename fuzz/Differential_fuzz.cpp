// The differential check as a fuzz target: any difference between the normal and the
// reference library is a finding.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Differential.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string difference = differential::Compare(data, size);
    if (!difference.empty()) {
        std::fprintf(stderr, "the normal and the reference library differ\n%s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
