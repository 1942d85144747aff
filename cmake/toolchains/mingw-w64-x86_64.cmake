# Windows x64 with Debian's mingw-w64 g++ (posix threads). The programs link libgcc,
# libstdc++ and winpthread statically, so they need no DLL but their own, and the
# tests run under wine64 (run-under-wine.sh keeps a private, quiet prefix in the build
# directory). Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TERVANIX_CROSS_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TERVANIX_CROSS_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TERVANIX_CROSS_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TERVANIX_CROSS_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TERVANIX_CROSS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${CMAKE_BINARY_DIR}/wineprefix)
