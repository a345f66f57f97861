#!/bin/sh
# Sets up everything, then builds and runs the tests twice: the libraries and the test programs
# with AddressSanitizer and UndefinedBehaviorSanitizer, and everything in Release, where the
# real program is also driven under X. Then the README's own commands are checked where that is
# cheap, the Release build is packaged, and the package installed, started and purged again on
# this machine. Last, every reader of files and arguments is fuzzed for 30 seconds each. A
# failing test, package check or fuzzer fails the run; the time of each step is printed at the
# end either way.
set -e
cd "$(dirname "$0")/.."
jobs="$(nproc)"

timings=""
step() {  # NAME COMMAND...
    name=$1
    shift
    started=$(date +%s)
    "$@"
    timings="$timings$(printf '%-34s %5d s' "$name" $(($(date +%s) - started)))
"
}
trap 'printf "\ntime of each step:\n%s" "$timings"' EXIT

step "setup" ./scripts/setup.sh

# The sanitizers watch the code of this project, which the test programs run in full; the
# program's own few lines of start-up are driven by the Release tests under X.
step "sanitizer build" sh -c "cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
    -DTAVLINKO_SANITIZE=ON -DTAVLINKO_BENCHMARKS=OFF >/dev/null &&
    cmake --build build-asan --target tavlinko_tests -j $jobs"
step "sanitizer tests" ctest --test-dir build-asan -L unit -j "$jobs" --output-on-failure

step "release build" sh -c "cmake -S . -B build -DCMAKE_BUILD_TYPE=Release \
    -DTAVLINKO_BENCHMARKS=ON >/dev/null && cmake --build build -j $jobs"
step "release tests" ctest --test-dir build -j "$jobs" --output-on-failure
step "readme commands" ./tests/readme_commands.sh build
step "package" ./tests/package_test.sh build
step "readme commands after packaging" ./tests/readme_commands.sh build
step "fuzzing" ./scripts/fuzz.sh 30
