#!/bin/bash
# Runs the built program on an X screen that xrandr splits into two monitors of different
# densities: a bar that crosses from one to the other measures on the monitor under its zero
# end the moment the zero end changes (F3), and a turn (F2) reads the same pixels anew where a
# monitor's density across differs from the one down.
set -euo pipefail

program="$1"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
source "$source_dir/tests/x_session.sh"
start_own_xvfb "$work" 3200x1080

copy_program "$program" "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The monitors: LEFT 1280 x 1024 pixels, RIGHT 1920 x 1080 beside it, sizes in millimetres.
monitors() {  # left-height-mm
    xrandr --delmonitor LEFT >/dev/null 2>&1 || true
    xrandr --delmonitor RIGHT >/dev/null 2>&1 || true
    xrandr --setmonitor LEFT "1280/339x1024/$1+0+0" screen >/dev/null
    xrandr --setmonitor RIGHT 1920/320x1080/180+1280+0 none >/dev/null
}

copied() {
    xdotool key --window "$1" ctrl+Insert
    sleep 0.3
    xclip -selection clipboard -o 2>/dev/null || true
}

# The reading in hundredths of a centimetre, so that the shell can compare it.
hundredths() { awk -v r="$1" 'BEGIN { printf "%d", r * 100 + 0.5 }'; }

expect_about() {  # what reading expected-hundredths
    local got
    got="$(hundredths "$2")"
    [ $((got - $3)) -le 2 ] && [ $(($3 - got)) -le 2 ] ||
        fail "$1 reads '$2' cm instead of about $(($3 / 100)).$(printf '%02d' $(($3 % 100)))"
}

pid=""
start_ruler() {
    printf '[Obecne]\nX=1000\nY=200\nDelka=600\n[Mereni]\nJednotka=1\n' >"$work/tavlinko.ini"
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" &
    pid=$!
    win="$(find_window '^Tavlinko$')"
    [ -n "$win" ] || fail "the ruler window did not appear"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
}
stop_ruler() {
    kill -TERM "$pid"
    wait "$pid" || true
}

# F3 on a bar from x 1000 to 1600: its zero end goes from LEFT (96 dpi) to RIGHT (152 dpi).
monitors 271
start_ruler
xdotool mousemove --sync $((X + 100)) $((Y + 5)) click 1
sleep 0.2
expect_about "100 px on LEFT" "$(copied "$win")" 265
xdotool key --window "$win" F3
sleep 0.3
expect_about "500 px from the zero end on RIGHT" "$(copied "$win")" 836
xdotool key --window "$win" F3
sleep 0.3
expect_about "100 px on LEFT again" "$(copied "$win")" 265
stop_ruler

# F2 on LEFT made 240 mm high: 96 dpi across, 108 dpi down.
monitors 240
start_ruler
xdotool mousemove --sync $((X + 100)) $((Y + 5)) click 1
sleep 0.2
expect_about "100 px across" "$(copied "$win")" 265
xdotool key --window "$win" F2
sleep 0.3
expect_about "100 px down" "$(copied "$win")" 235
stop_ruler
echo "monitors end to end: passed"
