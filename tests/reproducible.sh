#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The page built again from the same sources, in another folder, later and
# without the commit's time set, as another person would build one commit:
# the same bytes as the page the suite built and tests.
#   reproducible.sh SOURCE PAGE
set -euo pipefail
source=$1
page=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Without the commit's time set, as a plain cmake build runs: whatever a
# tool would date "now" must still come out the same.
unset SOURCE_DATE_EPOCH
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
mkdir -p "$scratch/sources"
tar -C "$source" -c web animation packaging/icons/32.png | tar -C "$scratch/sources" -x
if ! { emcmake cmake -S "$scratch/sources/web" -B "$scratch/web" &&
    cmake --build "$scratch/web" -j2; } >"$scratch/build.log" 2>&1; then
    cat "$scratch/build.log" >&2
    exit 1
fi
if ! cmp "$page" "$scratch/web/zrcadlo.html"; then
    echo "two builds of the same sources differ" >&2
    exit 1
fi
echo "the page twice: $(sha256sum <"$page" | cut -d' ' -f1)"
