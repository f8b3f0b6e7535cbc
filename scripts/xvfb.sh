#!/usr/bin/env bash
# Runs a command with an X display: the user's own when there is one, else a
# private Xvfb server (24-bit colour, as the demo's GL context expects).
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1920x1080x24" "$@"
