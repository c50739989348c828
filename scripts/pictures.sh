#!/bin/sh
# Renders the dialog in English and in Chinese under Xvfb, inside Wine's
# virtual desktop so that the title bar shows, to docs/dialog-en.png and
# docs/dialog-zh.png. Needs the win64 build (./scripts/build.sh win64).
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD="${FTPCONFIG_BUILD:-$ROOT/build/win64}" # another win64 build tree, if given
WINE_RUN="$BUILD/wine-run"
EXE="Z:$(printf '%s' "$BUILD/src/ui/FtpConfig.exe" | tr '/' '\\')"
[ -x "$WINE_RUN" ] || { echo "Build the win64 twin first: ./scripts/build.sh win64" >&2; exit 1; }
export FTPCONFIG_WINEPREFIX="$BUILD/wineprefix-pictures"
mkdir -p docs

shoot() { # locale, picture
    SAVE_DIR=$(mktemp -d)
    cat >"$SAVE_DIR/shoot.sh" <<SHOT
cd "$SAVE_DIR"
LANG=$1 LC_ALL=$1 "$WINE_RUN" explorer /desktop=shot,800x600 "$EXE" &
# Wait for the dialog's window in the desktop, then give it time to paint.
for i in \$(seq 1 120); do
    xwininfo -root -tree 2>/dev/null | grep -q '"shot' && break
    sleep 0.5
done
sleep 4
import -window root "$ROOT/$2"
WINEPREFIX="$FTPCONFIG_WINEPREFIX" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
wait
SHOT
    xvfb-run -a -s '-screen 0 800x600x24' sh "$SAVE_DIR/shoot.sh"
    rm -rf "$SAVE_DIR"
    echo "Wrote $2"
}

shoot en_US.UTF-8 docs/dialog-en.png
shoot zh_CN.UTF-8 docs/dialog-zh.png
