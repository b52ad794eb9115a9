# On Linux the build's programs run under Wine (cmake/wine-session.cmake):
# CTest starts every test program through it, and run-<program> targets start
# a program on your display.

# Debian's wine64 keeps the 64-bit loader out of PATH, and its `wine` starts
# the 32-bit loader whenever that is installed, which a kernel without 32-bit
# support cannot run.
if(HV_ARCH STREQUAL win64)
  find_program(HV_WINE_LOADER NAMES wine64 wine PATHS /usr/lib/wine)
else()
  find_program(HV_WINE_LOADER NAMES wine)
endif()
if(NOT HV_WINE_LOADER)
  set(HV_WINE_LOADER wine)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/wine-settings.cmake
     "set(HV_ARCH ${HV_ARCH})\nset(HV_WINE_LOADER ${HV_WINE_LOADER})\n")

# The one place that decides where the 32-bit programs run: 32-bit Wine needs
# a kernel that runs 32-bit programs. Where it cannot start (or HV_EMULATE_32
# asks), they run in an x86-64 machine emulated by QEMU (tools/vm/run.sh
# reads the reason from the build folder), where every Wine process costs
# seconds: each test program is then one CTest test, with longer limits.
set(HV_WINE_EMULATED "")
if(HV_ARCH STREQUAL win32)
  execute_process(COMMAND ${HV_WINE_LOADER} --version RESULT_VARIABLE rc
                  OUTPUT_QUIET ERROR_QUIET)
  # Asked for once, kept: a build that configures itself again later keeps
  # the route it was configured for (HV_EMULATE_32= empty turns it off).
  if(DEFINED ENV{HV_EMULATE_32})
    set(HV_EMULATE_32 "$ENV{HV_EMULATE_32}" CACHE STRING "Run the 32-bit programs in the emulated machine" FORCE)
  endif()
  if(HV_EMULATE_32)
    set(HV_WINE_EMULATED "HV_EMULATE_32 asks for the emulated machine")
  elseif(NOT rc EQUAL 0)
    set(HV_WINE_EMULATED "this kernel runs no 32-bit programs")
  endif()
endif()
if(HV_WINE_EMULATED)
  message(STATUS "${HV_WINE_EMULATED}: the programs run in an emulated machine")
  file(WRITE ${CMAKE_BINARY_DIR}/vm/reason "${HV_WINE_EMULATED}\n")
else()
  file(REMOVE ${CMAKE_BINARY_DIR}/vm/reason)
endif()

set(HV_WINE_SESSION ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
    -P ${CMAKE_SOURCE_DIR}/cmake/wine-session.cmake --)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR})

# run-<program>: builds the program and starts it on your X display.
function(hv_add_run_target program)
  add_custom_target(run-${program}
    COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSESSION=wine-app
            -P ${CMAKE_SOURCE_DIR}/cmake/wine-session.cmake -- show $<TARGET_FILE:${program}>
    DEPENDS ${program} USES_TERMINAL VERBATIM)
endfunction()
