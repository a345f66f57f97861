#!/bin/bash
# The loupe and the edges in a Wayland session through the desktop portal: the ruler runs under
# XWayland in a headless weston, a stand-in portal on a private session bus shares a "monitor"
# that a PipeWire of the test's own streams (the boxes of edges_end_to_end, at known columns).
# First run: the user is asked and says yes; the loupe shows the blue box, F8 measures it, the
# restore token is stored, and the sharing stops a few seconds after the loupe closes. Second
# run: the stored token is passed, the user is not asked, and a press snaps to an edge. Third
# run: a user who says no leaves the tools off with the note, and nothing is stored. A headless
# weston breaks when an X11 program takes the clipboard, so readings are checked on screenshots:
# the span's marks and the arrow.
#
#   tests/portal_screen_test.sh PROGRAM PORTAL_STANDIN PIPEWIRE_BOXES SCREENSHOT_PROBE DARK_SHARE
set -euo pipefail

program="$1"
standin="$2"
boxes="$3"
probe="$4"
dark_share="$5"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
[ -z "${KEEP_WORK:-}" ] || echo "work folder: $work"
trap 'kill $(jobs -p) 2>/dev/null || true; [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ ! -f "$work/portal.log" ] || sed 's/^/portal: /' "$work/portal.log" >&2
    exit 1
}
source "$source_dir/tests/x_session.sh"
copy_program "$program" "$work"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

start_headless_xwayland "$work"

PIPEWIRE_CONFIG_DIR="$source_dir/tests/data" pipewire -c pipewire-test.conf 2>"$work/pipewire.log" &
for _ in $(seq 50); do
    [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break
    sleep 0.1
done
# The pointer stays where XWayland has it (moving it crashes a headless XWayland), and weston
# shows the ruler where it likes while telling it that it stands at the X screen's origin. So
# the boxes are drawn where those are: a blue box that starts 3 pixels left of the pointer, and
# a black one 3 pixels right of the bar's start. The monitor stands 100 pixels above the X
# screen, so that the row above the bar is on it; the boxes' columns run its whole height.
eval "$(xdotool getmouselocation --shell)"
"$boxes" 1024 868 $((X - 253)) -97 >"$work/boxes.out" 2>"$work/boxes.log" &
node=""
for _ in $(seq 50); do
    node="$(sed -n 's/^node \([0-9]*\)$/\1/p' "$work/boxes.out")"
    [ -n "$node" ] && break
    sleep 0.1
done
[ -n "$node" ] || fail "the PipeWire source gave no node"

portal_pid=""
start_portal() {  # answer
    [ -z "$portal_pid" ] || { kill "$portal_pid"; wait "$portal_pid" 2>/dev/null || true; }
    "$standin" "$1" "$work/portal.log" "$XDG_RUNTIME_DIR/pipewire-0" "$node:0,-100,1024,868" \
        >"$work/portal.out" &
    portal_pid=$!
    for _ in $(seq 50); do
        grep -q ready "$work/portal.out" && return 0
        sleep 0.1
    done
    fail "the stand-in portal did not start"
}

# A screenshot of the compositor's output, named.
screenshot() {
    rm -f "$work"/wayland-screenshot-*.png
    (cd "$work" && weston-screenshooter >/dev/null 2>&1) || fail "no screenshot"
    mv "$(ls "$work"/wayland-screenshot-*.png | head -n1)" "$work/$1.png"
    [ -z "${SCREENSHOT_DIR:-}" ] || cp "$work/$1.png" "$SCREENSHOT_DIR/portal-$1.png"
}
# Where the bar is shown; the ruler itself believes it stands at the X screen's origin, as
# weston's window manager tells it.
bar_x() { xwininfo -id "$bar" | sed -n 's/.*Absolute upper-left X: *//p'; }
bar_y() { xwininfo -id "$bar" | sed -n 's/.*Absolute upper-left Y: *//p'; }
# The first and last column in which two screenshots differ on the bar's scale.
changed_columns() {
    "$probe" "$work/$1.png" "$work/$2.png" "$(bar_x)" "$(bar_y)" 600 8
}
token() { sed -n 's/^Povoleni sdileni obrazovky=//p' "$work/tavlinko.ini"; }
pid=""
start_ruler() {
    "$work/tavlinko" 2>>"$work/ruler.log" &
    pid=$!
    wait_windows_of "$pid" 1 || fail "the ruler did not appear"
    bar="$(windows_of "$pid" | head -n1)"
}
stop_ruler() {
    kill -TERM "$pid"
    wait "$pid" || fail "the ruler ended with status $?"
}
loupe_middle() {  # screenshot name
    loupe="$(windows_of "$pid" | grep -vx "$bar" | head -n1)"
    eval "$(xdotool getwindowgeometry --shell "$loupe")"
    screenshot "$1"
    "$probe" "$work/$1.png" $((X + 2 + 84)) $((Y + 2 + 84))
}

# 1. Asked, and yes.
start_portal yes
printf '[Obecne]\nX=0\nY=0\nDelka=600\n' >"$work/tavlinko.ini"
start_ruler
[ ! -s "$work/portal.log" ] || fail "the portal was asked before a tool needed the screen"
xdotool key --window "$bar" F6
wait_windows_of "$pid" 2 || fail "the loupe did not appear"
middle=""
for _ in $(seq 30); do
    middle="$(loupe_middle loupe)"
    [ "$middle" = "#2050a0" ] && break
    sleep 0.2
done
[ "$middle" = "#2050a0" ] || fail "the loupe's middle shows '$middle' instead of the box's blue"
grep -qx "SelectSources types=1 multiple=true cursor_mode=1 persist_mode=2 restore_token=" \
    "$work/portal.log" || fail "the sources were not asked for as monitors without the pointer"
xdotool key --window "$bar" F6
sleep 0.5
screenshot before-span
xdotool key --window "$bar" F8
sleep 0.5
screenshot span
# The marks stand on the first and the last pixel of the span: the box's columns.
x="$(bar_x)"
[ "$(changed_columns before-span span)" = "$((x + 509)) $((x + 558))" ] ||
    fail "F8 on the blue box marks columns $(changed_columns before-span span) instead of $((x + 509)) to $((x + 558))"
for _ in $(seq 50); do
    [ "$(token)" = token-1 ] && break
    sleep 0.1
done
[ "$(token)" = token-1 ] || fail "the restore token was stored as '$(token)'"
# Idle for a few seconds: the sharing stops.
for _ in $(seq 80); do
    grep -qx Close "$work/portal.log" && break
    sleep 0.1
done
grep -qx Close "$work/portal.log" || fail "the sharing did not stop while the ruler sat idle"
stop_ruler

# 2. The next start passes the token and the user is not asked. A marker put at the arrow (at
# the bar's start) with snapping on goes to the black box's edge 3 pixels away; one put with
# snapping off stays.
: >"$work/portal.log"
printf '[Obecne]\nX=0\nY=0\nDelka=600\n[Mereni]\nPrichytit k hranam=Ano\nPovoleni sdileni obrazovky=%s\n' \
    "$(token)" >"$work/tavlinko.ini.new"
mv "$work/tavlinko.ini.new" "$work/tavlinko.ini"
start_ruler
sleep 0.5
screenshot no-marker
xdotool key --window "$bar" Insert
sleep 1.5
screenshot snapped
xdotool key --window "$bar" F7
xdotool key --window "$bar" Insert
sleep 0.5
screenshot not-snapped
# Compared by their right ends: a marker at the bar's start is cut at its left.
read -r _ snapped_right <<<"$(changed_columns no-marker snapped)"
read -r _ unsnapped_right <<<"$(changed_columns snapped not-snapped)"
[ "$((snapped_right - unsnapped_right))" = 3 ] ||
    fail "a marker 3 pixels from the black box's edge moved by $((snapped_right - unsnapped_right))"
grep -qx "SelectSources .* restore_token=token-1" "$work/portal.log" ||
    fail "the stored token was not passed"
grep -qx "Start restored" "$work/portal.log" || fail "the user was asked again"
[ "$(grep -c '^SelectSources' "$work/portal.log")" = 1 ] || fail "the sources were selected twice"
stop_ruler
[ "$(token)" = token-2 ] || fail "the new restore token was stored as '$(token)'"

# 3. Asked, and no: the tools stay off with the note, and nothing is stored.
start_portal no
: >"$work/portal.log"
printf '[Obecne]\nX=0\nY=0\nDelka=600\n' >"$work/tavlinko.ini"
start_ruler
xdotool key --window "$bar" F6
wait_windows_of "$pid" 2 || fail "the loupe did not appear"
sleep 1
grep -qx "Start asked" "$work/portal.log" || fail "the user was not asked"
middle="$(loupe_middle refused)"
share="$("$dark_share" "$work/refused.png" $((X + 2)) $((Y + 2)) 168 168)"
[ "$share" -lt 20 ] || fail "after a refusal the loupe shows a dark picture ($share % dark)"
[ "$middle" != "#2050a0" ] || fail "after a refusal the loupe shows the screen"
xdotool key --window "$bar" F6
xdotool key --window "$bar" F8
wait_windows_of "$pid" 2 || fail "F8 after a refusal did not say that the screen cannot be read"
stop_ruler
[ -z "$(token)" ] || fail "a refusal stored the token '$(token)'"
echo "portal screen: all checks passed"
