#!/bin/bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root, checks what it declares and holds, and starts the installed binary
# on a real X server until its window is there.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=$1
scratch=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/zrcadlo_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2 libc6; do
    grep -q "$dep" <<<"$depends" || { echo "missing dependency $dep" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$scratch/root"
for f in usr/bin/zrcadlo usr/share/applications/zrcadlo.desktop usr/share/icons/hicolor/scalable/apps/zrcadlo.svg; do
    [ -f "$scratch/root/$f" ] || { echo "package lacks /$f" >&2; exit 1; }
done
grep -qx 'Exec=zrcadlo' "$scratch/root/usr/share/applications/zrcadlo.desktop"
grep -qx 'Icon=zrcadlo' "$scratch/root/usr/share/applications/zrcadlo.desktop"

"$scratch/root/usr/bin/zrcadlo" &
pid=$!
window=$(window_of "$pid")
geometry=$(xdotool getwindowgeometry "$window" | grep Geometry)
echo "installed binary opened its window: $geometry"
grep -q 'Geometry: 800x581' <<<"$geometry"
kill -0 "$pid"
