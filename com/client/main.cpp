// tervanix_com_client: drives tervanix_com.dll through IDispatch::Invoke.
//   fingerprint   the fingerprint's class sections through the component (or those named)
//   checks        the binding checks a script cannot make (see Checks.cpp)
//   clean         that no registry key of the component is left (after unregistering)
//   bench         the cost of one call, late and early bound
//   user          the per-user registration, read as the platform reads it
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include <fcntl.h>
#include <io.h>

namespace comclient {
int Fingerprint(int count, char** only);
int Checks();
int Clean();
int Bench();
int User();
}  // namespace comclient

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n, as the expected file's
    if (argc < 2) {
        std::fprintf(stderr, "usage: tervanix_com_client fingerprint [SECTION...]|checks|clean|bench|user\n");
        return 2;
    }
    if (std::strcmp(argv[1], "clean") == 0) return comclient::Clean();
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
    int rc = 2;
    try {
        if (std::strcmp(argv[1], "fingerprint") == 0) rc = comclient::Fingerprint(argc - 2, argv + 2);
        else if (std::strcmp(argv[1], "checks") == 0) rc = comclient::Checks();
        else if (std::strcmp(argv[1], "bench") == 0) rc = comclient::Bench();
        else if (std::strcmp(argv[1], "user") == 0) rc = comclient::User();
    } catch (const std::exception& e) {
        std::printf("FAILED: %s\n", e.what());
        rc = 1;
    }
    std::fflush(stdout);
    // The stand-ins of the default instances are kept to the end: leave without
    // releasing them after the component is gone.
    CoUninitialize();
    return rc;
}
