#!/usr/bin/env bash
# clang-tidy (checks in .clang-tidy) over the production sources of a build
# tree's compile_commands.json: scripts/tidy.sh [BUILD_DIR] (default build/).
# Tests, fuzzers and the scene generator (assets/, whose output the tests
# check picture by picture) are left out to keep it near a minute on two
# cores. Any finding fails.
# Fix findings in the code; where a finding is wrong, silence that one line
# with // NOLINT(check-name) and a reason.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: no compile_commands.json in $build (configure with scripts/build.sh first)" >&2
  exit 1
fi
production="^$root/(app|camera|gpu|io|model|scene|tools)/"
run-clang-tidy -quiet -j "$(nproc)" -p "$build" "$production.*\.cpp$" >"$build/tidy.log" 2>&1 || true
# run-clang-tidy's exit status says nothing about findings in clang 14: read them.
if grep -E "(warning|error): " "$build/tidy.log"; then
  echo "tidy: findings above (full log: $build/tidy.log)" >&2
  exit 1
fi
echo "tidy: no findings in $(grep -c "^clang-tidy" "$build/tidy.log" || true) files"
