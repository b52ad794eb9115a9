#!/usr/bin/env bash
# Builds Ampliwind, its runtime, the tour, the tests and the benchmarks
# twice, for 32-bit Windows (the product) and for 64-bit Windows (its
# native-speed twin), and runs every test of both builds headless under
# Wine. Installs what is missing first (Debian, as root).
#   BUILD_DIR   the 32-bit build folder (default build); the 64-bit one is BUILD_DIR-x64
# The 64-bit suite runs under 64-bit Wine on this machine. The 32-bit suite
# runs natively where the kernel runs 32-bit programs, else in an emulated
# x86-64 machine (tools/vm/run.sh) that shares this machine's files, one
# CTest test per test program there, since every Wine process costs seconds.
# HV_EMULATE_32=1 takes the emulated machine even where it is not needed.
set -euo pipefail
cd "$(dirname "$0")/.."
build32=$(realpath -m "${BUILD_DIR:-build}")
build64="$build32-x64"

tools/install-deps.sh
. tools/wine-env.sh

runner32=() configure32=()
if [ -n "${HV_EMULATE_32:-}" ] || ! wine_env_native win32; then
  echo "== this kernel runs no 32-bit programs: the 32-bit tests run under Wine"
  echo "   in an x86-64 machine emulated by QEMU, many times slower than natively"
  runner32=(tools/vm/run.sh "$build32/vm")
  # A tenth of the soaks' cycles: the calculator's ten thousand would take about
  # an hour, the tour's 200 rounds of three children about twenty minutes.
  configure32=(-DHV_TEST_TIME_SCALE=10 -DHV_SOAK_CYCLES=1000 -DHV_TOUR_SOAK_ROUNDS=20
               -DHV_TEST_PER_PROGRAM=ON)
else
  configure32=(-DHV_TEST_TIME_SCALE=1 -DHV_SOAK_CYCLES=10000 -DHV_TOUR_SOAK_ROUNDS=200
               -DHV_TEST_PER_PROGRAM=OFF)
fi

# configure_and_build BUILD_DIR TOOLCHAIN [CMAKE OPTIONS...]
configure_and_build() {
  local build=$1 toolchain=$2
  shift 2
  echo "== configure $build"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release "$@"
  echo "== build $build"
  cmake --build "$build" -j"$(nproc)"
  cmake --build "$build" --target package
}

configure_and_build "$build64" x86_64-w64-mingw32
configure_and_build "$build32" i686-w64-mingw32 "${configure32[@]}"

# Both suites run, so that one run shows the state of both; either failing fails.
failed=()
echo "== test the 64-bit build, natively under 64-bit Wine"
tools/test-wine.sh "$build64" || failed+=("64-bit")
echo "== test the 32-bit build${runner32:+, in the emulated machine}"
"${runner32[@]}" tools/test-wine.sh "$build32" || failed+=("32-bit")

if [ ${#failed[@]} -gt 0 ]; then
  echo "== tests failed in the ${failed[*]} build" >&2
  exit 1
fi
echo "== every test of both builds passed"
