#!/usr/bin/env bash
# Builds a program and starts it: on Linux under Wine on your X display,
# where your window manager draws the frames; without a display on a virtual
# one (Xvfb), where Wine draws them, saving a PNG picture of the window.
# Installs what is missing first (Debian, as root).
# Usage: tools/run.sh [tour | PROGRAM.exe] [OPTIONS] [-- ARGS]
#   (nothing)          Ampliwind; tour: the runtime tour; PROGRAM.exe: yours
#   -- ARGS            the program's own arguments
#   --screenshot FILE  a picture of the started window instead (Linux)
#   --dpi N            on a screen of N DPI (Linux; default 96)
#   --diagnostics      the runtime's diagnostics mode (HV_DIAGNOSTICS=1), its
#                      lines shown (from Wine's WINEDEBUG=+debugstr)
set -euo pipefail
usage() { sed -n '6,12s/^# \{0,1\}//p' "$0"; }
target=ampliwind program=app/ampliwind.exe name=Ampliwind window=()
exe= shot= dpi=96 diag= args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --) shift; args=("$@"); break ;;
    --screenshot) shot=$(realpath -m "${2:?--screenshot needs a file name}"); shift ;;
    --dpi) dpi=${2:?--dpi needs a number}; shift
      [[ $dpi =~ ^[1-9][0-9]{1,2}$ ]] || { echo "run.sh: --dpi takes a number such as 96, 144, 192" >&2; exit 1; } ;;
    --diagnostics) diag=1 ;;
    --help|-h) usage; exit 0 ;;
    tour) target=tour program=examples/tour/tour.exe name="The tour"
      window=(-DCAPTION="Ampliwind runtime tour" -DCLASS=HalvornFrameClass) ;;  # the frame a picture waits for
    *.exe|*.EXE) exe=$(realpath -e "$1") || { echo "run.sh: no program $1" >&2; exit 1; } ;;
    *) echo "run.sh: unknown argument $1" >&2; usage >&2; exit 2 ;;
  esac
  shift
done
cd -P "$(dirname "$0")/.."
# With --diagnostics, of Wine's debug strings only the runtime's are shown, as they read.
run() {
  [ -n "$diag" ] || { "$@"; return; }
  "$@" 2>&1 | sed -u -e '/:debugstr:/{/OutputDebugStringA "hv: /!d;s/^.*OutputDebugStringA "\(.*\)\\n"$/\1/}'
}
[ -z "$diag" ] || export HV_DIAGNOSTICS=1 WINEDEBUG=${WINEDEBUG:-fixme-all},+debugstr
preset=wine
if [ -n "$exe" ]; then
  # The program's own; its window is a runtime window of any caption. The
  # machine it is built for is the word after "PE\0\0" at the offset at 0x3C.
  name=$(basename "$exe" .exe) target=hold-desktop program=$exe
  window=(-DCAPTION="*" -DCLASS=HalvornWndClass)
  offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  [ "$(od -An -tx2 -j$((offset + 4)) -N2 "$exe" | tr -d ' ')" = 8664 ] && preset=wine64
fi

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake --preset msys2
    cmake --build --preset msys2 --target "$target"
    case "$program" in /*) ;; *) program=build-msys2/$program ;; esac
    exec "$program" "${args[@]}" ;;
esac

tools/install-deps.sh
# Configure and build quietly: their output only when they fail. A build
# folder reconfigures itself when the project's CMake files change.
log=$(mktemp); trap 'rm -f "$log"' EXIT
quietly() { "$@" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }; }
configure() {
  local dir=build; [ "$1" = wine64 ] && dir=build-x64
  [ -f $dir/Makefile ] || quietly cmake --preset "$1"  # a failed configure leaves a cache, no Makefile
}
# Two runs at once take turns to configure and build, then run side by side.
exec 9>>"$PWD/.run.lock"
flock 9
configure $preset
if [ $preset = wine ] && [ -f build/vm/reason ]; then
  # 32-bit programs would run only in the emulated machine, minutes to start:
  # the 64-bit build of the same program runs natively.
  if [ -n "$exe" ]; then
    case "$exe" in "$PWD"/build/*) ;; *)
      echo "$(cat build/vm/reason), so $name (32-bit) cannot run here: build it for 64-bit" >&2
      echo "Windows (the toolchain file cmake/x86_64-w64-mingw32.cmake) and run that." >&2
      exit 2 ;;
    esac
    target=$name program=$PWD/build-x64/${exe#"$PWD"/build/}
  fi
  echo "$(cat build/vm/reason): starting the 64-bit build of $name instead."
  preset=wine64
  configure $preset
fi
build=build; [ $preset = wine64 ] && build=build-x64
quietly cmake --build --preset $preset -j"$(nproc)" --target "$target" ampliwind-screenshot hold-desktop
flock -u 9
case "$program" in /*) ;; *) program=$PWD/$build/$program ;; esac
session=(cmake -DBUILD="$PWD/$build" -DDPI="$dpi")
if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  run "${session[@]}" -DSESSION=wine-app -P cmake/wine-session.cmake -- show "$program" "${args[@]}"
  exit
fi
asked=$shot
[ -n "$shot" ] || shot="$PWD/$build/$(basename "$program" .exe).png"
run tools/vm/run.sh "$build" "${session[@]}" -DSESSION=wine-shot "${window[@]}" \
  -P cmake/wine-session.cmake -- picture "$shot" "$program" "${args[@]}"
if [ -z "$asked" ]; then
  echo "There was no X display here, so nobody could see the window: $name ran on a"
  echo "virtual display (Xvfb) instead, and the picture above shows it."
fi
