#!/usr/bin/env bash
# Builds Ampliwind and its tests and runs every test headless under Wine.
# Installs what is missing first (Debian, as root).
# Where this kernel runs no 32-bit programs, Wine and the tests run in an
# emulated x86-64 machine (tools/vm/run.sh) that shares this machine's files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${BUILD_DIR:-build}")

tools/install-deps.sh
. tools/wine-env.sh

configure=()
if wine_env_native; then
  runner=()
else
  echo "== this kernel runs no 32-bit programs: the tests run under Wine in an"
  echo "   x86-64 machine emulated by QEMU, many times slower than natively"
  runner=(tools/vm/run.sh "$build/vm")
  # A tenth of the soak's cycles: its ten thousand would take about an hour.
  configure=(-DHV_TEST_TIME_SCALE=10 -DHV_SOAK_CYCLES=1000)
fi

echo "== configure"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
      -DCMAKE_BUILD_TYPE=Release "${configure[@]}"

echo "== build"
cmake --build "$build" -j"$(nproc)"

echo "== test"
"${runner[@]}" tools/test-wine.sh "$build"
