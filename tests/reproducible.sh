#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The page built twice from the same sources, in two folders and a moment
# apart, as two people would build one commit: the same bytes.
set -euo pipefail
source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Without the commit's time set, as a plain cmake build runs: whatever a
# tool would date "now" must still come out the same.
unset SOURCE_DATE_EPOCH
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
for build in one two; do
    mkdir -p "$scratch/$build/sources"
    tar -C "$source" -c web animation packaging/icons/32.png | tar -C "$scratch/$build/sources" -x
    if ! { emcmake cmake -S "$scratch/$build/sources/web" -B "$scratch/$build/web" &&
        cmake --build "$scratch/$build/web" -j2; } >"$scratch/$build.log" 2>&1; then
        cat "$scratch/$build.log" >&2
        exit 1
    fi
    sleep 1 # another second for anything that writes the time
done
if ! cmp "$scratch"/one/web/zrcadlo.html "$scratch"/two/web/zrcadlo.html; then
    echo "two builds of the same sources differ" >&2
    exit 1
fi
echo "the page twice: $(sha256sum <"$scratch/one/web/zrcadlo.html" | cut -d' ' -f1)"
