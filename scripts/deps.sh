#!/bin/sh
# Installs the Debian packages Tavrel needs, when missing.
#   scripts/deps.sh [--tests] [PACKAGE...]
# Always what building and running need (and a terminal for the console when there is none);
# with --tests (scripts/build.sh asks for it when the build has its tests) also what the tests,
# the benchmarks and the package need; then any PACKAGE named (a script that needs more, such as
# scripts/screenshots.sh, names its own).
# Prints a few lines and the install's progress; everything apt and dpkg say goes to a log file
# whose path is printed.
set -eu

# Building and running: one package a line.
build_packages="
g++
cmake
ninja-build
pkg-config
qt6-base-dev
libgl-dev
fonts-comic-neue
"

# The tests, the benchmarks and the package: one package a line.
test_packages="
googletest
libgtest-dev
libgmock-dev
libbenchmark-dev
dash
shellcheck
xterm
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
gcc-mingw-w64-x86-64
"

packages=$build_packages
if [ "${1:-}" = --tests ]; then
    shift
    packages="$packages $test_packages"
fi
# The console opens in a terminal. A desktop usually has one: each of Debian's terminals
# provides x-terminal-emulator.
has_terminal() { command -v "$1" >/dev/null 2>&1; }
if ! has_terminal x-terminal-emulator && ! { [ -n "${TERMINAL:-}" ] && has_terminal "$TERMINAL"; }; then
    packages="$packages xterm"
fi
packages="$packages $*"

missing=""
for p in $packages; do
    case " $missing " in *" $p "*) continue ;; esac
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
# The install runs "sudo env ...": when that needs no password, nothing is asked. Otherwise the
# password is asked here, before the output goes to the log.
if [ -n "$sudo" ] && ! sudo -n env true 2>/dev/null; then
    sudo -v || cannot_install "sudo did not give root rights."
fi

log=$(mktemp "${TMPDIR:-/tmp}/tavrel-deps.XXXXXX.log")
echo "Full log: $log"

# apt-get with its output in the log and its status lines (APT::Status-Fd) on stdout. sudo clears
# the environment and closes other descriptors, so the frontend goes through env and the status
# descriptor is made by a shell on root's side. stdin is closed so that nothing can ask. The C
# locale keeps the status and log lines the same for every user.
apt() {
    # shellcheck disable=SC2016 # expanded by the inner shell
    $sudo env DEBIAN_FRONTEND=noninteractive LC_ALL=C /bin/sh -c 'log=$1; shift; exec apt-get "$@" 3>&1 >>"$log" 2>&1' \
        sh "$log" -y -q -o APT::Status-Fd=3 -o Dpkg::Use-Pty=0 -o DPkg::Lock::Timeout=120 \
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "$@" </dev/null
}

failed() {
    echo "scripts/deps.sh: $1 failed; the last lines of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
}

# Turns apt's status lines into one line that updates: packages fetched out of all with megabytes,
# then packages set up out of all. Without a terminal, a line at each quarter.
# Arguments: packages to set up, bytes to fetch.
progress() {
    tty=0
    [ -t 1 ] && tty=1
    awk -v tty="$tty" -v total="$1" -v bytes="$2" '
        function show(text, step) {
            if (tty) { if (text != last) printf "\r%s\033[K", text; fflush(); last = text; return }
            if (step != last) { print text; fflush(); last = step }
        }
        /^dlstatus:/ {
            split($0, f, ":")
            of = f[4]; sub(/.* of /, "", of)
            mb = bytes < 1e7 ? "%.1f" : "%.0f"
            show(sprintf("Fetching package %d of %d, " mb " of " mb " MB", f[2], of, f[3] * bytes / 1e8, bytes / 1e6),
                 "fetch" int(f[3] / 25))
        }
        /^pmstatus:[^:]*:[^:]*:Installed / {
            done++
            show(sprintf("Setting up package %d of %d", done, total), "setup" int(done * 4 / (total ? total : 1)))
        }
        END { if (tty && (done || bytes)) printf "\n" }'
}

apt update >/dev/null || failed "apt-get update"
# What the install will fetch and set up, for the progress line.
totals=$(LC_ALL=C apt-get install --print-uris --no-install-recommends "$@" </dev/null 2>>"$log" |
    awk '/^'\''/ { bytes += $3 } / newly installed, / { n = $1 + $3 } END { print n + 0, bytes + 0 }') || totals="0 0"
status=$(mktemp "${TMPDIR:-/tmp}/tavrel-deps.XXXXXX")
# shellcheck disable=SC2086 # two numbers
{ apt install --no-install-recommends "$@" && echo 0 >"$status" || echo 1 >"$status"; } | progress $totals
result=$(cat "$status")
rm -f "$status"
[ "$result" -eq 0 ] || failed "apt-get install"
echo "Installed them and what they need: $(grep -c '^Setting up ' "$log") packages in all."
