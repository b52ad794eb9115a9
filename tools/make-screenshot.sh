#!/usr/bin/env bash
# Makes docs/ampliwind.png, the README's picture, from the real program:
# starts it on a virtual display, saves its window once drawn, closes it.
set -euo pipefail
cd "$(dirname "$0")/.."
exec tools/run.sh --screenshot docs/ampliwind.png
