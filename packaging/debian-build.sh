#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Zrcadlo as Debian builds it: the release tarball, unpacked in a
# folder of its own beside its copy as the .orig.tar.gz, built by
# dpkg-buildpackage into the source package and the binary package; then
# lintian judges the .changes, source and binary.
#
#   debian-build.sh SOURCE OUT [release|tree]
#
# release (the default): a git work tree gives its last commit, through
# git archive, as a release does. tree: the files as they are, as the test
# suite builds the work in progress (and a release does outside git).
set -euo pipefail
source=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
what=${3:-release}
changelog=$source/debian/changelog
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
upstream=${version%-*}
name=zrcadlo-$upstream
tarball=$out/$name.tar.gz

if [ "$what" = release ] && git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$source" archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$tarball"
else
    # What git would not hold: builds, the release folder, npm's modules.
    tar -C "$source" --exclude=./build --exclude='./build-*' --exclude=./dist --exclude=./node_modules \
        --exclude=./out --exclude-vcs --sort=name --owner=0 --group=0 --numeric-owner \
        --mtime=@"${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$changelog" -S Timestamp)}" \
        --transform="s,^\.,$name," -cf - . | gzip -9n >"$tarball"
fi

work=$out/debian
rm -rf "$work"
mkdir -p "$work"
cp "$tarball" "$work/zrcadlo_$upstream.orig.tar.gz"
tar -C "$work" -xzf "$tarball"
# Debian's own build: its time from debian/changelog, its flags from
# dpkg-buildflags, whatever the caller has set.
if ! (cd "$work/$name" && env -u SOURCE_DATE_EPOCH -u CFLAGS -u CXXFLAGS -u LDFLAGS \
    dpkg-buildpackage -us -uc -jauto) >"$work/build.log" 2>&1; then
    tail -n 60 "$work/build.log" >&2
    echo "dpkg-buildpackage failed; the whole log: $work/build.log" >&2
    exit 1
fi
# Infos and pedantic tags shown; errors and warnings fail. Run as root
# (a container, CI), lintian says it would rather not: not a finding.
lintian -I --pedantic --fail-on error,warning "$work/zrcadlo_${version}_"*.changes \
    2> >(grep -v 'root privileges' >&2)
echo "lintian: no error, no warning on zrcadlo_${version}"
