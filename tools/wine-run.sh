#!/usr/bin/env bash
# CTest's emulator: runs a Windows test executable under Wine.
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
state=$1; shift
. "$(dirname "$0")/wine-env.sh"
wine_env_prepare "$state" yes
exec wine "$@"
