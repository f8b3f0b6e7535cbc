#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo from its runnable
# directory: scripts/run.sh [WIDTH HEIGHT] (default 1280 720).
# Only what the demo needs is installed (packages-run.txt) and built: rtg,
# its shaders and its generated room.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" run
options=()
# A new tree is configured for the demo alone, optimised; one that
# scripts/build.sh or scripts/test.sh configured keeps its build type, tools
# and tests (only rtg is built).
if [ ! -f "$root/build/CMakeCache.txt" ]; then
  options+=(-DCMAKE_BUILD_TYPE=Release -DRTG_TOOLS=OFF -DRTG_TESTS=OFF)
fi
cmake -S "$root" -B "$root/build" "${options[@]}" >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target rtg
width=${1:-1280}
height=${2:-720}
cd "$root/build/run"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found: running the demo under Xvfb (Ctrl-C ends it)."
fi
"$root/scripts/xvfb.sh" ./rtg "$width" "$height"
