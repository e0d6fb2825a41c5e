#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one test in a world of its own: a D-Bus session bus of its own, a
# private runtime folder, and, when asked, a private Xvfb (--x11) and a
# headless weston (--wayland) on free display numbers and sockets. After the
# test every server is stopped, and the test fails if anything it started
# is still running.
#   isolated.sh [--x11] [--wayland] [--offscreen] -- command [args...]
set -uo pipefail
# The first server named is the one the test's own Qt talks to.
x11= wayland= offscreen= platform=
while [ $# -gt 0 ]; do
    case "$1" in
    --x11) x11=1; platform=${platform:-xcb} ;;
    --wayland) wayland=1; platform=${platform:-wayland} ;;
    --offscreen) offscreen=1; platform=${platform:-offscreen} ;;
    --) shift; break ;;
    *) echo "isolated.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

dir=$(mktemp -d)
# Every process of the test inherits this mark; none may outlive the test.
mark="zrcadlo-test-$$-$RANDOM$RANDOM"
servers=()
stop_servers() {
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${servers[@]}"; do wait "$pid" 2>/dev/null; done
    servers=()
}
trap 'stop_servers; rm -rf "$dir"' EXIT

unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$dir/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

if [ -n "$x11" ]; then
    env ZRCADLO_TEST_RUN="$mark" Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
    servers+=($!)
    for _ in $(seq 200); do [ -s "$dir/display" ] && break; sleep 0.05; done
    [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$dir/display")"
fi
if [ -n "$wayland" ]; then
    # --debug lets weston-screenshooter take screenshots.
    env ZRCADLO_TEST_RUN="$mark" weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
        --socket=wayland-zrcadlo --idle-time=0 --debug >"$dir/weston.log" 2>&1 &
    servers+=($!)
    for _ in $(seq 200); do [ -S "$XDG_RUNTIME_DIR/wayland-zrcadlo" ] && break; sleep 0.05; done
    [ -S "$XDG_RUNTIME_DIR/wayland-zrcadlo" ] || { echo "weston did not start" >&2; cat "$dir/weston.log" >&2; exit 1; }
    export WAYLAND_DISPLAY=wayland-zrcadlo
fi
if [ -n "$platform" ]; then export QT_QPA_PLATFORM=$platform; else unset QT_QPA_PLATFORM; fi

env ZRCADLO_TEST_RUN="$mark" dbus-run-session -- "$@"
status=$?
stop_servers

leftovers() {
    local e pid
    for e in $(grep -lzx "ZRCADLO_TEST_RUN=$mark" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${e#/proc/}
        pid=${pid%/environ}
        # A zombie is gone already; only its parent has not noticed.
        [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ] || echo "$pid"
    done
}
# A bus daemon and what it activated may take a moment to go.
for _ in $(seq 40); do
    left=$(leftovers)
    [ -z "$left" ] && break
    sleep 0.05
done
if [ -n "$left" ]; then
    echo "processes left behind by the test:" >&2
    for pid in $left; do ps -o pid=,args= -p "$pid" >&2; kill "$pid" 2>/dev/null; done
    [ "$status" -eq 0 ] && status=1
fi
exit "$status"
