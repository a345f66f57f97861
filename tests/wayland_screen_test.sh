#!/bin/bash
# The loupe, snapping and spans in a Wayland session, where the ruler runs under XWayland and
# XWayland is rootless: its X screen holds no picture. Under a headless weston the ruler must
# show no made-up pixels: the loupe says why in place of its picture (checked on a screenshot of
# the compositor's output), and F7 and F8 say so once.
#
#   tests/wayland_screen_test.sh PROGRAM DARK_SHARE
set -euo pipefail

program="$1"
dark_share="$2"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$source_dir/tests/x_session.sh"
copy_program "$program" "$work"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

start_headless_xwayland "$work"

printf '[Obecne]\nX=100\nY=300\nDelka=600\n' > "$work/tavlinko.ini"
"$work/tavlinko" 2>"$work/ruler.log" &
pid=$!
wait_windows_of "$pid" 1 || fail "the ruler did not appear"
bar="$(windows_of "$pid" | head -n1)"
# The pointer stays where XWayland has it: moving it crashes a headless XWayland.

xdotool key --window "$bar" F8
wait_windows_of "$pid" 2 || fail "F8 did not say that the screen cannot be read"
sleep 0.5
for box in $(windows_of "$pid" | grep -vx "$bar"); do
    xdotool key --window "$box" Escape 2>/dev/null || true
done
for _ in $(seq 50); do
    [ "$(windows_of "$pid" | wc -l)" = 1 ] && break
    sleep 0.1
done
[ "$(windows_of "$pid" | wc -l)" = 1 ] || fail "the note did not close"
# Said once: F7 and F8 again open nothing.
xdotool key --window "$bar" F7
xdotool key --window "$bar" F8
sleep 1
[ "$(windows_of "$pid" | wc -l)" = 1 ] || fail "the note came again"

xdotool key --window "$bar" F6
wait_windows_of "$pid" 2 || fail "the loupe did not appear"
loupe="$(windows_of "$pid" | grep -vx "$bar" | head -n1)"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$loupe")"
(cd "$work" && weston-screenshooter >/dev/null 2>&1) || fail "no screenshot"
shot="$(ls "$work"/wayland-screenshot-*.png | head -n1)"
[ -z "${SCREENSHOT_DIR:-}" ] || cp "$shot" "$SCREENSHOT_DIR/rootless-loupe.png"
# The picture's place, 168 pixels square below a 2-pixel margin: a made-up black picture would
# fill it; the note leaves it light.
share="$("$dark_share" "$shot" $((X + 2)) $((Y + 2)) 168 168)"
[ "$share" -lt 20 ] || fail "the loupe shows a dark picture it never read ($share % dark)"
kill -TERM "$pid"
wait "$pid" || fail "the ruler ended with status $?"
echo "wayland screen: all checks passed"
