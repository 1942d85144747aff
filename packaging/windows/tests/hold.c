/* Holds tervanix_c.dll loaded, as a host program would, while CI uninstalls it:
 * hold.exe FLAGFILE loads the DLL, calls it once, prints "holding <path>" and keeps it
 * loaded until FLAGFILE is gone (at most 120 s). */
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: hold.exe FLAGFILE\n");
        return 2;
    }
    HMODULE dll = LoadLibraryW(L"tervanix_c.dll");
    if (dll == NULL) {
        fprintf(stderr, "hold: tervanix_c.dll not loaded (error %lu)\n", GetLastError());
        return 1;
    }
    if (GetProcAddress(dll, "tvx_LastFalseReason") == NULL) {
        fprintf(stderr, "hold: tervanix_c.dll has no tvx_LastFalseReason\n");
        return 1;
    }
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(dll, path, MAX_PATH);
    printf("holding %ls\n", path);
    fflush(stdout);
    for (int i = 0; i < 1200 && GetFileAttributesA(argv[1]) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    FreeLibrary(dll);
    printf("released\n");
    return 0;
}
