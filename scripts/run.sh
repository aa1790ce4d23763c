#!/bin/sh
# Installs what building and running need, when missing, builds Tavrel and starts it.
set -eu
cd "$(dirname "$0")/.."
# A first build leaves the tests out: they need packages that running does not.
if [ ! -f "${TAVREL_BUILD_DIR:-build}/CMakeCache.txt" ]; then
    export TAVREL_CMAKE_ARGS="-DBUILD_TESTING=OFF ${TAVREL_CMAKE_ARGS:-}"
fi
scripts/build.sh --target tavrel
exec "${TAVREL_BUILD_DIR:-build}/src/tavrel"
