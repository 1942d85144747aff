// `tervanix_com_client fingerprint`: the fingerprint's class sections, compiled
// against the stand-ins of proxy/ so that every call goes through the component's
// IDispatch, print the lines that tests/fingerprint/expected.txt holds for them.
#include <cstdio>
#include <cstring>

#include "Sections.h"

namespace comclient {

// Only the sections named in `only` (all when empty).
int Fingerprint(int count, char** only) {
    struct Section {
        const char* name;
        void (*run)(fingerprint::Digest&);
    };
    const Section sections[] = {
#define TERVANIX_SECTION(name, function) {name, function},
        TERVANIX_FINGERPRINT_CLASS_SECTIONS(TERVANIX_SECTION)
#undef TERVANIX_SECTION
    };
    for (const Section& section : sections) {
        bool wanted = count == 0;
        for (int k = 0; k < count; ++k) wanted = wanted || std::strcmp(only[k], section.name) == 0;
        if (!wanted) continue;
        fingerprint::Digest digest;
        section.run(digest);
        std::printf("%s %016llx\n", section.name, static_cast<unsigned long long>(digest.Value()));
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace comclient
