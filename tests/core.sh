#!/bin/bash
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
# The core configures and builds on its own, with no Qt anywhere on its
# include path, warnings as errors.
set -euo pipefail
core=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cmake -S "$core" -B "$dir" -DCMAKE_CXX_FLAGS="-Werror" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j2
if grep -rl --include='*.h' --include='*.cpp' -E '#include <Q|\bQ[A-Z][a-z]|\bq(int|uint|real)[0-9]*\b' "$core"; then
    echo "Qt named in the core" >&2
    exit 1
fi
echo "core: built without Qt"
