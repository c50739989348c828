#!/bin/sh
# Configures and builds the given presets (default: native win32 win64).
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- native win32 win64
for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
