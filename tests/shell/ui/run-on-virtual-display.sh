#!/usr/bin/env bash
# Runs a command on a virtual X display of its own with a session bus of its own, so that a test
# can open real windows and reach them through the accessibility interface. Xvfb picks a display
# number nobody uses (-displayfd), so tests and other programs that run virtual displays at the
# same time never take each other's; -noreset keeps the server from starting over whenever its
# last client leaves, which would refuse a program that connects at that moment.
#
#   run-on-virtual-display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
number_file=$(mktemp)
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -f "$number_file"' EXIT
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 1 100); do
  [[ -s $number_file ]] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[[ -s $number_file ]] || { echo "Xvfb did not report its display" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
dbus-run-session -- "$@"
