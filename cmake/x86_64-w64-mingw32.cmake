# Cross-compiles for 64-bit Windows with mingw-w64's posix-thread compilers:
# the native-speed twin of the 32-bit program, for machines whose Wine runs
# 64-bit code only. On Windows (MSYS2's mingw64 shell) configure without it.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
