#!/usr/bin/env bash
# CTest's emulator: runs a Windows test executable under Wine.
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
state=$1; shift
. "$(dirname "$0")/wine-env.sh"
wine_env_prepare "$state" yes
# A GUI program may start Wine's desktop process (explorer.exe), which
# inherits the program's stderr and outlives it while other programs use the
# desktop: a caller reading our stderr through a pipe (CTest) would wait for
# it. Its stderr is therefore a file, copied out once the program ended.
errors=$(mktemp)
rc=0
wine "$@" 2>"$errors" || rc=$?
cat "$errors" >&2
rm -f "$errors"
# CTest says only that a test failed, not how its program ended.
[ $rc -eq 0 ] || echo "wine-run: $(basename "$1") ended with exit code $rc" >&2
exit $rc
