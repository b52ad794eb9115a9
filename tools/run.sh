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
target=ampliwind program=app/ampliwind.exe name=Ampliwind window=() picture=
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
      window=("Ampliwind runtime tour" HalvornFrameClass) ;;  # the frame a picture waits for
    *.exe|*.EXE) exe=$(realpath -e "$1") || { echo "run.sh: no program $1" >&2; exit 1; } ;;
    *) echo "run.sh: unknown argument $1" >&2; usage >&2; exit 2 ;;
  esac
  shift
done
cd "$(dirname "$0")/.."
# With --diagnostics, of Wine's debug strings only the runtime's are shown, as they read.
run() {
  [ -n "$diag" ] || { "$@"; return; }
  "$@" 2>&1 | sed -u -e '/:debugstr:/{/OutputDebugStringA "hv: /!d;s/^.*OutputDebugStringA "\(.*\)\\n"$/\1/}'
}
[ -z "$diag" ] || export HV_DIAGNOSTICS=1 WINEDEBUG=${WINEDEBUG:-fixme-all},+debugstr
# The machine a program is built for: the word after "PE\0\0" at the offset at 0x3C.
exe_machine() {
  local offset
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' '
}
if [ -n "$exe" ]; then
  # The program's own; the build of its architecture gives the Wine prefix
  # and the screenshot helper. Its window is a runtime window of any caption.
  name=$(basename "$exe" .exe)
  target=hold-desktop program=$exe picture=$name window=("*" HalvornWndClass)
  [ "$(exe_machine "$exe")" = 8664 ] && BUILD_DIR=${BUILD_DIR:-build-x64}
fi

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake --preset msys2
    cmake --build --preset msys2 --target "$target"
    case "$program" in /*) exec "$program" "${args[@]}" ;; *) exec "build-msys2/$program" "${args[@]}" ;; esac
    ;;
esac

build=$(realpath -m "${BUILD_DIR:-build}")
toolchain=i686-w64-mingw32
[ "$(basename "$build")" = build-x64 ] && toolchain=x86_64-w64-mingw32
tools/install-deps.sh
. tools/wine-env.sh
if [ -z "$exe" ] && ! wine_env_native win32 && [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  # A window to look at: the 64-bit twin shows the same one natively.
  if wine_env_native win64; then
    echo "$(wine_env_why_emulated): starting the 64-bit build of $name instead."
    build="$build-x64" toolchain=x86_64-w64-mingw32
  else
    wine_env_check || true
    echo "run.sh: no window can be shown here; tools/run.sh --screenshot FILE works" >&2
    exit 1
  fi
fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target "$target" ampliwind-screenshot hold-desktop

if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  # Preparing leaves a wineserver running for the whole session: it ends with
  # the program, as does anything else started here.
  state="$build/wine-app"
  trap 'wine_env_stop "$state"' EXIT
  wine_env_prepare "$state" no
  wine_env_dpi "$dpi"
  case "$program" in /*) ;; *) program=$build/$program ;; esac
  run wine "$program" "${args[@]}"
  exit
fi

if [ -z "$shot" ]; then
  echo "No X display here, so nobody could see the window: $name runs on a"
  echo "virtual display (Xvfb) instead, and this saves a picture of it."
  shot="$build/${picture:-$target}.png"
fi
runner=()
wine_env_runner runner "$(cat "$build/wine-arch")" "$build"
[ ${#runner[@]} -eq 0 ] || echo "$(wine_env_why_emulated): $name runs in an x86-64 machine
emulated by QEMU, on a virtual display there; this takes a few minutes."
run "${runner[@]}" tools/make-screenshot.sh --dpi "$dpi" "$build" "$program" "$shot" "${window[@]}" -- "${args[@]}"
