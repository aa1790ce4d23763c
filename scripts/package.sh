#!/bin/sh
# Builds the Debian package tavrel_<version>_<arch>.deb from a Release build in
# build-package/ (or $TAVREL_BUILD_DIR) and prints its path.
set -eu
cd "$(dirname "$0")/.."
# dpkg-buildflags and cpack's dependency scan come from dpkg-dev; the scan also runs file.
scripts/deps.sh dpkg-dev file
export TAVREL_BUILD_DIR="${TAVREL_BUILD_DIR:-build-package}"
export TAVREL_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF ${TAVREL_CMAKE_ARGS:-}"
# Debian's hardening flags, as a Debian build uses them. CMake reads them when it first configures,
# so the cache is made anew (the compiler cache keeps that quick).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
CXXFLAGS="$CXXFLAGS ${CPPFLAGS:-}"
rm -f "$TAVREL_BUILD_DIR/CMakeCache.txt"
scripts/build.sh
cpack -G DEB --config "$TAVREL_BUILD_DIR/CPackConfig.cmake" -B "$TAVREL_BUILD_DIR" >/dev/null
ls "$(pwd)/$TAVREL_BUILD_DIR"/tavrel_*.deb
