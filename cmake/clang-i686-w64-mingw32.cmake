# Cross-compiles for 32-bit Windows (the product) with clang and lld.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-w64-common.cmake)
