#!/bin/sh
# Sets up everything, builds in Release and starts the ruler from the build tree.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTAVLINKO_BENCHMARKS=OFF
cmake --build build --target tavlinko -j "$(nproc)"
exec ./build/bin/tavlinko "$@"
