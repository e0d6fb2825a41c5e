#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
usage="Zrcadlo on a fresh Debian 12 machine, in one command:
  ./build.sh         set up, build, and open the window
  ./build.sh build   set up and build build/zrcadlo, without opening it (no display needed)
  ./build.sh test    set up, build, and run every test (also under ASan/UBSan)
  ./build.sh web     set up and build the page build-web/zrcadlo.html
  ./build.sh dist    set up, build, and put a release into dist/: the page, the
                     source tarball, Debian's source and binary packages built
                     from it by dpkg-buildpackage (judged by lintian, and as
                     root by autopkgtest), and SHA256SUMS
Run as root, it installs the Debian packages that are missing; otherwise it
prints the apt-get line to run first."
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in
run | build | test | web | dist) ;;
-h | --help | help) echo "$usage"; exit 0 ;;
*) printf 'unknown command: %s\n\n%s\n' "$mode" "$usage" >&2; exit 2 ;;
esac

# The time of the last commit stands for "now" wherever a tool writes a
# time (the fonts, the archive), so that one commit always builds the same
# bytes: from git, or in an unpacked release tarball from the file that
# git archive wrote it into; else the newest entry of debian/changelog.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    elif grep -qxE '[0-9]+' packaging/source-date; then
        SOURCE_DATE_EPOCH=$(cat packaging/source-date)
    else
        SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' debian/changelog | head -n1)" +%s)
    fi
    export SOURCE_DATE_EPOCH
fi

# To build and run, on X11 and on Wayland.
packages=(cmake g++ make qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev qt6-wayland fonts-liberation2)
# The page: the core by Emscripten, the fonts cut down by fontTools, the
# page put together by Node.js (any Node from 18 on; Debian's if none).
web=(emscripten python3-fonttools fonts-liberation2)
command -v node >/dev/null || web+=(nodejs)
[ "$mode" = web ] && packages=("${web[@]}")
# Debian's build of the package (debian/control's Build-Depends) and its
# judges: lintian, and autopkgtest against the installed package.
debian=(debhelper dpkg-dev lintian)
[ "$mode" = dist ] && packages+=("${web[@]}" "${debian[@]}" autopkgtest)
# The tests' servers and bus, synthetic input and screenshots, the package
# and its judges, the memory and system-call checks, and the page's three
# browser engines (driven from npm: playwright-core, puppeteer-core; WebKit
# by its own WebDriver) with poppler to look at a printed page; the screen
# reader Orca, heard in Czech. What only the tests run comes while the
# builds go on.
later=()
if [ "$mode" = test ]; then
    packages+=("${web[@]}")
    command -v npm >/dev/null || packages+=(npm)
    later=(xvfb weston dbus-daemon xdotool x11-utils imagemagick "${debian[@]}" appstream desktop-file-utils
        reuse python3-debian strace valgrind chromium firefox-esr webkit2gtk-driver poppler-utils python3-pyatspi at-spi2-core
        orca locales)
fi

missing_of() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_later < <(missing_of "${later[@]}")
installing=
mkdir -p build
rm -f build/install.done
if [ $((${#missing[@]} + ${#missing_later[@]})) -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        [ ${#missing[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing[@]}"
        if [ ${#missing_later[@]} -gt 0 ]; then
            echo "Installing, while the builds go on: ${missing_later[*]}"
            (
                status=0
                apt-get install -y -qq --no-install-recommends "${missing_later[@]}" >build/install.log 2>&1 || status=$?
                echo "$status" >build/install.done
            ) &
            installing=$!
        fi
    else
        echo "Missing packages. Run this once, then run $0 again:"
        echo "  sudo apt-get install -y --no-install-recommends ${missing[*]} ${missing_later[*]}"
        exit 1
    fi
fi
# Waits for what the tests run, if it is still being installed.
installed() {
    [ -n "$installing" ] || return 0
    while [ ! -s build/install.done ]; do sleep 1; done
    [ "$(cat build/install.done)" = 0 ] || { cat build/install.log >&2; return 1; }
}

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
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "Built build/zrcadlo; there is no display to open it on (./build.sh build only builds)." >&2
        exit 1
    fi
    exec build/zrcadlo
    ;;
build)
    build build -DBUILD_TESTING=OFF -DZRCADLO_WERROR=OFF
    echo "Built: $PWD/build/zrcadlo"
    ;;
web)
    build_web
    page=$PWD/build-web/zrcadlo.html
    echo "The page: $page"
    # Browsers refuse to run as root; the page opens from any user's browser.
    if [ "$(id -u)" -eq 0 ]; then
        echo "Not opened: browsers do not run as root. Open it as your own user: file://$page"
    elif [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
        xdg-open "$page" >/dev/null 2>&1 || echo "The browser did not open it; open file://$page yourself."
    fi
    ;;
dist)
    # What a release offers, built from the commit: a dirty tree is said.
    [ -z "$(git status --porcelain 2>/dev/null)" ] ||
        echo "Note: the work tree has changes; the release is built from the last commit." >&2
    build_web
    rm -rf dist build/release
    # The tarball and Debian's source and binary packages, built from it.
    packaging/debian-build.sh . build/release release
    mkdir -p dist
    cp build-web/zrcadlo.html build/release/zrcadlo-*.tar.gz dist/
    (cd build/release/debian && cp zrcadlo_*.dsc zrcadlo_*.debian.tar.xz zrcadlo_*.orig.tar.gz \
        zrcadlo_*_"$(dpkg --print-architecture)".deb "$OLDPWD/dist/")
    # The installed package tested as Debian's CI tests it. The null runner
    # installs it and the tests' needs on this machine: as root only, and
    # the package taken away again unless it was installed before.
    if [ "$(id -u)" -eq 0 ]; then
        had=$(dpkg-query -W -f='${Status}' zrcadlo 2>/dev/null | grep -c 'install ok installed' || true)
        autopkgtest --summary-file=build/release/autopkgtest.summary dist/zrcadlo_*.deb \
            build/release/debian/zrcadlo-*/ -- null || { cat build/release/autopkgtest.summary; exit 1; }
        [ "$had" -gt 0 ] || apt-get purge -y -qq zrcadlo >/dev/null
        echo "autopkgtest:"
        cat build/release/autopkgtest.summary
    else
        echo "Not run: autopkgtest installs the package, so as root only:"
        echo "  sudo autopkgtest $PWD/dist/zrcadlo_*.deb $PWD/build/release/debian/zrcadlo-*/ -- null"
    fi
    (cd dist && sha256sum -- * >SHA256SUMS)
    echo "The release, in $PWD/dist:"
    cat dist/SHA256SUMS
    ;;
test)
    start=$SECONDS
    # The suite once more with AddressSanitizer and UBSan (any report fails
    # it; the page's test has no native code of ours to check; optimised
    # as the sanitizers advise, with the line tables that their reports
    # need), built and run beside the page, the plain build and suite,
    # whose tests mostly wait for a pace, a window or a browser; at a lower
    # priority, so that a screen reader there still answers its keys at
    # once. Whatever ends this script waits for it: nothing is left running.
    mkdir -p build-asan
    (
        renice -n 10 "$BASHPID" >/dev/null
        build build-asan -DBUILD_TESTING=ON -DZRCADLO_WERROR=ON -DZRCADLO_SANITIZE=ON \
            -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
        installed
        ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"
    ) >build-asan/suite.log 2>&1 &
    sanitized=$!
    trap 'wait "$sanitized" 2>/dev/null' EXIT
    # npm's modules come while the page builds.
    npm ci --no-audit --no-fund --loglevel=error &
    npm=$!
    build_web
    wait "$npm"
    web=$SECONDS
    # Tests on and warnings as errors, whatever an earlier run left in the
    # cache; the benchmark built, not run, so that a change cannot break it
    # unseen.
    build build -DBUILD_TESTING=ON -DZRCADLO_WERROR=ON -DZRCADLO_PAGE="$PWD/build-web/zrcadlo.html"
    cmake --build build -j"$jobs" --target bench
    built=$SECONDS
    installed
    plain=0
    # One test more than cores: most of the time they wait.
    ctest --test-dir build --output-on-failure --no-tests=error -j"$((jobs + 1))" | tee build/suite.log || plain=$?
    tested=$SECONDS
    asan=0
    wait "$sanitized" || asan=$?
    echo
    echo "Under AddressSanitizer and UBSan:"
    cat build-asan/suite.log
    echo
    echo "Where the time went: the page and npm $((web - start)) s, the build $((built - web)) s," \
        "the suite $((tested - built)) s; the sanitizer build and suite beside them $((SECONDS - start)) s;" \
        "$((SECONDS - start)) s in all. The slowest tests:"
    slowest() { # log, how many, said after each
        sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .* \([0-9.]*\) sec$/\2 \1/p' "$1" |
            sort -rn | head -n "$2" | awk -v after="$3" '{ printf "  %6.1f s  %s%s\n", $1, $2, after }'
    }
    slowest build/suite.log 5 ""
    slowest build-asan/suite.log 2 " (sanitized)"
    [ "$plain" -eq 0 ] && [ "$asan" -eq 0 ]
    ;;
esac
