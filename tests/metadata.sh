#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The project's licensing and the program's answers on the command line,
# as a packager and a new user meet them.
set -euo pipefail
source=$1
binary=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$source"
reuse lint >"$scratch/reuse" || { cat "$scratch/reuse"; exit 1; }
echo "reuse lint: compliant"
reuse spdx 2>/dev/null | "$source/tests/copyright.py"

fail=0
# expect STATUS STREAM PATTERN -- command...: the status, and the one stream
# that must match (the other stays empty).
expect() {
    local status=$1 stream=$2 pattern=$3
    shift 4
    local out err got=0
    out=$("$@" 2>"$scratch/err") || got=$?
    err=$(cat "$scratch/err")
    local said=$out quiet=$err
    [ "$stream" = stderr ] && said=$err quiet=$out
    if [ "$got" != "$status" ] || ! grep -qE "$pattern" <<<"$said" || [ -n "$quiet" ]; then
        echo "FAIL: $* -> status $got, stdout: $out, stderr: $err" >&2
        fail=1
    else
        echo "ok: $* -> $got: $(head -n1 <<<"$said")"
    fi
}
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect 0 stdout '^Použití: zrcadlo' -- "${nodisplay[@]}" "$binary" --help
expect 0 stdout '^Použití: zrcadlo' -- "${nodisplay[@]}" "$binary" -h
expect 0 stdout '^zrcadlo [0-9]+\.[0-9]+' -- "${nodisplay[@]}" "$binary" --version
expect 0 stdout '^zrcadlo [0-9]+\.[0-9]+' -- "${nodisplay[@]}" "$binary" -v
expect 2 stderr '„--bogus“' -- "${nodisplay[@]}" "$binary" --bogus
expect 2 stderr '„navíc“' -- "${nodisplay[@]}" "$binary" navíc
expect 2 stderr '„-platform“' -- "${nodisplay[@]}" "$binary" -platform
expect 1 stderr 'DISPLAY ani WAYLAND_DISPLAY' -- "${nodisplay[@]}" "$binary"
# A teacher's settings: a bad one is said, and no window opens.
expect 2 stderr 'posun může být 0 nebo 250, ne „300“' -- "${nodisplay[@]}" "$binary" --posun 300 --kmitocet 2
expect 2 stderr 'zpomaleni může být celé číslo od 1 do 20, ne „0“' -- "${nodisplay[@]}" "$binary" --zpomaleni=0
expect 1 stderr 'DISPLAY ani WAYLAND_DISPLAY' -- "${nodisplay[@]}" "$binary" --posun=250 --kmitocet 2 --zpomaleni 5
expect 1 stderr 'platforma „bogus“ není k dispozici; jsou tyto: .*xcb' -- "${nodisplay[@]}" "$binary" -platform bogus
# Display numbers where no server runs.
free=()
for n in $(seq 600 700); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || free+=("$n")
    [ ${#free[@]} -eq 2 ] && break
done
expect 1 stderr "DISPLAY=:${free[0]}" -- env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":${free[0]}" "$binary"
expect 1 stderr "DISPLAY=:${free[1]}" -- "${nodisplay[@]}" "$binary" -display ":${free[1]}"

# The manual pages name the options that --help names.
help_options=$("$binary" --help | grep -oE '^ +-[-a-z, ]+' | grep -oE '\-+[a-z]+' | sort -u)
for page in packaging/zrcadlo.1 packaging/zrcadlo.cs.1; do
    page_options=$(sed -n '/^\.SH \(OPTIONS\|VOLBY\)/,/^\.SH/p' "$page" | grep -oE '\\-(\\-)?[a-z]+' |
        sed 's/\\//g' | sort -u)
    [ -n "$help_options" ] && [ "$help_options" = "$page_options" ] || { echo "FAIL: $page lists $page_options, --help $help_options" >&2; fail=1; }
done
# One version, from debian/changelog, wherever a user or a packager reads it.
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
released=$(date -u -d "@$(dpkg-parsechangelog -S Timestamp)" +%F)
while read -r what said; do
    if [ "$said" = "$upstream" ] || [ "$said" = "$upstream $released" ]; then
        echo "ok: $what says $said"
    else
        echo "FAIL: $what says $said; debian/changelog $upstream of $released" >&2
        fail=1
    fi
done <<EOF
--version $("${nodisplay[@]}" "$binary" --version | sed -n 's/^zrcadlo //p')
zrcadlo.1 $(sed -n 's/^\.TH .*"zrcadlo \([^"]*\)".*/\1/p' packaging/zrcadlo.1)
zrcadlo.cs.1 $(sed -n 's/^\.TH .*"zrcadlo \([^"]*\)".*/\1/p' packaging/zrcadlo.cs.1)
metainfo $(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' packaging/*.metainfo.xml | head -n1)
EOF
exit $fail
