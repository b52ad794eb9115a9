#!/usr/bin/env bash
# Runs the built tests under Wine: prepares the prefix, the Xvfb display and
# the wineserver (test discovery runs the test programs too), then CTest.
#   tools/test-wine.sh BUILD_DIR [CTEST ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "$1"); shift
state="$build/wine"

echo "== prepare Wine (prefix, fonts, Xvfb, wineserver)"
. tools/wine-env.sh
trap 'wine_env_stop "$state"' EXIT
wine_env_prepare "$state" yes
# Ended with the wineserver by wine_env_stop.
wine "$build/tools/hold-desktop.exe" </dev/null >/dev/null 2>&1 &

cd "$build"
# One CTest test per program: its cases and their results are in its output.
output=(--output-on-failure)
grep -q '^HV_TEST_PER_PROGRAM:BOOL=ON$' CMakeCache.txt && output=(--verbose)
rc=0
ctest "${output[@]}" -j"$(nproc)" "$@" || rc=$?
# What the long tests ran: each prints its length.
grep -h '^== length: ' Testing/Temporary/LastTest.log 2>/dev/null | sort -u || true
exit $rc
