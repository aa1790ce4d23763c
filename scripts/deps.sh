#!/bin/sh
# Installs the Debian packages Tavrel needs to build, run and test, when missing.
# Prints a few lines; everything apt and dpkg say goes to a log file whose path is printed.
set -eu

packages="build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev googletest libgtest-dev
libgmock-dev libbenchmark-dev fonts-comic-neue dash shellcheck xterm
xvfb
xfce4-terminal
lxterminal
desktop-file-utils
appstream
lintian
dpkg-dev
file
qt6-wayland
weston
imagemagick
dbus
at-spi2-core
python3-pyatspi
openbox
xdotool
dosbox
nasm
wine
gcc-mingw-w64-x86-64"
# A script that needs more (scripts/screenshots.sh) names its packages as arguments.
packages="$packages $*"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
missing="${missing# }"

# Someone who cannot become root is told what to run instead.
cannot_install() {
    echo "scripts/deps.sh: $1 As root, run:" >&2
    echo "    apt-get update && apt-get install -y --no-install-recommends $missing" >&2
    echo "then run this command again.${2:-}" >&2
    exit 1
}

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || cannot_install "Installing Tavrel's packages needs root, and sudo is not installed." \
        " Or let yourself use sudo: as root, apt-get install sudo && usermod -aG sudo $(id -un); then log in again."
    sudo=sudo
fi

# shellcheck disable=SC2086
set -- $missing
echo "Installing Debian packages: $missing"
# Asks for the password here, before the output goes to the log.
[ -z "$sudo" ] || sudo -v || cannot_install "sudo did not give root rights."

log=$(mktemp "${TMPDIR:-/tmp}/tavrel-deps.XXXXXX.log")
echo "Full log: $log"

# sudo clears the environment, so the frontend goes through env; stdin is closed so nothing can ask.
apt() {
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o Dpkg::Use-Pty=0 -o DPkg::Lock::Timeout=120 \
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "$@" </dev/null >>"$log" 2>&1
}

failed() {
    echo "scripts/deps.sh: $1 failed; the last lines of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
}

apt update || failed "apt-get update"
apt install --no-install-recommends "$@" || failed "apt-get install"
echo "Installed them and what they need: $(grep -c '^Setting up ' "$log") packages in all."
