#!/bin/sh
# Installs what is missing, builds Tavrel and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/build.sh --target tavrel
exec "${TAVREL_BUILD_DIR:-build}/src/tavrel"
