// Prints one line per class: its name and the digest of all the results its section
// computed. CTest compares the lines with expected.txt, so every build and compiler
// that passes computes the same digits as the build that wrote the file.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Sections.h"

namespace {

struct Section {
    const char* name;
    void (*run)(fingerprint::Digest&);
};

const Section kSections[] = {
#define TERVANIX_SECTION(name, function) {name, function},
    TERVANIX_FINGERPRINT_CLASS_SECTIONS(TERVANIX_SECTION)
#undef TERVANIX_SECTION
    {"InterpolationOf1DArray.targets", fingerprint::Lookup1DSingle},
    {"InterpolationOf1DArrayBatch", fingerprint::Lookup1DBatch},
    {"Interp2D.targets", fingerprint::Lookup2DSingle},
    {"Interp2DBatch", fingerprint::Lookup2DBatch},
    {"Interp3D.Interp4D.targets", fingerprint::LookupGridsSingle},
    {"Interp3DBatch.Interp4DBatch", fingerprint::LookupGridsBatch},
    {"CSort.shared", fingerprint::SharedSorting},
    {"CInterpolation.cInterp2.shared", fingerprint::SharedInterpolation},
    {"cGeom.shared", fingerprint::SharedGeometry},
    {"cMatrixOps.shared", fingerprint::SharedMatrices},
    {"Batch.shared", fingerprint::SharedBatch},
};

}  // namespace

int main() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n, not \r\n: the same bytes everywhere
#endif
    for (const Section& section : kSections) {
        fingerprint::Digest digest;
        section.run(digest);
        std::printf("%s %016llx\n", section.name, static_cast<unsigned long long>(digest.Value()));
    }
    return 0;
}
