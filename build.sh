#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
# Zrcadlo on a fresh Debian 12 machine, in one command:
#   ./build.sh        set up, build, and open the window
#   ./build.sh test   set up, build, and run every test (also under ASan/UBSan)
#   ./build.sh web    set up and build the page build-web/zrcadlo.html
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in run | test | web) ;; *) echo "usage: $0 [test|web]" >&2; exit 2 ;; esac

# To build and run, on X11 and on Wayland.
packages=(cmake g++ make qt6-base-dev libgl-dev libxcb1-dev qt6-wayland fonts-liberation2)
# The page: the core by Emscripten, the fonts cut down by fontTools, the
# page put together by Node.js (any Node from 18 on; Debian's if none).
web=(emscripten python3-fonttools fonts-liberation2)
command -v node >/dev/null || web+=(nodejs)
[ "$mode" = web ] && packages=("${web[@]}")
# The tests' servers and bus, synthetic input and screenshots, the package
# and its judges, the memory and system-call checks, and the page's three
# browser engines (driven from npm: playwright-core, puppeteer-core; WebKit
# by its own WebDriver) with poppler to look at a printed page; the screen
# reader Orca, heard in Czech.
if [ "$mode" = test ]; then
    packages+=("${web[@]}" xvfb weston dbus-daemon xdotool x11-utils imagemagick
        dpkg-dev file lintian appstream desktop-file-utils reuse strace valgrind chromium
        firefox-esr webkit2gtk-driver poppler-utils python3-pyatspi at-spi2-core orca locales)
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Run this once, then run $0 again:"
        echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}"
        exit 1
    fi
fi

jobs=$(nproc)
build() { # dir, extra cmake args...
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
}
build_web() {
    # Debian's Emscripten finds its Node modules there also when the node
    # on PATH is not Debian's.
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    emcmake cmake -S web -B build-web >/dev/null
    cmake --build build-web -j"$jobs"
}

case "$mode" in
run)
    build build -DBUILD_TESTING=OFF -DZRCADLO_WERROR=OFF
    exec build/zrcadlo
    ;;
web)
    build_web
    page=$PWD/build-web/zrcadlo.html
    echo "The page: $page"
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
        xdg-open "$page" >/dev/null 2>&1 || true
    fi
    ;;
test)
    build_web
    npm ci --no-audit --no-fund --loglevel=error
    # Tests on and warnings as errors, whatever an earlier run left in the cache.
    build build -DBUILD_TESTING=ON -DZRCADLO_WERROR=ON -DZRCADLO_PAGE="$PWD/build-web/zrcadlo.html"
    # Built, not run, so that a change cannot break the benchmark unseen.
    cmake --build build -j"$jobs" --target bench
    ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"
    # The same suite once more with AddressSanitizer and UBSan; any report
    # fails it. The page's test has no native code of ours to check.
    build build-asan -DBUILD_TESTING=ON -DZRCADLO_WERROR=ON -DZRCADLO_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"
    ;;
esac
