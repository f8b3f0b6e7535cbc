#!/usr/bin/env bash
# Configures and builds one build tree with the demo, the tools and the tests:
# scripts/build.sh DIR [cmake options...]. The packages of
# `scripts/setup.sh test` must be installed.
set -euo pipefail
dir=$1
shift
# Explicitly on: a tree that scripts/run.sh configured for the demo alone
# gets its tools and tests back (the options given after these still win).
cmake -S "$(dirname "$0")/.." -B "$dir" -DRTG_TOOLS=ON -DRTG_TESTS=ON "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
