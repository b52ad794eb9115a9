#!/usr/bin/env bash
# Builds Ampliwind and its tests and runs every test headless under Wine.
# Installs what is missing first (Debian, as root).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${BUILD_DIR:-build}")
state="$build/wine"

tools/install-deps.sh

echo "== configure"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
      -DCMAKE_BUILD_TYPE=Release

# Test discovery runs the test programs during the build: prepare Wine first.
echo "== prepare Wine (prefix, fonts, Xvfb, wineserver)"
. tools/wine-env.sh
wine_env_prepare "$state" yes
trap 'wine_env_stop "$state"' EXIT

echo "== build"
cmake --build "$build" -j"$(nproc)"

echo "== test"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 120
