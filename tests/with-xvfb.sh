#!/bin/bash
# Runs a command against a private Xvfb server on a free display number,
# and stops the server afterwards, whether or not another display runs.
set -euo pipefail
dir=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$dir"' EXIT
Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$dir/log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; cat "$dir/log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$dir/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$@"
