#!/usr/bin/env bash
# The checks beside the two suites: a second compiler, the analysers, the
# undefined-behaviour traps and the text kernels' fuzzing. Fails on any finding.
#   tools/checks.sh fast   the clang 64-bit build with warnings as errors,
#                          cppcheck, a 60-second fuzz run
#   tools/checks.sh long   the clang 64-bit suite and the UBSan-trap suite
#                          under Wine, and clang-tidy
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in fast|long) ;; *) echo "usage: tools/checks.sh fast|long" >&2; exit 2 ;; esac
tools/install-deps.sh
jobs=$(nproc)

step() {  # step NAME COMMAND...: runs it, says how long it took
  local start=$SECONDS
  echo "== $1"
  "${@:2}"
  echo "== $1: passed in $((SECONDS - start)) s"
}

# The product's own code: runtime/ and app/.
own_sources() { git ls-files 'runtime/*.cpp' 'app/*.cpp'; }

clang_build() {
  cmake --preset clang64-ci >/dev/null && cmake --build --preset clang64-ci -j"$jobs"
}

cppcheck_both() {
  local platform
  for platform in win32A win64; do
    cppcheck --enable=warning,performance,portability --library=windows --platform=$platform \
      --std=c++20 -I . --suppressions-list=tools/cppcheck-suppressions.txt --inline-suppr \
      --error-exitcode=1 -q -j"$jobs" runtime app
  done
}

fuzz() {
  cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DHV_FUZZ_SECONDS=60 >/dev/null &&
    cmake --build build-fuzz -j"$jobs" && ctest --test-dir build-fuzz --output-on-failure
}

suite() {  # suite PRESET: builds it and runs its suite under Wine
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs" && ctest --preset "$1"
}

tidy() {
  own_sources | xargs -P"$jobs" -n4 clang-tidy -p build-clang64-ci --quiet
}

if [ "$mode" = fast ]; then
  step "clang build, warnings as errors" clang_build
  step "cppcheck" cppcheck_both
  step "fuzzing the text kernels" fuzz
else
  step "the clang suite" suite clang64-ci
  step "the UBSan-trap suite" suite ubsan64
  step "clang-tidy" tidy
fi
