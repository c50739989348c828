#!/bin/sh
# Sets up a fresh Debian 12 machine, builds all three builds and runs every test.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh native win32 win64

ctest --preset native
# Each fuzz target for a bounded time (about a minute each); fails on any finding.
./fuzz/run.sh
ctest --preset win32
# The dialog tests need a display; Xvfb gives them one of their own.
xvfb-run -a -s '-screen 0 1024x768x24' ctest --preset win64
