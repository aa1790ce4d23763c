#!/bin/sh
# Installs the Debian packages Tavrel needs to build, run and test, when missing.
set -eu

packages="build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev googletest libgtest-dev
libgmock-dev libbenchmark-dev fonts-comic-neue dash shellcheck xterm
qt6-wayland
weston
xvfb
imagemagick"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
