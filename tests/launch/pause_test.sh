#!/bin/sh
# The shell program in a terminal of its own (made by script), ended by a signal while it waits at
# "Pause": the terminal's mode is as it was. Programs named like the shell program's own tools lie
# beside the launch script: they do not run, the emulator there does.
#   pause_test.sh TVRSHELL STANDIN
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/TVRShell.pif"
cp "$2" "$work/standin"
for tool in sh tr stty dd; do
    printf '#!/bin/sh\ntouch pwned\n' >"$work/$tool"
    chmod +x "$work/$tool"
done
printf 'echo off\r\nstandin game.zip\r\nPause\r\n' >"$work/temp.bat"
cd "$work"
# Input that never ends, so that script never hands the terminal an end of file.
mkfifo input
exec 5<>input
# shellcheck disable=SC2016 # run by script's shell
drive='before=$(stty -g)
sh ./TVRShell.pif --here . </dev/tty &
n=0
while [ "$(stty -g)" = "$before" ] && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
kill -s "$SIGNAL" $!
wait
[ "$(stty -g)" = "$before" ] && echo "mode restored"'
fail() { echo "FAIL ($signal): $*"; exit 1; }
for signal in TERM HUP; do
    rm -f received.txt
    out=$(SHELL=/bin/sh SIGNAL=$signal timeout 20 script -qec "$drive" /dev/null <&5) || fail "status $?: $out"
    case "$out" in *"Press any key to continue . . . "*) ;; *) fail "no Pause in: $out" ;; esac
    case "$out" in *"mode restored"*) ;; *) fail "the terminal's mode changed: $out" ;; esac
    [ "$(cat received.txt)" = game.zip ] || fail "the emulator did not run"
    [ ! -e pwned ] || fail "a program beside the script ran"
done
echo PASS
