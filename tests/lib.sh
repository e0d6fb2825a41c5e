# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the shell tests: the real window found and clicked on the
# test's X server.
# shellcheck shell=bash

START="492 30"
KONEC="596 30"

# window_of PID|any [SECONDS]: the id of the program's visible window.
window_of() {
    local by=(--pid "$1")
    [ "$1" = any ] && by=()
    timeout "${2:-30}" xdotool search --sync --onlyvisible "${by[@]}" --name '^Velimor - ' | head -n1
}

# click WINDOW "X Y": a left click at the window's own coordinates.
click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$1" $2 click 1
}
