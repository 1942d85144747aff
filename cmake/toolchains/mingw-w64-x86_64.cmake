# Windows x64 with Debian's mingw-w64 g++ (posix threads). The programs link libgcc,
# libstdc++ and winpthread statically, so they need no DLL but their own, and the
# tests run under wine64 (run-under-wine.sh keeps a private, quiet prefix in the build
# directory). Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TERVANIX_CROSS_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${CMAKE_BINARY_DIR}/wineprefix)
