#!/bin/sh
# Builds and runs the benchmarks (optimised build in build-bench).
set -eu
cd "$(dirname "$0")/.."
export TAVREL_BUILD_DIR=build-bench
export TAVREL_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release -DTAVREL_BENCH=ON -DBUILD_TESTING=OFF"
scripts/deps.sh libbenchmark-dev
scripts/build.sh
QT_QPA_PLATFORM=offscreen build-bench/bench/tavrel_bench "$@"
