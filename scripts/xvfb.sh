#!/usr/bin/env bash
# Runs a command with an X display: the user's own when there is one, else a
# private Xvfb server (24-bit colour, as the demo's GL context expects).
# The server runs in its own session, so Ctrl-C reaches only the command and
# the demo can finish its frame and exit cleanly before the server goes.
set -uo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

# Xvfb picks a free display number itself (-displayfd), so several of these
# can start at once without racing for the same number. -noreset: by default
# the server resets whenever its last client leaves and refuses connections
# meanwhile; one test's program ending must not make the next one's fail.
numberFile=$(mktemp)
setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
server=$!
cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -f "$numberFile"
}
trap cleanup EXIT
display=""
for _ in $(seq 1 200); do
  display=$(tr -dc '0-9' <"$numberFile")
  [ -n "$display" ] && break
  if ! kill -0 "$server" 2>/dev/null; then break; fi
  sleep 0.05
done
if [ -z "$display" ]; then
  echo "xvfb.sh: Xvfb did not start" >&2
  exit 1
fi

export DISPLAY=":$display"
"$@"
