#!/usr/bin/env bash
# Builds Ampliwind and starts it.
#   tools/run.sh                    on Windows (MSYS2), natively; on Linux, under Wine
#   tools/run.sh --screenshot FILE  a picture of the started window instead (Linux)
#   tools/run.sh tour               the runtime tour (examples/tour) instead, on a display
#   tools/run.sh PROGRAM.exe        any program of yours on the runtime, in this project's
#                                   Wine prefix (its fonts, window frames drawn by Wine)
#   ... --dpi N                     last: on a screen of N DPI (Linux; default 96)
# On Linux without an X display it says so, runs the program on a virtual
# display, saves a PNG picture of its window, prints where, and closes it.
# Installs what is missing first (Debian, as root). The build's targets
# run-ampliwind and run-tour start a program the same way on your display.
set -euo pipefail
exe=
case "${1:-}" in
  *.exe|*.EXE) exe=$(realpath -e "$1") || { echo "run.sh: no program $1" >&2; exit 1; }; shift ;;
esac
cd "$(dirname "$0")/.."

target=ampliwind program=app/ampliwind.exe name=Ampliwind window=() preset=wine
if [ "${1:-}" = tour ]; then
  target=tour program=examples/tour/tour.exe name="The tour"
  window=(-DCAPTION="Ampliwind runtime tour" -DCLASS=HalvornFrameClass)  # the frame to wait for
  shift
fi
if [ -n "$exe" ]; then
  # The program's own; its window is a runtime window of any caption. The
  # machine it is built for is the word after "PE\0\0" at the offset at 0x3C.
  name=$(basename "$exe" .exe) target=hold-desktop program=$exe
  window=(-DCAPTION="*" -DCLASS=HalvornWndClass)
  offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  [ "$(od -An -tx2 -j$((offset + 4)) -N2 "$exe" | tr -d ' ')" = 8664 ] && preset=wine64
fi
shot=
if [ "${1:-}" = --screenshot ]; then
  shot=$(realpath -m "${2:?--screenshot needs a file name}")
  shift 2
fi
dpi=96
if [ "${1:-}" = --dpi ]; then
  dpi=${2:?--dpi needs a number}
  [[ $dpi =~ ^[1-9][0-9]{1,2}$ ]] || { echo "run.sh: --dpi takes a number such as 96, 144, 192" >&2; exit 1; }
fi

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake --preset msys2
    cmake --build --preset msys2 --target "$target"
    case "$program" in /*) exec "$program" ;; *) exec "build-msys2/$program" ;; esac
    ;;
esac

tools/install-deps.sh
cmake --preset $preset
if [ $preset = wine ] && [ -f build/vm/reason ] && [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  # A window to look at: the 64-bit twin shows the same one natively.
  echo "$(cat build/vm/reason): starting the 64-bit build of $name instead."
  preset=wine64
  cmake --preset $preset
fi
build=build; [ $preset = wine64 ] && build=build-x64
cmake --build --preset $preset -j"$(nproc)" --target "$target" ampliwind-screenshot hold-desktop
case "$program" in /*) ;; *) program=$PWD/$build/$program ;; esac
session=(cmake -DBUILD="$PWD/$build" -DDPI="$dpi")
if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  exec "${session[@]}" -DSESSION=wine-app -P cmake/wine-session.cmake -- show "$program"
fi
if [ -z "$shot" ]; then
  echo "No X display here, so nobody could see the window: $name runs on a"
  echo "virtual display (Xvfb) instead, and this saves a picture of it."
  shot="$PWD/$build/$(basename "$program" .exe).png"
fi
tools/vm/run.sh "$build" "${session[@]}" -DSESSION=wine-shot "${window[@]}" \
  -P cmake/wine-session.cmake -- picture "$shot" "$program"
