#!/usr/bin/env bash
# Runs a command with an X display: the user's own when there is one, else a
# private Xvfb server (24-bit colour, as the demo's GL context expects).
# The server runs in its own session, so Ctrl-C reaches only the command and
# the demo can finish its frame and exit cleanly before the server goes.
set -uo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

display=""
for n in $(seq 99 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=$n
    break
  fi
done
if [ -z "$display" ]; then
  echo "xvfb.sh: no free X display number" >&2
  exit 1
fi

# -noreset: by default the server resets whenever its last client leaves, and
# refuses connections meanwhile; one test's program ending must not make the
# next one's connection fail.
setsid Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
cleanup() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }
trap cleanup EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.05
done
if [ ! -e "/tmp/.X11-unix/X$display" ]; then
  echo "xvfb.sh: Xvfb did not start on :$display" >&2
  exit 1
fi

export DISPLAY=":$display"
"$@"
