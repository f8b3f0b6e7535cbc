#!/usr/bin/env bash
# Fails when a C++ source or header differs from what clang-format makes of it
# (.clang-format at the top). Fix with: clang-format -i FILE...
# The GLSL sources are not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "check_format: ${#files[@]} files follow .clang-format"
