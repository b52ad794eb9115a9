# What both clang toolchain files share: clang and lld for TOOLCHAIN_PREFIX,
# on the headers and libraries of the posix-thread GCC cross compiler, which
# clang does not find by itself. The resource compiler and the archiver stay
# the GNU cross tools.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
# Without it clang also searches the host's own include folder.
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})

find_program(CMAKE_AR ${TOOLCHAIN_PREFIX}-ar REQUIRED)
find_program(CMAKE_RANLIB ${TOOLCHAIN_PREFIX}-ranlib REQUIRED)

# The GCC cross compiler's own folders: where libgcc lies (its libstdc++ and
# crt files beside it) and the C++ header folders it searches.
set(gcc ${TOOLCHAIN_PREFIX}-g++-posix)
execute_process(COMMAND ${gcc} -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${libgcc}")
  message(FATAL_ERROR "clang for ${TOOLCHAIN_PREFIX} needs ${gcc}'s libraries: install g++-mingw-w64")
endif()
get_filename_component(HV_GCC_LIBRARY_DIR ${libgcc} DIRECTORY)
execute_process(COMMAND ${gcc} -xc++ -E -v - INPUT_FILE /dev/null
                OUTPUT_QUIET ERROR_VARIABLE search)
string(REGEX MATCH "search starts here:\n(.*)End of search list" search "${search}")
string(REGEX MATCHALL "[^ \n]+/c\\+\\+[^ \n]*" cxx_headers "${CMAKE_MATCH_1}")
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${cxx_headers})

# Debian's posix-thread libstdc++ needs winpthreads, which clang's driver
# links only with -pthread (GCC's always does).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${HV_GCC_LIBRARY_DIR}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${HV_GCC_LIBRARY_DIR}")
