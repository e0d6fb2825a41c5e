#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
# One start-up, one press and "Konec" under valgrind's memcheck: no memory
# error anywhere, and no definite leak whose allocation comes from our code.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
binary=$1
log=$(mktemp)
trap 'rm -f "$log"' EXIT

valgrind --tool=memcheck --error-exitcode=3 --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=none --num-callers=40 --child-silent-after-fork=yes \
    --suppressions="$(dirname "$0")/platform.supp" --log-file="$log" "$binary" &
pid=$!
window=$(window_of "$pid" 120)
sleep 1
click "$window" "$START"
click "$window" "$KONEC"   # taken after the press
status=0
wait "$pid" || status=$?
grep -E 'ERROR SUMMARY|definitely lost' "$log" || true
if [ "$status" -ne 0 ]; then
    echo "memcheck reported errors (exit $status):"
    cat "$log"
    exit 1
fi
# A definite leak is ours when one of its frames is in our sources.
ours=$(awk '/definitely lost in loss record/ {block=1; text=""} block {text=text $0 "\n"}
            block && /^==[0-9]+== $/ {if (text ~ /\((app|animation)\/[a-z]+\.(cpp|h):/ || text ~ /(zrcadlo|picture|drawingsurface|scene|sweep|resultant|press|pacer|look)\.(cpp|h):/) print text; block=0}' "$log")
if [ -n "$ours" ]; then
    echo "definite leaks of ours:"
    echo "$ours"
    exit 1
fi
