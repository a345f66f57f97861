#!/bin/sh
# Sets up everything, then builds and runs every test twice: a Release build, and a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Then the Release build is packaged, and the
# package installed, started and purged again on this machine. Last, every reader of files and
# arguments is fuzzed for 30 seconds each. A failing test, package check or fuzzer fails the run.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVLINKO_SANITIZE=ON -DTAVLINKO_BENCHMARKS=OFF
cmake --build build-asan -j "$(nproc)"
ctest --test-dir build-asan --output-on-failure
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure
./tests/package_test.sh build
./scripts/fuzz.sh 30
