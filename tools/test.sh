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
  --long) tier=-long name=long ;;
  "") tier= name=default ;;
  *) echo "usage: tools/test.sh [--long]" >&2; exit 2 ;;
esac
tools/install-deps.sh
tools/install-deps.sh vm  # every 32-bit suite takes the emulated machine's route, briefly at least
# Each suite in a process group of its own, so that an interrupted run ends
# both (background jobs of a script ignore SIGINT) and each stops what it
# started. The 64-bit suite runs while the 32-bit build is made.
start=$SECONDS
cmake --preset wine64 && cmake --build --preset wine64 -j"$(nproc)"
setsid ctest --preset wine64$tier > build-x64/test.log 2>&1 & pid64=$!
# CTest, ended so, does not end its Wine session: this does.
interrupted() {
  kill -TERM -- -$pid64 ${pid32:+-$pid32} 2>/dev/null; wait
  for s in {build-x64,build,build-clang64-ci,build-ubsan64}:{wine,wine-input,wine-shot}; do
    [ -f "${s%:*}/wine-settings.cmake" ] || continue
    cmake -DBUILD="$PWD/${s%:*}" -DSESSION="${s#*:}" -P cmake/wine-session.cmake -- stop
  done
}
trap interrupted INT TERM EXIT
# The route is the one asked for now (HV_EMULATE_32, or none): not one a
# run before asked for, which the 32-bit build keeps for its own reconfigures.
HV_EMULATE_32=${HV_EMULATE_32:-} cmake --preset wine && cmake --build --preset wine -j"$(nproc)"
# Emulated, each test program is one test: its cases are in its output.
verbose=(); [ -f build/vm/reason ] && verbose=(--verbose)
setsid tools/vm/run.sh build ctest --preset wine$tier "${verbose[@]}" > build/test.log 2>&1 & pid32=$!
failed=()
wait $pid64 || failed+=("64-bit")
wait $pid32 || failed+=("32-bit")
# The checks beside the suites (a second compiler, the analysers, fuzzing),
# once the suites no longer need the cores.
tools/checks.sh fast > build-x64/checks.log 2>&1 || failed+=("fast checks")
if [ "$name" = long ]; then
  tools/checks.sh long >> build-x64/checks.log 2>&1 || failed+=("long checks")
fi
trap - INT TERM EXIT
echo "== the 64-bit suite"; cat build-x64/test.log
echo "== the 32-bit suite"; cat build/test.log
echo "== the checks"
case " ${failed[*]} " in *checks*) cat build-x64/checks.log ;; *) grep '^== ' build-x64/checks.log ;; esac
echo "== both builds and suites ($name tier) took $((SECONDS - start)) s"
# What the long tests ran: each prints its length.
grep -h '^== length: ' build*/Testing/Temporary/LastTest.log 2>/dev/null | sort -u || true
cat build-x64/test.log build/test.log |
  awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
       END { printf "total: %d passed, %d failed\n", total - failed, failed }'
# A session that did not start ran nothing: its one line says why.
grep -h '^wine-session: .* did not start: ' build-x64/test.log build/test.log >&2 || true
if [ -f build/vm/reason ]; then
  echo "== $(cat build/vm/reason): the emulated machine ran the part of the 32-bit suite"
  echo "   that tests/CMakeLists.txt names (HV_EMULATED_RUNS): the tests listed as Disabled"
  echo "   above, and the cases its filters leave out, run where the kernel runs 32-bit"
  echo "   programs itself (the 64-bit suite above ran all of them)"
fi
[ ${#failed[@]} -eq 0 ] || { echo "== failed: ${failed[*]}" >&2; exit 1; }
