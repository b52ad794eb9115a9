# Runs a build's Windows programs under Wine on Linux. Each session (a folder
# under the build: wine for the tests, wine-app for a program on your display,
# wine-shot for pictures) has a Wine prefix, and when started a virtual display
# (Xvfb) and a persistent wineserver of its own.
#   cmake -DBUILD=DIR [-DSESSION=NAME] [-DDPI=N] -P wine-session.cmake -- ACTION [ARGS...]
#   start            prepares the prefix; starts the display, the wineserver, Wine's desktop
#   stop             ends what start started
#   env              prepares the prefix; prints the environment a program of the session
#                    runs in, as shell assignments (tools/wine-run.sh); without a started
#                    session, no display (test discovery comes before the session starts)
#   show PROGRAM ... runs a program on your X display at DPI (default 96)
#   picture FILE PROGRAM ...
#                    a PNG of the program's window on a display of its own, at DPI; the
#                    window is the calculator's, or -DCAPTION= (* for any) and -DCLASS=
#   run PROGRAM ...  starts the session, runs a program in it, ends the session; fails
#                    as the program does
# A session that cannot start stops with one line naming it and the reason.
# HV_WINE_SESSIONS in the environment puts the sessions there instead of in
# the build folder (the emulated machine keeps them in its own memory).
cmake_minimum_required(VERSION 3.20)
include(${BUILD}/wine-settings.cmake)  # HV_ARCH, HV_WINE_LOADER (cmake/Wine.cmake)
get_filename_component(source ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
if(NOT SESSION)
  set(SESSION wine)
endif()
if(NOT DPI)
  set(DPI 96)
endif()
set(state ${BUILD}/${SESSION})
if(DEFINED ENV{HV_WINE_SESSIONS})
  get_filename_component(build_name ${BUILD} NAME)
  set(state $ENV{HV_WINE_SESSIONS}/${build_name}/${SESSION})
endif()
file(MAKE_DIRECTORY ${state})

set(args)
set(seen OFF)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(seen)
    list(APPEND args "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(seen ON)
  endif()
endforeach()
list(POP_FRONT args action)

set(ENV{WINEPREFIX} ${state}/prefix)
set(ENV{WINEARCH} ${HV_ARCH})
if(HV_ARCH STREQUAL win64)
  set(ENV{WINELOADER} ${HV_WINE_LOADER})  # what Wine starts further programs with
else()
  unset(ENV{WINELOADER})
endif()
# Wine's error lines stay on, its notes on what it lacks do not: a program
# that ends without a word of its own may have ended in one of Wine's errors.
if(NOT DEFINED ENV{WINEDEBUG})
  set(ENV{WINEDEBUG} fixme-all)
endif()
if(NOT DEFINED ENV{WINEDLLOVERRIDES})
  set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
endif()
# Debian's Wine comes without the preloader that keeps the addresses Windows
# programs need free: with the address space laid out at random, the loader's
# heap now and then lay where Wine maps the shared user data, and the program
# ended before it started. Laid out the same way every time, it never does.
set(wine setarch -R ${HV_WINE_LOADER})
if(DEFINED ENV{HV_WINE_LOADER})  # a test shows what the loader is started with
  set(wine setarch -R $ENV{HV_WINE_LOADER})
endif()

# Runs a command with no terminal or pipe of ours: Wine's helper processes
# live as long as the wineserver, and a caller reading our output would wait
# for them.
function(quiet)
  execute_process(COMMAND ${ARGN} INPUT_FILE /dev/null OUTPUT_FILE /dev/null
                  ERROR_FILE /dev/null RESULT_VARIABLE rc)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

# The session cannot start: one line that names it and says why, and nothing
# further runs in it.
function(not_started reason)
  message(NOTICE "wine-session: the Wine session ${SESSION} (${BUILD}) did not start: ${reason}")
  stop_session()
  message(FATAL_ERROR "")
endfunction()

function(windows_path out path)
  string(REPLACE "/" "\\" path "Z:${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# The one place a prefix is prepared: Wine's own fonts where this Wine build
# looks for them, and every setting in one import (each Wine process costs a
# wineserver start here, most of a minute in the emulated machine).
function(prepare_prefix own_display)
  file(LOCK ${state}/lock GUARD FUNCTION)
  # A prefix made from other font settings is made again.
  set(setup)
  foreach(input tools/wine-fonts.reg tools/wine-bold-face.py)
    file(SHA256 ${source}/${input} hash)
    string(APPEND setup "${hash}\n")
  endforeach()
  if(EXISTS ${state}/prefix/.ampliwind-ready)
    file(READ ${state}/prefix/.ampliwind-ready made)
    if(made STREQUAL setup)
      return()
    endif()
    quiet(wineserver -k)
    quiet(wineserver -w)
    file(REMOVE_RECURSE ${state}/prefix)
  endif()
  execute_process(COMMAND ${HV_WINE_LOADER} --version RESULT_VARIABLE rc OUTPUT_QUIET
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(STRIP "${err}" err)
    string(REPLACE "\n" "; " err "${err}")
    not_started("Wine cannot start here (${err}); a kernel that runs no 32-bit programs "
                "cannot run 32-bit Wine: tools/test.sh runs them in an emulated machine")
  endif()
  quiet(${wine} wineboot -i)
  set(booted ${rc})
  file(GLOB fonts /usr/share/wine/fonts/*)
  file(COPY ${fonts} DESTINATION ${state}/prefix/drive_c/windows/Fonts)
  # Wine's Tahoma Bold is bold only up to 12 pixels (tools/wine-bold-face.py).
  find_program(python NAMES python3 python)
  execute_process(COMMAND ${python} ${source}/tools/wine-bold-face.py
                          /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf
                          ${state}/prefix/drive_c/windows/Fonts/tahomabd.ttf
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(WARNING "Tahoma Bold stays regular from 13 pixels up: ${python}: ${rc} ${err}")
  endif()
  # Substitutes for the two faces Wine does not ship; on a virtual display,
  # frames drawn by Wine (with no window manager a managed window waits 2 s
  # for one when destroyed); a crashing program prints a backtrace and ends
  # instead of waiting in a dialog nobody sees.
  set(reg "REGEDIT4\n")
  foreach(key "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes"
              "HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements")
    string(APPEND reg "\n[${key}]\n\"Courier New\"=\"Liberation Mono\"\n"
                      "\"Microsoft Sans Serif\"=\"Liberation Sans\"\n")
  endforeach()
  if(own_display)
    string(APPEND reg "\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n\"Managed\"=\"N\"\n")
  endif()
  string(APPEND reg "\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n\"ShowCrashDialog\"=dword:00000000\n")
  # The interface faces' font links (tools/wine-fonts.reg), with the fonts
  # they name in the Fonts folder under the names Wine's own links use.
  if(EXISTS ${source}/tools/wine-fonts.reg)
    foreach(link MSGOTHIC.TTC=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
                 SIMSUN.TTC=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
      string(REPLACE "=" ";" link ${link})
      list(GET link 0 name)
      list(GET link 1 font)
      if(EXISTS ${font})
        file(CREATE_LINK ${font} ${state}/prefix/drive_c/windows/Fonts/${name} SYMBOLIC)
      else()
        message(WARNING "${font} is missing: its scripts will show as boxes")
      endif()
    endforeach()
    file(READ ${source}/tools/wine-fonts.reg links)
    # Past its REGEDIT4 header (a REGEX REPLACE would take "^" at every line).
    string(FIND "${links}" "\n" header_end)
    string(SUBSTRING "${links}" ${header_end} -1 links)
    string(APPEND reg "${links}")
  endif()
  file(WRITE ${state}/settings.reg "${reg}")
  windows_path(settings ${state}/settings.reg)
  quiet(${wine} regedit /S ${settings})
  quiet(wineserver -w)  # which writes the registry
  if(NOT booted EQUAL 0 OR NOT EXISTS ${state}/prefix/system.reg)
    not_started("its Wine prefix did not boot (wineboot: ${booted})")
  endif()
  file(WRITE ${state}/prefix/.ampliwind-ready "${setup}")
endfunction()

# The screen's DPI for the programs started from now on (read as a process starts).
function(set_dpi dpi)
  quiet(${wine} reg add "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"
        /v LogPixels /t REG_DWORD /d ${dpi} /f)
endfunction()

# An Xvfb of the session's own, so programs never type into somebody's
# desktop and sessions that inject input don't meet. It writes its display's
# number once it accepts clients. Two Xvfb starting at once can pick the same
# free number, and the later one ends: starts on this machine take turns.
function(start_display)
  file(LOCK /tmp/ampliwind-xvfb.lock GUARD FUNCTION TIMEOUT 120)
  file(REMOVE ${state}/display)
  execute_process(COMMAND setsid -f sh -c "echo $$ > xvfb.pid && exec Xvfb -displayfd 1 -screen 0 2560x1600x24 -nolisten tcp"
                  WORKING_DIRECTORY ${state}
                  INPUT_FILE /dev/null OUTPUT_FILE ${state}/display ERROR_FILE ${state}/xvfb.log)
  foreach(i RANGE 600)
    file(READ ${state}/display number)
    if(number MATCHES "^([0-9]+)\n")
      set(ENV{DISPLAY} ":${CMAKE_MATCH_1}")
      return()
    endif()
    execute_process(COMMAND sleep 0.1)
  endforeach()
  xvfb_said(said)
  not_started("its virtual display (Xvfb) did not start: Xvfb said \"${said}\"")
endfunction()

# What Xvfb said last, for a display that did not start or did not last.
function(xvfb_said out)
  set(said "nothing")
  if(EXISTS ${state}/xvfb.log)
    # Its error block: "(EE) " rules, a header, indented advice, the reason.
    file(STRINGS ${state}/xvfb.log lines)
    list(FILTER lines EXCLUDE REGEX "^(\\(EE\\) *|[ \t].*|Fatal server error:|)$")
    list(TRANSFORM lines REPLACE "^\\(EE\\) " "")
    if(lines)
      list(GET lines -1 said)
    endif()
  endif()
  set(${out} "${said}" PARENT_SCOPE)
endfunction()

# Xvfb writes its number before a second server on the same number gives up
# ("server already running"): the display is the session's only if its Xvfb
# still runs once a Wine program has used it.
function(check_display)
  set(alive OFF)
  if(EXISTS ${state}/xvfb.pid)
    file(READ ${state}/xvfb.pid pid)
    string(STRIP "${pid}" pid)
    if(EXISTS /proc/${pid}/stat)
      file(READ /proc/${pid}/stat stat)
      if(NOT stat MATCHES "^[0-9]+ \\(.*\\) [ZX]")  # ended, not yet reaped
        set(alive ON)
      endif()
    endif()
  endif()
  if(NOT alive)
    xvfb_said(said)
    not_started("its virtual display $ENV{DISPLAY} ended: Xvfb said \"${said}\"")
  endif()
endfunction()

# The display of the started session, if it runs.
function(use_display)
  unset(ENV{DISPLAY})
  if(EXISTS ${state}/display)
    file(READ ${state}/display number)
    string(STRIP "${number}" number)
    set(ENV{DISPLAY} ":${number}")
  endif()
endfunction()

# One persistent wineserver makes each further Wine process start in tens of
# milliseconds; a held desktop spares each program starting Wine's desktop
# process again (tools/desktop).
# The first program of the session opens a window: without a display that
# answers, Wine's desktop cannot start and no window opens.
function(start_session)
  stop_session()  # what an interrupted run left
  start_display()
  check_display()
  prepare_prefix(ON)
  quiet(wineserver -p)
  if(NOT rc EQUAL 0)
    not_started("its wineserver did not start (${rc})")
  endif()
  # Its error output to a file: Wine's desktop, started by it, keeps a pipe open.
  execute_process(COMMAND ${wine} ${BUILD}/tools/hold-desktop.exe --check
                  INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE ${state}/check.log
                  RESULT_VARIABLE rc TIMEOUT 600)
  check_display()
  if(NOT rc EQUAL 0)
    file(STRINGS ${state}/check.log said REGEX "driver|display|explorer")
    list(JOIN said " " said)
    not_started("no window opens on its display $ENV{DISPLAY} (${rc}: ${said})")
  endif()
  quiet(setsid -f ${wine} ${BUILD}/tools/hold-desktop.exe)
endfunction()

function(stop_session)
  # The server writes the registry as it ends: wait, or a machine that powers
  # off next (the emulated one) keeps a half-written prefix.
  quiet(wineserver -k)
  quiet(wineserver -w)
  if(EXISTS ${state}/xvfb.pid)
    file(READ ${state}/xvfb.pid pid)
    string(STRIP "${pid}" pid)
    if(EXISTS /proc/${pid}/comm)
      file(READ /proc/${pid}/comm name)
      if(name MATCHES "^Xvfb")
        quiet(kill ${pid})
      endif()
    endif()
  endif()
  file(REMOVE ${state}/display ${state}/xvfb.pid)
endfunction()

if(action STREQUAL start)
  start_session()
elseif(action STREQUAL stop)
  stop_session()
elseif(action STREQUAL env)
  # For tools/wine-run.sh: the session's environment as shell assignments.
  prepare_prefix(ON)
  use_display()
  if(NOT DEFINED ENV{DISPLAY})  # Wine would say, for each program, that it has none
    set(ENV{WINEDEBUG} "$ENV{WINEDEBUG},err-winediag,err-systray")
  endif()
  set(out "wine=(")
  foreach(word IN LISTS wine)
    string(REPLACE "'" "'\\''" word "${word}")
    string(APPEND out " '${word}'")
  endforeach()
  string(APPEND out " )\nunset DISPLAY\n")
  foreach(name WINEPREFIX WINEARCH WINELOADER WINEDEBUG WINEDLLOVERRIDES DISPLAY)
    if(DEFINED ENV{${name}})
      string(REPLACE "'" "'\\''" value "$ENV{${name}}")
      string(APPEND out "export ${name}='${value}'\n")
    endif()
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "${out}")
elseif(action STREQUAL run)
  start_session()
  # Its output through a file, shown after: helper processes it starts
  # would hold a pipe of ours open until the server ends.
  execute_process(COMMAND ${wine} ${args} INPUT_FILE /dev/null OUTPUT_FILE ${state}/program.out
                  ERROR_FILE ${state}/program.out RESULT_VARIABLE rc)
  stop_session()
  execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${state}/program.out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${args}: exit code ${rc}")
  endif()
elseif(action STREQUAL show)
  if(NOT DEFINED ENV{DISPLAY})
    message(FATAL_ERROR "No X display to show the program on; "
            "tools/run.sh --screenshot FILE takes a picture of it instead.")
  endif()
  prepare_prefix(OFF)
  set_dpi(${DPI})
  # Its wineserver ends after the last program of the prefix: one started
  # beside this one by another run keeps running.
  execute_process(COMMAND ${wine} ${args})
elseif(action STREQUAL picture)
  list(POP_FRONT args shot)
  set(window)
  if(CAPTION)
    set(window ${CAPTION} ${CLASS})
  endif()
  # One picture at a time in the session: a second run waits for the first
  # instead of ending its display and server.
  file(LOCK ${state}/picture.lock GUARD PROCESS TIMEOUT 900)
  start_session()
  set_dpi(${DPI})
  file(REMOVE ${shot})
  windows_path(windows_shot ${shot})
  # The helper closes the program once it has the picture. The program's own
  # output (what it prints with no window as the target) is shown after.
  execute_process(COMMAND sh -c "\"$@\" > \"$0\"" ${state}/program.out ${wine} ${args}
                  COMMAND ${wine} ${BUILD}/tools/ampliwind-screenshot.exe ${windows_shot} ${window}
                  TIMEOUT 300 RESULTS_VARIABLE results)
  stop_session()
  execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${state}/program.out)
  if(NOT EXISTS ${shot} OR NOT results STREQUAL "0;0")
    message(FATAL_ERROR "No picture of the window was saved (exit codes: ${results})")
  endif()
  message(STATUS "Picture of the window: ${shot}")
else()
  message(FATAL_ERROR "wine-session: no action ${action}")
endif()
