#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian source and binary packages from the work tree as a
# release builds them (dpkg-buildpackage from the tarball, lintian on the
# .changes); then unpacks the binary package into a scratch root, has the
# desktop's own validators judge what it installs, and starts the installed
# binary on a real X server until its window is there, with its identity
# and icon set for the desktop.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
source=$1
scratch=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
id=example.velimor.zrcadlo

# The compiler at a lower priority than the tests beside it.
nice -n 10 "$source/packaging/debian-build.sh" "$source" "$scratch/out" tree
deb=$(ls "$scratch"/out/debian/zrcadlo_*_"$(dpkg --print-architecture)".deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends; Recommends: $(dpkg-deb -f "$deb" Recommends)"
for dep in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2 libc6; do
    grep -q "$dep" <<<"$depends" || { echo "missing dependency $dep" >&2; exit 1; }
done
grep -q qt6-qpa-plugins <<<"$depends" && { echo "qt6-qpa-plugins holds no plugin we use" >&2; exit 1; }
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ]

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr
for f in bin/zrcadlo share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/man/man1/zrcadlo.1.gz share/man/cs/man1/zrcadlo.1.gz share/doc/zrcadlo/copyright \
    share/doc/zrcadlo/changelog.Debian.gz; do
    [ -f "$root/$f" ] || { echo "package lacks /usr/$f" >&2; exit 1; }
done
# desktop-file-validate exits 0 on hints too: any word from it fails.
out=$(desktop-file-validate "$root/share/applications/$id.desktop" 2>&1)
[ -z "$out" ] || { echo "$out" >&2; exit 1; }
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" | tee "$scratch/as"
if grep -qE '^[EW]:' "$scratch/as"; then echo "appstreamcli: errors or warnings" >&2; exit 1; fi
if readelf -d "$root/bin/zrcadlo" | grep -E 'RUNPATH|RPATH'; then echo "a search path in the binary" >&2; exit 1; fi

"$root/bin/zrcadlo" &
pid=$!
window=$(window_of "$pid")
geometry=$(xdotool getwindowgeometry "$window" | grep Geometry)
echo "installed binary opened its window: $geometry"
grep -q 'Geometry: 800x581' <<<"$geometry"
# The class that the desktop entry's StartupWMClass names, and an icon.
wmclass=$(xprop -id "$window" WM_CLASS)
echo "$wmclass"
grep -q "\"$(sed -n 's/^StartupWMClass=//p' "$root/share/applications/$id.desktop")\"\$" <<<"$wmclass"
xprop -id "$window" -notype 32c _NET_WM_ICON | grep -qE '_NET_WM_ICON = [0-9]'
kill -0 "$pid"
