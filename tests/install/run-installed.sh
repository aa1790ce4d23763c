#!/bin/sh
# Puts Tavrel where it would lie, runs it there as an unprivileged user (the test
# probe beside the program does what a user would: save settings, store a name and
# a picture, launch a stand-in emulator), and checks where its files went.
#
#   run-installed.sh portable PROBE STANDIN TVRSHELL   a folder of the user's own
#   run-installed.sh destdir PROBE STANDIN BUILD_DIR   cmake --install into a staging tree
#   run-installed.sh package PROBE STANDIN DEB         the package, unpacked with dpkg-deb -x
set -eu
mode=$1 probe=$2 standin=$3 source=$4

root=$(mktemp -d /tmp/tavrel-installed.XXXXXX)
out=$(mktemp /tmp/tavrel-installed-out.XXXXXX)
trap 'chmod -R u+w "$root"; rm -rf "$root" "$out"' EXIT
chmod 755 "$root"
fail() {
    echo "FAIL ($mode): $*"
    cat "$out"
    exit 1
}

# Root may write anywhere: the checks run as nobody, the tree stays root's.
if [ "$(id -u)" -eq 0 ]; then
    as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
    own() { chown -R 65534:65534 "$@"; }
else
    as_user() { "$@"; }
    own() { :; }
fi

case "$mode" in
    portable)
        bin="$root/tavrel"
        mkdir "$bin"
        cp "$source" "$bin/TVRShell.pif"
        own "$bin" ;;
    destdir)
        DESTDIR="$root" cmake --install "$source" --prefix /usr >/dev/null
        bin="$root/usr/bin" ;;
    package)
        dpkg-deb -x "$source" "$root"
        bin="$root/usr/bin" ;;
    *) fail "unknown mode" ;;
esac
cp "$probe" "$bin/install_probe"
cp "$standin" "$root/standin"
mkdir "$root/home" "$root/work"
# Qt's runtime directory too stays inside the home, where the checks expect writes.
mkdir -m 700 "$root/home/run"
own "$root/home" "$root/work"
if [ "$mode" != portable ] && [ "$(id -u)" -ne 0 ]; then
    chmod -R a-w "$root/usr"
fi

# In a session of its own with no input: nothing it starts may read or change the terminal of the
# person running the tests.
run() {
    # shellcheck disable=SC2016 # expanded by the inner shell
    as_user setsid -w env -i PATH=/usr/bin:/bin HOME="$root/home" XDG_RUNTIME_DIR="$root/home/run" QT_QPA_PLATFORM=offscreen \
        ${XDG_CONFIG_HOME_FOR_TEST:+XDG_CONFIG_HOME="$XDG_CONFIG_HOME_FOR_TEST"} \
        ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} "$@" </dev/null
}
# Where the files must go: the staged tree reads $XDG_CONFIG_HOME, the package falls back to ~/.config.
# Portable, nothing outside the program's folder may change; installed, nothing outside the home.
XDG_CONFIG_HOME_FOR_TEST="" shell="$root/usr/libexec/tavrel/TVRShell.pif" watched="$root/home"
case "$mode" in
    portable) data="$bin/" shell="$bin/TVRShell.pif" watched=$bin ;;
    destdir) XDG_CONFIG_HOME_FOR_TEST="$root/home/xdg" data="$root/home/xdg/tavrel/" ;;
    *) data="$root/home/.config/tavrel/" ;;
esac

run "$bin/install_probe" --prepare "$root/work" || fail "could not prepare the games"
snapshot() {
    (cd "$root" && find . -path "./${watched#"$root/"}" -prune -o -printf '%p %s %T@\n' | sort)
}
before=$(snapshot)
run "$bin/install_probe" "$root/work" "$root/standin" >"$out" 2>&1 || fail "the probe failed"
grep -qxF "data $data" "$out" || fail "data directory is not $data"
grep -qxF "shell $shell" "$out" || fail "shell program is not $shell"
ini="$data/tavrel.ini"
grep -q "^1=$root/standin" "$ini" || fail "settings not saved in $ini"
grep -q "^gamename=Probe Game" "$ini" || fail "name not stored in $ini"
grep -q "^picture=$root/work/pics/shot.bmp" "$ini" || fail "picture not stored in $ini"
grep -qxF "$root/work/roms/GAME.ZIP" "$data/received.txt" || fail "the emulator did not get the game"

after=$(snapshot)
[ "$before" = "$after" ] || fail "files changed where they must not: $(printf '%s\n%s\n' "$before" "$after" | sort | uniq -u)"

# The program itself starts there and keeps running until closed.
if [ "$mode" != portable ]; then
    status=0
    run timeout 3 "$bin/tavrel" >"$out" 2>&1 || status=$?
    [ "$status" -eq 124 ] || fail "the installed tavrel did not keep running (status $status)"
fi
echo "ok ($mode): data in $data, shell program $shell"
