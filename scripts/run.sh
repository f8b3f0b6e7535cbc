#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo from its runnable
# directory: scripts/run.sh [WIDTH HEIGHT] (default 1280 720).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release
width=${1:-1280}
height=${2:-720}
cd "$root/build/run"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found: running the demo under Xvfb (Ctrl-C ends it)."
fi
"$root/scripts/xvfb.sh" ./rtg "$width" "$height"
