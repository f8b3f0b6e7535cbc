#!/usr/bin/env bash
# Compiles every shader with the reference GLSL compiler (glslangValidator,
# Debian's glslang-tools), so that a shader that Mesa tolerates but the
# language does not, and that other drivers would reject, fails here:
# scripts/check_shaders.sh [DIR] (default shaders/). The stage comes from the
# extension: .vert, .geom, .frag.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/shaders}
status=0
count=0
for file in "$dir"/*; do
  case "$file" in
    *.vert | *.geom | *.frag) ;;
    */CMakeLists.txt) continue ;;
    *)
      echo "check_shaders: $file: not a .vert, .geom or .frag shader" >&2
      status=1
      continue
      ;;
  esac
  count=$((count + 1))
  if ! output=$(glslangValidator "$file" 2>&1); then
    echo "$output" >&2
    echo "check_shaders: $file is rejected" >&2
    status=1
  fi
done
if [ "$count" -eq 0 ]; then
  echo "check_shaders: no shaders in $dir" >&2
  exit 1
fi
if [ "$status" -eq 0 ]; then echo "check_shaders: glslangValidator accepts all $count shaders"; fi
exit $status
