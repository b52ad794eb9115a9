#!/usr/bin/env bash
# Builds Ampliwind and starts it: under Wine on Linux, on the current X
# display, or on a virtual one when there is none.
# Installs what is missing first (Debian, as root).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${BUILD_DIR:-build}")

tools/install-deps.sh
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
      -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target ampliwind

. tools/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
  wine_env_prepare "$build/wine-app" no
else
  echo "No X display: Ampliwind runs on a virtual one (Xvfb). Close it with Ctrl-C."
  wine_env_prepare "$build/wine-app" yes
  trap 'wine_env_stop "$build/wine-app"' EXIT
fi
wine "$build/app/ampliwind.exe"
