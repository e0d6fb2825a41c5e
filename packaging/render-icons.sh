#!/bin/sh
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Renders the PNG icons from the SVG (package librsvg2-bin). They are kept
# in the repository, so that building needs no SVG renderer; run this again
# after a change to the SVG.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" example.velimor.zrcadlo.svg -o "icons/$size.png"
done
