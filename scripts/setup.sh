#!/bin/sh
# Installs what building and testing FtpConfig needs on Debian 12, once.
set -eu

PACKAGES="cmake ninja-build g++ pkg-config
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  libgtest-dev googletest libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libfccp-dev
  wine wine64 xvfb xauth x11-utils fonts-wqy-microhei locales
  icoutils imagemagick python3 time
  clang libclang-rt-14-dev"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing >/dev/null
fi

# Wine takes its default language from the Unix locale, so both must exist.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$' || ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO sed -i -e 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' -e 's/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/' /etc/locale.gen
    $SUDO locale-gen >/dev/null
fi
