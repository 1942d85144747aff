# Windows x86 (32-bit) with Debian's mingw-w64 g++ (posix threads); like
# mingw-w64-x86_64.cmake, the programs and DLLs link libgcc, libstdc++ and winpthread
# statically. Programs run under the 32-bit wine loader (wine32), where the machine
# runs 32-bit programs. Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TERVANIX_CROSS_PREFIX i686-w64-mingw32)
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
