# Windows x86 (32-bit) with Debian's mingw-w64 g++ (posix threads), for the 32-bit
# build of the Windows component (com/). Its programs run under the 32-bit loader of
# wine32:i386 (`wine`), in a 64-bit prefix through C:\windows\syswow64.
# Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TERVANIX_CROSS_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
