#!/usr/bin/env bash
# Builds and runs the benchmarks. Every figure is printed against a baseline
# with the same visible effect measured in the same run, with the absolute
# times beside it; then the size of ampliwind.exe; then, from a second run
# of the window benchmarks under WINEDEBUG=+server, the wineserver requests
# per call of every operation and baseline, which unlike times are the same
# on every run.
#   COUNT_CALLS=N    calls per operation in the counting run (default 10)
#   PRESET=wine64    the 64-bit build instead of the 32-bit one (preset wine)
# Where this kernel runs no programs of the build, in the emulated machine:
# times many times longer, but the ratios and request counts still tell.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --measure ]; then
  preset=${PRESET:-wine} build=build
  [ "$preset" = wine64 ] && build=build-x64
  tools/install-deps.sh
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j"$(nproc)" --target core_bench draw_bench app_bench ampliwind hold-desktop
  exec tools/vm/run.sh "$build" "$0" --measure "$PWD/$build"
fi
build=$2
session=(cmake -DBUILD="$build" -P cmake/wine-session.cmake --)
export WINEPREFIX=$build/wine/prefix
trap '"${session[@]}" stop' EXIT
"${session[@]}" start
for b in core_bench draw_bench app_bench; do
  echo "== $b"
  tools/wine-run.sh "$build" "$build/bench/$b.exe"
done

size=$(stat -c %s "$build/app/ampliwind.exe")
awk -v size="$size" 'BEGIN { printf "== ampliwind.exe: %d bytes, %.3f of the 262144-byte (256 KiB) limit\n", size, size / 262144 }'

# The request lines are written by the wineserver, and only by one started
# for a client whose WINEDEBUG has +server: each counting run gets a server
# of its own, which writes to that run's standard error.
echo "== wineserver requests per call (${COUNT_CALLS:=10} calls each, WINEDEBUG=+server)"
for b in draw_bench app_bench; do
  trace="$build/$b.server-trace"
  { wineserver -k; wineserver -w; } 2>/dev/null || true
  WINEDEBUG=+server tools/wine-run.sh "$build" "$build/bench/$b.exe" --count "$COUNT_CALLS" >/dev/null 2>"$trace" || true
  { wineserver -k; wineserver -w; } 2>/dev/null || true
  awk -f bench/count_requests.awk "$trace"
done
