#!/usr/bin/env bash
# Builds and runs the benchmarks. Every figure is printed against a baseline
# with the same visible effect measured in the same run, with the absolute
# times beside it; then the size of ampliwind.exe; then, from a second run
# of the window benchmarks under WINEDEBUG=+server, the wineserver requests
# per call of every operation and baseline, which unlike times are the same
# on every run.
#   COUNT_CALLS=N  calls per operation in the counting run (default 10)
#   BUILD_DIR=DIR  the build to measure (default build)
#   TOOLCHAIN=FILE the toolchain file a new build folder is configured with;
#                  an existing one keeps its own (default the 32-bit one)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${BUILD_DIR:-build}")
tools/install-deps.sh
. tools/wine-env.sh
toolchain=()
if [ -n "${TOOLCHAIN:-}" ] || [ ! -f "$build/CMakeCache.txt" ]; then
  toolchain=(-DCMAKE_TOOLCHAIN_FILE="${TOOLCHAIN:-cmake/i686-w64-mingw32.cmake}")
fi
cmake -S . -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target core_bench draw_bench app_bench ampliwind
# Where this kernel runs no programs of the build's architecture, in the
# emulated machine: its times are many times longer, but the ratios and
# request counts still tell.
runner=()
wine_env_runner runner "$(cat "$build/wine-arch")" "$build"
"${runner[@]}" tools/bench-wine.sh "$build" "${COUNT_CALLS:-10}"
