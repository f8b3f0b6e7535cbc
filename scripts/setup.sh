#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need.
# Only what is missing is installed; sudo is used when not running as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang clang-format clang-tidy
  libsdl2-dev libglew-dev libglm-dev libstb-dev libassimp-dev zlib1g-dev
  libgtest-dev libgmock-dev nlohmann-json3-dev
  xvfb xauth xdotool x11-apps x11-utils imagemagick libx11-dev libxtst-dev
  libgl1-mesa-dri mesa-utils
  python3-matplotlib
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
