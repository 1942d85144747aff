// CI's check of the installed C++ library (scripts/ci/windows-package.sh): built with
// mingw-w64 g++ through the installed tervanix.pc, it prints the installed headers'
// version and one result, which CI compares with the project's version and the digits
// the README gives.
#include <cstdio>

#include <Tervanix/Tervanix.h>

int main() {
    const tervanix::Double level = tervanix::cGenUtil().LogDBSum(85.0, 82.0);
    std::printf("installed C++ library %s: LogDBSum(85, 82) = %.16g\n", TERVANIX_VERSION_STRING, level);
    return 0;
}
