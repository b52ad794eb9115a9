#!/usr/bin/env bash
# Takes a picture of a program of a build on a virtual display (Xvfb) under
# Wine: starts it, saves its window once drawn as PNG, closes it. Where the
# build's programs run; tools/run.sh --screenshot calls it.
#   tools/make-screenshot.sh [--dpi N] BUILD_DIR PROGRAM FILE.png [CAPTION CLASS] [-- ARGS]
# --dpi: the screen's DPI for the picture (default 96).
# PROGRAM is relative to BUILD_DIR, or an absolute path; CAPTION and CLASS name the window to
# wait for (default the calculator's; the caption * stands for any); ARGS go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=96
[ "${1:-}" = --dpi ] && { dpi=$2; shift 2; }
build=$1 program=$2 shot=$3
shift 3
window=() args=()
while [ $# -gt 0 ]; do [ "$1" = -- ] && { shift; args=("$@"); break; }; window+=("$1"); shift; done
target=$(basename "$program" .exe)
. tools/wine-env.sh
# A prefix of its own: on a virtual display Wine draws the window frames itself.
state="$build/wine-shot"
# Set before preparing: a preparation that fails halfway stops what it started.
trap 'wine_env_stop "$state"' EXIT
wine_env_prepare "$state" yes
wine_env_dpi "$dpi"
# Keeps Wine's desktop up between the two programs below (tools/desktop).
wine "$build/tools/hold-desktop.exe" </dev/null >/dev/null 2>&1 &
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
case "$program" in /*) ;; *) program=$build/$program ;; esac
wine "$program" "${args[@]}" &
running=$!
shot_rc=0
wine "$build/tools/ampliwind-screenshot.exe" "$(wine winepath -w "$shot")" "${window[@]}" || shot_rc=$?
# The helper closes the program once it has the picture; without one, stop it here.
[ "$shot_rc" -eq 0 ] || kill "$running" 2>/dev/null || true
program_rc=0
wait "$running" || program_rc=$?
if [ "$shot_rc" -ne 0 ] || [ ! -s "$shot" ]; then
  echo "make-screenshot: no picture was saved" >&2
  exit 1
fi
echo "Picture of the $target window: $shot"
[ "$program_rc" -eq 0 ] || { echo "make-screenshot: $target ended with exit code $program_rc" >&2; exit 1; }
