#!/bin/sh
# Runs scripts/deps.sh as an ordinary user against stand-in dpkg-query, apt-get and sudo,
# with no other program on the PATH (so no real sudo either).
# shellcheck disable=SC2016 # the stand-ins' code is expanded when they run
set -eu
deps="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin="$work/bin"
mkdir "$bin"
for tool in grep mktemp tail env cat; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$bin/$1" && chmod +x "$bin/$1"; }
stub dpkg-query 'exit 1'
stub id '[ "$1" = -u ] && echo 1000 || echo tester'
# Like the real one, apt-get floods its output; it notes its frontend and fails when asked to.
stub apt-get 'echo "${DEBIAN_FRONTEND:-none} $*" >>"$APT_CALLS"; i=0
while [ $i -lt 900 ]; do echo "Setting up package$i"; i=$((i + 1)); done
case "$*" in *install*) [ -z "${APT_FAIL:-}" ] || { echo "E: no room left"; exit 100; } ;; esac'
fail() { echo "FAIL: $*"; exit 1; }
run() { PATH="$bin" APT_CALLS="$work/calls" TMPDIR="$work" /bin/sh "$deps" >"$work/out" 2>"$work/err"; }

# No sudo: the line to run as root, a clear status, apt never started.
status=0; run || status=$?
[ $status -eq 1 ] || fail "without sudo: status $status"
grep -q '^    apt-get update && apt-get install -y --no-install-recommends build-essential [a-z0-9 .+-]*[a-z0-9]$' "$work/err" ||
    fail "without sudo: no root command in: $(cat "$work/err")"
[ ! -e "$work/calls" ] || fail "without sudo: apt-get ran"

# sudo clears the environment as the real one does.
stub sudo '[ "$1" = -v ] && exit 0; exec env -i PATH="$PATH" APT_CALLS="$APT_CALLS" APT_FAIL="${APT_FAIL:-}" "$@"'
run || fail "with sudo: status $?: $(cat "$work/err")"
if [ "$(grep -c . "$work/calls")" -ne 2 ] || grep -qv '^noninteractive ' "$work/calls"; then
    fail "apt-get ran without the noninteractive frontend: $(cat "$work/calls")"
fi
[ "$(grep -c . "$work/out")" -le 4 ] || fail "console flooded: $(cat "$work/out")"
log=$(sed -n 's/^Full log: //p' "$work/out")
[ "$(grep -c '^Setting up' "$log")" -eq 1800 ] || fail "the log at '$log' misses apt's output"

# A failed install shows the log's last lines and fails.
export APT_FAIL=1
status=0; run || status=$?
[ $status -eq 1 ] || fail "failed install: status $status"
grep -q '^E: no room left$' "$work/err" || fail "failed install: no log lines in $(cat "$work/err")"
echo PASS
