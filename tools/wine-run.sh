#!/usr/bin/env bash
# CTest's emulator: runs a Windows program in its build's Wine session
# (cmake/wine-session.cmake). Not a CMake script: CMake waits for every
# process that holds its child's output, and Wine's desktop may hold it.
#   [HV_SESSION=wine-input] tools/wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
build=$1; shift
eval "$(cmake -DBUILD="$build" -DSESSION="${HV_SESSION:-wine}" -P "$(dirname "$0")/../cmake/wine-session.cmake" -- env)"
# Wine's desktop process inherits a GUI program's standard error and outlives
# it: CTest, reading that through a pipe, would wait for it. Hence a file.
errors=$(mktemp)
rc=0
"${wine[@]}" "$@" 2>"$errors" || rc=$?
cat "$errors" >&2
rm -f "$errors"
[ $rc -eq 0 ] || echo "wine-run: $(basename "$1") ended with exit code $rc" >&2
exit $rc
