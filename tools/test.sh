#!/usr/bin/env bash
# Builds Ampliwind, its runtime, the tour, the tests and the benchmarks
# twice, for 32-bit Windows (the product) and for 64-bit Windows (its
# native-speed twin), and runs every test of both builds headless under
# Wine, the two suites at once. Installs what is missing first (Debian, as root).
#   tools/test.sh          the default tier: the long tests at a reduced length
#   tools/test.sh --long   the long tier: the long tests at full length
#   BUILD_DIR   the 32-bit build folder (default build); the 64-bit one is BUILD_DIR-x64
# Each suite has a display and a wineserver of its own, so neither takes the
# other's focus. HV_EMULATE_32=1 runs the 32-bit suite in the emulated
# machine even where the kernel runs 32-bit programs (tools/wine-env.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build32=$(realpath -m "${BUILD_DIR:-build}")
build64="$build32-x64"
long=OFF
case "${1:-}" in
  --long) long=ON ;;
  "") ;;
  *) echo "usage: tools/test.sh [--long]" >&2; exit 2 ;;
esac

tools/install-deps.sh
. tools/wine-env.sh

runner32=()
wine_env_runner runner32 win32 "$build32"
# Cached settings: each run says them, so a folder once used emulated is native again.
configure32=(-DHV_TEST_TIME_SCALE=1 -DHV_TEST_PER_PROGRAM=OFF)
if [ ${#runner32[@]} -gt 0 ]; then
  echo "== $(wine_env_why_emulated): the 32-bit tests run under Wine"
  echo "   in an x86-64 machine emulated by QEMU, many times slower than natively"
  configure32=(-DHV_TEST_TIME_SCALE=10 -DHV_TEST_PER_PROGRAM=ON)
fi

# configure_and_build BUILD_DIR TOOLCHAIN [CMAKE OPTIONS...]
configure_and_build() {
  local build=$1 toolchain=$2
  shift 2
  echo "== configure $build"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DHV_LONG_TESTS=$long "$@"
  echo "== build $build"
  cmake --build "$build" -j"$(nproc)"
  cmake --build "$build" --target package
}

configure_and_build "$build64" x86_64-w64-mingw32
configure_and_build "$build32" i686-w64-mingw32 "${configure32[@]}"

# Both suites run, so that one run shows the state of both; either failing
# fails. Each writes to a log of its own, shown when both have ended.
tier=default; [ "$long" = ON ] && tier=long
echo "== test both builds ($tier tier): 64-bit under 64-bit Wine, 32-bit${runner32:+ in the emulated machine}"
start=$SECONDS
# Each suite in a process group of its own, so that an interrupted run ends
# both (background jobs of a script ignore SIGINT) and each stops what it started.
setsid tools/test-wine.sh "$build64" > "$build64/test.log" 2>&1 & pid64=$!
setsid "${runner32[@]}" tools/test-wine.sh "$build32" > "$build32/test.log" 2>&1 & pid32=$!
trap 'kill -TERM -- -$pid64 -$pid32 2>/dev/null; wait' INT TERM
failed=()
wait $pid64 || failed+=("64-bit")
wait $pid32 || failed+=("32-bit")
trap - INT TERM
echo "== the 64-bit suite"; cat "$build64/test.log"
echo "== the 32-bit suite"; cat "$build32/test.log"
echo "== both suites took $((SECONDS - start)) s"

# Both CTest summaries in one closing line.
cat "$build64/test.log" "$build32/test.log" |
  awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
       END { printf "total: %d passed, %d failed\n", total - failed, failed }'
if [ ${#failed[@]} -gt 0 ]; then
  echo "== tests failed in the ${failed[*]} build" >&2
  exit 1
fi
