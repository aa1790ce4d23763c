#!/bin/sh
# Configures and builds Tavrel. Build directory: $TAVREL_BUILD_DIR (default build),
# extra CMake arguments: $TAVREL_CMAKE_ARGS.
set -eu
cd "$(dirname "$0")/.."
"$(pwd)/scripts/deps.sh"
dir="${TAVREL_BUILD_DIR:-build}"
# shellcheck disable=SC2086
cmake -S . -B "$dir" -G Ninja ${TAVREL_CMAKE_ARGS:-} >/dev/null
cmake --build "$dir" -j "$(nproc)" "$@"
