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
for tool in grep mktemp tail env cat awk rm; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$bin/$1" && chmod +x "$bin/$1"; }
stub true 'exit 0'
stub dpkg-query 'exit 1'
stub id '[ "$1" = -u ] && echo 1000 || echo tester'
# Like the real one, apt-get floods its output and reports its progress on descriptor 3; it notes
# its frontend and fails when asked to. Four packages of 1.5 MB are to be installed.
stub apt-get 'echo "${DEBIAN_FRONTEND:-none} $*" >>"$APT_CALLS"
case "$*" in *--print-uris*)
    for i in 1 2 3 4; do echo "'\''http://deb/p$i.deb'\'' p${i}_1_all.deb 1500000 SHA256:0"; done
    echo "0 upgraded, 4 newly installed, 0 to remove and 0 not upgraded."; exit 0 ;;
esac
i=0
while [ $i -lt 900 ]; do echo "Setting up package$i"; i=$((i + 1)); done
case "$*" in *install*)
    [ -z "${APT_FAIL:-}" ] || { echo "E: no room left"; exit 100; }
    for i in 1 2 3 4; do echo "dlstatus:$i:$((i * 25)).0000:Retrieving file $i of 4" >&3; done
    for i in 1 2 3 4; do echo "pmstatus:p$i:50.0000:Installed p$i (all)" >&3; done ;;
esac'
fail() { echo "FAIL: $*"; exit 1; }
run() { PATH="$bin" APT_CALLS="$work/calls" TMPDIR="$work" /bin/sh "$deps" "$@" >"$work/out" 2>"$work/err"; }

# No sudo: the line to run as root, a clear status, apt never started.
status=0; run || status=$?
[ $status -eq 1 ] || fail "without sudo: status $status"
grep -q '^    apt-get update && apt-get install -y --no-install-recommends g++ [a-z0-9 .+-]*[a-z0-9]$' "$work/err" ||
    fail "without sudo: no root command in: $(cat "$work/err")"
[ ! -e "$work/calls" ] || fail "without sudo: apt-get ran"

# sudo clears the environment as the real one does; "sudo -v" may want a password where the
# install itself needs none.
stub sudo 'case $1 in
    -v) [ -z "${SUDO_V_FAILS:-}" ] || { echo "sudo: a password is required" >&2; exit 1; }; exit 0 ;;
    -n) shift ;;
esac
exec env -i PATH="$PATH" APT_CALLS="$APT_CALLS" APT_FAIL="${APT_FAIL:-}" "$@"'
SUDO_V_FAILS=1 run || fail "with sudo: status $?: $(cat "$work/err")"
if [ "$(grep -c . "$work/calls")" -ne 3 ] || grep -v ' --print-uris ' "$work/calls" | grep -qv '^noninteractive '; then
    fail "apt-get ran without the noninteractive frontend: $(cat "$work/calls")"
fi
# Running needs the build tools and a terminal, not the test tools.
grep -q ' install .* qt6-base-dev .*xterm' "$work/calls" || fail "build packages not installed: $(cat "$work/calls")"
! grep -q 'lintian' "$work/calls" || fail "the run installs test packages: $(cat "$work/calls")"
# Without a terminal, progress comes in a few whole lines.
[ "$(grep -c . "$work/out")" -le 14 ] || fail "console flooded: $(cat "$work/out")"
grep -qx 'Fetching package 4 of 4, 6.0 of 6.0 MB' "$work/out" || fail "no fetch progress in: $(cat "$work/out")"
grep -qx 'Setting up package 4 of 4' "$work/out" || fail "no setup progress in: $(cat "$work/out")"
log=$(sed -n 's/^Full log: //p' "$work/out")
[ "$(grep -c '^Setting up' "$log")" -eq 1800 ] || fail "the log at '$log' misses apt's output"

# The tests add their tools. A failed install shows the log's last lines and fails.
export APT_FAIL=1
rm "$work/calls"
status=0; run --tests || status=$?
[ $status -eq 1 ] || fail "failed install: status $status"
grep -q '^E: no room left$' "$work/err" || fail "failed install: no log lines in $(cat "$work/err")"
grep -q ' install .* lintian' "$work/calls" || fail "test packages not installed: $(cat "$work/calls")"
echo PASS
