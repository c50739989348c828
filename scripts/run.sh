#!/bin/sh
# Sets up a fresh Debian 12 machine and builds FtpConfig.exe (32-bit, shipped)
# and its 64-bit twin.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh win32 win64
echo "Built: build/win32/src/ui/FtpConfig.exe"
