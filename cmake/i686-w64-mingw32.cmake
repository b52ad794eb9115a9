# Cross-compiles for 32-bit Windows (the product) with mingw-w64's
# posix-thread compilers. On Windows (MSYS2's mingw32 shell) configure
# without this file: the native i686 gcc is found on PATH.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
