#!/bin/bash
# What the ruler loads to start in an X11 session: neither Qt's printing support nor the
# Wayland client library, which only printing and a Wayland session need; the printing module
# beside the program offers its entry point.
#
#   tests/startup_libraries.sh PROGRAM
set -euo pipefail

program="$1"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$source_dir/tests/x_session.sh"
start_own_xvfb "$work"
copy_program "$program" "$work"

nm -D --defined-only "$work/tavlinko-print.so" | grep -qw tavlinkoPrintDocument ||
    fail "the printing module lacks its entry point"
printf '[Obecne]\nX=100\nY=300\n' > "$work/tavlinko.ini"
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" -readonly 2>/dev/null &
pid=$!
[ -n "$(find_window '^Tavlinko$')" ] || fail "the ruler did not appear"
sleep 0.5
for library in libQt6PrintSupport libwayland-client; do
    ! grep -q "/$library\.so" "/proc/$pid/maps" || fail "the ruler loaded $library to start"
done
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "startup libraries: all checks passed"
