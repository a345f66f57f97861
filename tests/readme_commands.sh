#!/bin/sh
# Checks what the README promises of a Release build folder made by its commands: the
# benchmarks are there, and `cmake --install` works into a prefix of the user's choice and,
# without one, would not write into the system (a package build configures the folder for /usr).
#
#   tests/readme_commands.sh BUILD_FOLDER
set -e
build="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

for bench in bench_scale bench_settings bench_startup; do
    [ -x "$build/bench/$bench" ] || fail "$build/bench/$bench is missing"
done

prefix="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
case $prefix in
/usr | /usr/) fail "$build installs into /usr without --prefix" ;;
esac

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
cmake --install "$build" --prefix "$home/.local" >/dev/null
for file in bin/tavlinko share/tavlinko/skin/Funny/skin.ini share/tavlinko/jazyky/english.lng \
    libexec/tavlinko/tavlinko-help-reader share/tavlinko/tavlinko.chm share/man/man1/tavlinko.1.gz share/doc/tavlinko/copyright \
    share/applications/tavlinko.desktop share/metainfo/tavlinko.metainfo.xml; do
    [ -f "$home/.local/$file" ] || fail "cmake --install put no $file into the prefix"
done
"$home/.local/bin/tavlinko" --version >/dev/null || fail "the installed program does not run"
echo "readme commands: benchmarks built, install into a prefix works"
