#!/bin/sh
# Installs what is missing, builds Tavrel with its tests and runs every test.
set -eu
cd "$(dirname "$0")/.."
TAVREL_CMAKE_ARGS="-DBUILD_TESTING=ON ${TAVREL_CMAKE_ARGS:-}" scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir "${TAVREL_BUILD_DIR:-build}" --output-on-failure -j 2
