#!/bin/sh
# Stands in for a terminal emulator, installed under that terminal's name: takes
# its arguments the way that terminal's manual describes and runs the command it
# was given, here, without a window. A call the real terminal would not run
# fails with status 2.
set -u
t=$(basename -- "$0")
fail() {
    printf '%s: %s\n' "$t" "$1" >&2
    exit 2
}
# Each call noted, for the test to see which terminals were tried.
[ -z "${TERMINAL_LOG:-}" ] || printf '%s\n' "$t" >>"$TERMINAL_LOG"
# An X11 program: without DISPLAY (on Wayland alone) it cannot open its window.
[ "$t" != xterm ] || [ -n "${DISPLAY:-}" ] || fail "Can't open display"
# One command string, split as a shell splits words (GLib's parser does the same).
run_string() {
    eval "set -- $1"
    exec "$@"
}

case "$t" in
    xterm | konsole | x-terminal-emulator | alacritty)
        # -e PROG ARGS: everything after -e.
        while [ $# -gt 0 ] && [ "$1" != -e ]; do shift; done
        [ $# -ge 2 ] || fail "no -e"
        shift
        exec "$@" ;;
    gnome-terminal)
        while [ $# -gt 0 ] && [ "$1" != -- ]; do shift; done
        [ $# -ge 2 ] || fail "no --"
        shift
        exec "$@" ;;
    xfce4-terminal | mate-terminal | terminator)
        # -x runs the rest of the line; -e takes ONE command string and what follows are options.
        cmd=""
        while [ $# -gt 0 ]; do
            case "$1" in
                -x) shift; exec "$@" ;;
                -e) [ $# -ge 2 ] || fail "-e needs a string"; cmd=$2; shift 2 ;;
                *) fail "unknown option $1" ;;
            esac
        done
        [ -n "$cmd" ] || fail "nothing to run"
        run_string "$cmd" ;;
    kitty | foot)
        # Options first; the first other word is the program, the rest its arguments.
        while [ $# -gt 0 ]; do
            case "$1" in
                --) shift; break ;;
                -*) fail "unknown option $1" ;;
                *) break ;;
            esac
        done
        [ $# -ge 1 ] || fail "nothing to run"
        exec "$@" ;;
    wezterm)
        [ "${1:-}" = start ] || fail "no start"
        shift
        while [ $# -gt 0 ] && [ "$1" != -- ]; do shift; done
        [ $# -ge 2 ] || fail "no --"
        shift
        exec "$@" ;;
    tilix | lxterminal)
        # -e: the text after it is the command, as one string.
        while [ $# -gt 0 ] && [ "$1" != -e ]; do shift; done
        [ $# -ge 2 ] || fail "no -e"
        shift
        run_string "$*" ;;
    qterminal)
        # -w DIR, then -e: the rest joined and split at blanks, quotes and all.
        dir=.
        while [ $# -gt 0 ]; do
            case "$1" in
                -w) dir=$2; shift 2 ;;
                -e) shift; break ;;
                *) fail "unknown option $1" ;;
            esac
        done
        [ $# -ge 1 ] || fail "nothing to run"
        cd "$dir" || fail "no directory $dir"
        # shellcheck disable=SC2048,SC2086 # split at blanks on purpose
        set -- $*
        exec "$@" ;;
    *) fail "unknown terminal" ;;
esac
