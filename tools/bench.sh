#!/usr/bin/env bash
# Builds and runs the benchmarks; each line is a kernel against its baseline.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${BUILD_DIR:-build}")
tools/install-deps.sh
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target core_bench draw_bench
. tools/wine-env.sh
wine_env_prepare "$build/wine" yes
trap 'wine_env_stop "$build/wine"' EXIT
for b in core_bench draw_bench; do
  echo "== $b"
  wine "$build/bench/$b.exe"
done
