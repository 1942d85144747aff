# What the mingw-w64 toolchain files share (included by mingw-w64-x86_64.cmake and
# mingw-w64-i686.cmake, which set TERVANIX_CROSS_PREFIX and CMAKE_SYSTEM_PROCESSOR):
# Debian's posix-threads compilers, the target's root for libraries and headers, and
# static libgcc, libstdc++ and winpthread, so that each program needs no DLL but its own.
set(CMAKE_SYSTEM_NAME Windows)
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
