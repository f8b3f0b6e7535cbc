#!/usr/bin/env bash
# Draws the pictures of docs/frame.md again: one frame of the flight, 27 s in,
# buffer by buffer as rtg-bench --capture reads them back, made small enough
# for the page (PNG, 640 x 360, palettes where they lose nothing visible).
# docs/frame/draw.sh [BUILD_DIR] (default build/, with rtg-bench: scripts/build.sh
# build). Needs ImageMagick (scripts/setup.sh test installs it).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ ! -x "$build/run/rtg-bench" ]; then
  echo "draw.sh: no $build/run/rtg-bench (build it with scripts/build.sh $build)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build/run" && "$root/scripts/xvfb.sh" ./rtg-bench --size 640x360 --capture "$work" --at 27 >/dev/null)

shrink() {  # shrink BUFFER PICTURE [palette]: the capture's t027 picture of BUFFER into docs/frame/PICTURE.png
  local options=(-strip -define png:compression-level=9)
  if [ "${3:-}" = palette ]; then
    convert "$work/t027.000_$1.png" "${options[@]}" -colors 256 "PNG8:$here/$2.png"
  else
    convert "$work/t027.000_$1.png" "${options[@]}" "$here/$2.png"
  fi
}
shrink positions positions
shrink normals normals palette
shrink albedo albedo palette
shrink specular highlight_strength palette
shrink ssao_raw ssao_raw
shrink ssao_blur ssao_blur
shrink final final palette
# The cube's cross is 4 x 3 cells of 256 x 256 whatever the window size.
convert "$work/t027.000_shadow_cube.png" -strip -resize 512x384 -define png:compression-level=9 "$here/shadow_cube.png"
du -ch "$here"/*.png | tail -n 1
