#!/bin/sh
# Sets up a fresh Debian 12 machine, builds FtpConfig.exe (32-bit, shipped),
# its 64-bit twin and ftpcfg (Linux and Windows), and opens the dialog under
# Wine on this display. The dialog saves into the folder this script was
# started from.
set -eu
START_DIR=$(pwd)
cd "$(dirname "$0")/.."
ROOT=$(pwd)
./scripts/setup.sh
./scripts/build.sh native win32 win64
echo "Built: build/win32/src/ui/FtpConfig.exe (ship this one; it needs no installation)"
echo "Built: build/win32/src/cli/ftpcfg.exe and, for Linux, build/native/src/cli/ftpcfg"

if [ -z "${DISPLAY:-}" ]; then
    echo "No display to open the dialog on; for pictures of it instead run: ./scripts/pictures.sh (writes docs/dialog-en.png and docs/dialog-zh.png)"
    exit 0
fi

EXE="Z:$(printf '%s' "$ROOT/build/win64/src/ui/FtpConfig.exe" | tr '/' '\\')"
echo "Opening FtpConfig (64-bit twin under wine64); it saves CFG_FTP.bin into $START_DIR"
cd "$START_DIR"
FTPCONFIG_WINEPREFIX="$ROOT/build/win64/wineprefix-desktop" "$ROOT/build/win64/wine-run" "$EXE"
