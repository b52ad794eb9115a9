# Cross-compiles for 64-bit Windows with clang and lld: the 64-bit build
# under a second compiler, whose warnings and checks differ from GCC's.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-w64-common.cmake)
