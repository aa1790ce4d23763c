#!/bin/sh
# Configures and builds Tavrel. Build directory: $TAVREL_BUILD_DIR (default build),
# extra CMake arguments: $TAVREL_CMAKE_ARGS.
set -eu
cd "$(dirname "$0")/.."
dir="${TAVREL_BUILD_DIR:-build}"
# A build with its tests (CMake's BUILD_TESTING, on unless turned off) needs the test packages too.
testing=$(sed -n 's/^BUILD_TESTING:BOOL=//p' "$dir/CMakeCache.txt" 2>/dev/null || true)
for arg in ${TAVREL_CMAKE_ARGS:-}; do
    case "$arg" in -DBUILD_TESTING=* | -DBUILD_TESTING:*=*) testing=${arg#*=} ;; esac
done
case "$(printf '%s' "${testing:-ON}" | tr '[:lower:]' '[:upper:]')" in
    OFF | 0 | NO | N | FALSE) "$(pwd)/scripts/deps.sh" ;;
    *) "$(pwd)/scripts/deps.sh" --tests ;;
esac
# shellcheck disable=SC2086
cmake -S . -B "$dir" -G Ninja ${TAVREL_CMAKE_ARGS:-} >/dev/null
cmake --build "$dir" -j "$(nproc)" "$@"
