#!/usr/bin/env bash
# Builds both builds with their presets, the 32-bit product (build) and its
# 64-bit twin (build-x64), and runs both suites at once, headless under Wine,
# each in a Wine session of its own (display, wineserver: CTest fixtures).
# Installs what is missing first (Debian, as root). Fails if either fails.
#   tools/test.sh          the default tier: the long tests at a reduced length
#   tools/test.sh --long   the long tier: the long tests at full length
# Where this kernel runs no 32-bit programs (or HV_EMULATE_32=1 asks), the
# 32-bit suite runs in an emulated machine (tools/vm/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  --long) tier=-long ;;
  "") tier= ;;
  *) echo "usage: tools/test.sh [--long]" >&2; exit 2 ;;
esac
tools/install-deps.sh
for preset in wine64 wine; do
  cmake --preset $preset
  cmake --build --preset $preset -j"$(nproc)"
done

echo "== test both builds (${tier:+long}${tier:-default} tier)"
start=$SECONDS
# Emulated, each test program is one test: its cases are in its output.
verbose=(); [ -f build/vm/reason ] && verbose=(--verbose)
# Each suite in a process group of its own, so that an interrupted run ends
# both (background jobs of a script ignore SIGINT) and each stops what it started.
setsid ctest --preset wine64$tier > build-x64/test.log 2>&1 & pid64=$!
setsid tools/vm/run.sh build ctest --preset wine$tier "${verbose[@]}" > build/test.log 2>&1 & pid32=$!
trap 'kill -TERM -- -$pid64 -$pid32 2>/dev/null; wait' INT TERM
failed=()
wait $pid64 || failed+=("64-bit")
wait $pid32 || failed+=("32-bit")
trap - INT TERM
echo "== the 64-bit suite"; cat build-x64/test.log
echo "== the 32-bit suite"; cat build/test.log
echo "== both suites took $((SECONDS - start)) s"
# What the long tests ran: each prints its length.
grep -h '^== length: ' build*/Testing/Temporary/LastTest.log 2>/dev/null | sort -u || true
cat build-x64/test.log build/test.log |
  awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
       END { printf "total: %d passed, %d failed\n", total - failed, failed }'
[ ${#failed[@]} -eq 0 ] || { echo "== tests failed in the ${failed[*]} build" >&2; exit 1; }
