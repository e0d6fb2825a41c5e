#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
# While the program runs (start-up, a press, "Konec") it connects to
# nothing but its display and writes no file. What the platform's own
# libraries do is allowed: the runtime folder, the font cache, the D-Bus
# session bus of accessibility.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
binary=$1
log=$(mktemp)
trap 'rm -f "$log"' EXIT

strace -f -qq -e trace=socket,connect,bind,openat,open,creat,mkdir,rename,unlink,truncate -o "$log" "$binary" &
pid=$!
window=$(window_of any)   # the program is strace's child
click "$window" "$START"
sleep 2.5
click "$window" "$KONEC"
wait "$pid"

allowed="^(/dev/null|${XDG_RUNTIME_DIR:-/nonexistent}.*|$HOME/\.cache/fontconfig.*|/var/cache/fontconfig.*)$"
bad=0
while IFS= read -r line; do
    case "$line" in
    *"socket("*)
        grep -q 'socket(AF_UNIX' <<<"$line" || { echo "network socket: $line"; bad=1; } ;;
    *"connect("*)
        grep -qE 'sun_path=@?"(/tmp/\.X11-unix/X[0-9]+|[^"]*dbus[^"]*)"' <<<"$line" \
            || { echo "connection: $line"; bad=1; } ;;
    *"bind("*)
        echo "bind: $line"; bad=1 ;;
    *"openat("* | *"open("*)
        if grep -qE 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC' <<<"$line"; then
            path=$(sed -E 's/.*open(at)?\([^"]*"([^"]*)".*/\2/' <<<"$line")
            grep -qE "$allowed" <<<"$path" || { echo "file written: $line"; bad=1; }
        fi ;;
    *"mkdir("* | *"rename("* | *"unlink("* | *"creat("* | *"truncate("*)
        path=$(sed -E 's/[^"]*"([^"]*)".*/\1/' <<<"$line")
        grep -qE "$allowed" <<<"$path" || { echo "file changed: $line"; bad=1; } ;;
    esac
done <"$log"
echo "$(grep -c . "$log") system calls checked"
exit $bad
