#!/bin/sh
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each for SECONDS from its seeds: the shipped skins, bitmaps and language files plus
# fuzz/seeds/TARGET, with fuzz/dictionaries/TARGET.dict. A crash, a leak, a timeout or a
# sanitizer report fails the run; the input that caused it is kept in build-fuzz/findings.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]    (default: 30 seconds, every target)
set -e
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-settings unitline skin bitmap colour language commandline sitemap helpfile helppage}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVLINKO_FUZZ=ON -DTAVLINKO_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"

# The targets write their inputs to files; on a memory file system that costs no disk syncs.
scratch=$(mktemp -d -p "$([ -d /dev/shm ] && echo /dev/shm || echo /tmp)")
trap 'rm -rf "$scratch"' EXIT
findings="$PWD/build-fuzz/findings"
mkdir -p "$findings"

# Shipped files as seeds: $1 target, then the files.
seed() {
    target=$1
    shift
    for file in "$@"; do
        cp "$file" "$scratch/$target/$(echo "$file" | tr '/' '_')"
    done
}

failed=""
for target in $targets; do
    mkdir -p "$scratch/$target"
    cp fuzz/seeds/"$target"/* "$scratch/$target/" 2>/dev/null || true
    case $target in
    skin) seed skin data/skin/*/skin.ini tests/data/skins/*/skin.ini ;;
    bitmap) seed bitmap data/skin/*/*.bmp ;;
    sitemap) seed sitemap data/help/*.hhc data/help/*.hhk tests/data/help/*.hhc tests/data/help/*.hhk ;;
    helppage) seed helppage data/help/cz/*.html data/help/en/*.html data/help/styl.css ;;
    language)
        # The first byte chooses: odd, the input is the definition file; even, a language file.
        printf '\001' | cat - data/jazyky/tavlinko30.lnd >"$scratch/language/definition"
        for file in data/jazyky/*.lng; do
            printf '\000' | cat - "$file" >"$scratch/language/$(basename "$file")"
        done
        ;;
    esac
    echo "fuzzing $target for $seconds s"
    if ! TMPDIR="$scratch" build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -dict=fuzz/dictionaries/"$target".dict -artifact_prefix="$findings/$target-" \
        "$scratch/$target" >"$scratch/$target.log" 2>&1; then
        tail -n 40 "$scratch/$target.log"
        failed="$failed $target"
    else
        grep -E '^stat::number_of_executed_units' "$scratch/$target.log" || true
    fi
done
[ -z "$failed" ] || { echo "fuzzing found faults in:$failed"; exit 1; }
echo "fuzzing: no faults in $targets"
