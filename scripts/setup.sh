#!/usr/bin/env bash
# Installs the Debian packages that are missing: scripts/setup.sh [run|test].
# run: what building and running the demo needs (packages-run.txt);
# test (the default): that and what the tools, tests and checks need
# (packages-test.txt). sudo is used when not running as root.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
case "${1:-test}" in
  run) lists=("$here/packages-run.txt") ;;
  test) lists=("$here/packages-run.txt" "$here/packages-test.txt") ;;
  *)
    echo "Usage: scripts/setup.sh [run|test]" >&2
    exit 2
    ;;
esac

mapfile -t packages < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "${lists[@]}")

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
