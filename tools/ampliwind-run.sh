#!/usr/bin/env bash
# Runs a Windows program under this project's Wine set-up (Wine's own fonts,
# the font links, cmake/wine-session.cmake): on your X display, or without
# one on a virtual display (Xvfb), saving a PNG picture of its window.
# Installed with the runtime as bin/ampliwind-run; in the clone, give it a
# build folder (--build).
# Usage: ampliwind-run [OPTIONS] PROGRAM.exe [-- ARGS]
#   -- ARGS            the program's own arguments
#   --screenshot FILE  a picture of the started window instead
#   --dpi N            on a screen of N DPI (default 96)
#   --caption TEXT     the window to take a picture of: its caption (default
#   --class NAME       any) and class (default HalvornWndClass, the runtime's)
#   --build DIR        the sessions of that build folder (its wine-settings.cmake
#                      and tools), instead of a folder of the program's machine
#                      under $AMPLIWIND_WINE_DIR (default ~/.cache/ampliwind)
set -euo pipefail
usage() { sed -n '7,15s/^# \{0,1\}//p' "$0"; }
here=$(cd "$(dirname "$0")" && pwd)
exe= shot= dpi=96 caption="*" class=HalvornWndClass build= args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --) shift; args=("$@"); break ;;
    --screenshot) shot=$(realpath -m "${2:?--screenshot needs a file name}"); shift ;;
    --dpi) dpi=${2:?--dpi needs a number}; shift
      [[ $dpi =~ ^[1-9][0-9]{1,2}$ ]] || { echo "ampliwind-run: --dpi takes a number such as 96, 144, 192" >&2; exit 1; } ;;
    --caption) caption=${2:?--caption needs a text}; shift ;;
    --class) class=${2:?--class needs a name}; shift ;;
    --build) build=$(realpath -e "${2:?--build needs a folder}"); shift ;;
    --help|-h) usage; exit 0 ;;
    -*) echo "ampliwind-run: unknown argument $1" >&2; usage >&2; exit 2 ;;
    *) [ -z "$exe" ] || { echo "ampliwind-run: one program at a time ($exe, $1)" >&2; exit 2; }
      exe=$(realpath -e "$1") || { echo "ampliwind-run: no program $1" >&2; exit 1; } ;;
  esac
  shift
done
[ -n "$exe" ] || { usage >&2; exit 2; }

# In the clone: tools/ beside cmake/; installed: bin/ beside share/ampliwind and libexec/ampliwind.
session_script=$here/../cmake/wine-session.cmake
helpers=$here/../libexec/ampliwind
[ -f "$session_script" ] || session_script=$here/../share/ampliwind/cmake/wine-session.cmake

# The machine a program is built for is the word after "PE\0\0" at the offset at 0x3C.
machine() {
  local offset
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' '
}

if [ -z "$build" ]; then
  # A folder per machine stands in for a build folder: the settings
  # cmake/Wine.cmake writes there, and the helpers under tools/.
  arch=win32 loader=$(command -v wine || echo wine)
  if [ "$(machine "$exe")" = 8664 ]; then
    # Debian's wine64 keeps the 64-bit loader out of PATH.
    arch=win64 loader=$(command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } ||
                        command -v wine || echo wine)
  fi
  build=${AMPLIWIND_WINE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ampliwind}/$arch
  mkdir -p "$build"
  build=$(realpath "$build")
  printf 'set(HV_ARCH %s)\nset(HV_WINE_LOADER %s)\n' "$arch" "$loader" > "$build/wine-settings.cmake"
  [ ! -d "$helpers" ] || ln -sfn "$(realpath "$helpers")" "$build/tools"
fi

session=(cmake -DBUILD="$build" -DDPI="$dpi")
if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  exec "${session[@]}" -DSESSION=wine-app -P "$session_script" -- show "$exe" "${args[@]}"
fi
if [ ! -f "$build/tools/ampliwind-screenshot.exe" ]; then
  echo "ampliwind-run: no picture without $build/tools/ampliwind-screenshot.exe (build the" >&2
  echo "target runtime-package, not hvruntime alone, before cmake --install)" >&2
  exit 1
fi
if [ -z "$shot" ]; then
  echo "No X display here, so nobody could see the window: $(basename "$exe") runs on a"
  echo "virtual display (Xvfb) instead, and this saves a picture of it."
  shot=$(dirname "$exe")/$(basename "$exe" .exe).png
fi
exec "${session[@]}" -DSESSION=wine-shot -DCAPTION="$caption" -DCLASS="$class" \
  -P "$session_script" -- picture "$shot" "$exe" "${args[@]}"
