#!/bin/bash
# Runs the built program in a real X server beside a window of known pixels (screen_boxes): with
# snapping on, clicks near the edges of its boxes read each edge exactly, F8 measures the box
# between its edges, and the loupe shows the box's colour under the pointer. Once at a device
# pixel ratio of 1 and once at 1.5.
set -euo pipefail

program="$1"
boxes_program="$2"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
source "$source_dir/tests/x_session.sh"
start_own_xvfb "$work"

copy_program "$program" "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The boxes' window ends at row 299, just above the ruler's scale edge at row 300; its columns
# start at 100 like the ruler's, so box columns are ruler offsets. It must be a window of this X
# server whatever platform the caller's environment names, as the ruler is.
QT_QPA_PLATFORM=xcb "$boxes_program" 100 200 &
[ -n "$(find_window '^screen boxes$')" ] || fail "the boxes did not appear"

copied() {
    xdotool key --window "$1" ctrl+Insert
    sleep 0.3
    xclip -selection clipboard -o 2>/dev/null || true
}

run_session() {  # scale factor
    printf '[Obecne]\nX=100\nY=300\nDelka=600\n[Mereni]\nPrichytit k hranam=Ano\n' \
        > "$work/tavlinko.ini"
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$1" "$work/tavlinko" &
    local pid=$!
    local win
    win="$(find_window '^Tavlinko$')"
    [ -n "$win" ] || fail "the ruler window did not appear at $1"
    sleep 0.5
    # The stored place is the window's, in device pixels, though at 1.5 no whole logical pixel
    # names column 100.
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "$X,$Y" = "100,300" ] || fail "at ratio $1 the ruler stands at $X,$Y instead of 100,300"

    # Clicks within four pixels of an edge read the edge; farther ones where they were made.
    local at expected reading
    for pair in 103:100 96:100 95:95 107:110 114:110 115:115 198:200 203:201 254:250; do
        at="${pair%%:*}"
        expected="${pair##*:}"
        xdotool mousemove --sync $((100 + at)) 305 click 1
        sleep 0.2
        reading="$(copied "$win")"
        [ "$reading" = $((100 + expected - X)) ] ||
            fail "at ratio $1 a click at $at reads '$reading' instead of $((100 + expected - X))"
    done

    # F8 with the pointer on the black box measures its ten pixels.
    xdotool mousemove --sync 205 250
    xdotool key --window "$win" F8
    sleep 0.3
    reading="$(copied "$win")"
    [ "$reading" = 10 ] || fail "at ratio $1 the black box measures '$reading' instead of 10"

    # The loupe over the blue box: its picture shows the blue around the pointer.
    xdotool key --window "$win" F6
    xdotool mousemove --sync 375 250
    sleep 0.5
    # Sampled: 21 pixels around (375, 250); the loupe starts 12 pixels right of and below them.
    local middle
    middle="$(pixel $((386 + 12 + 2 + 84)) $((261 + 12 + 2 + 84)))"
    [ "${middle# }" = "160 80 32" ] || [ "${middle# }" = "160 80 32 0" ] ||
        fail "at ratio $1 the loupe's middle shows '$middle' instead of the box's blue"
    # Whoever wants to look at it keeps the screen with the loupe open.
    [ -z "${SCREENSHOT_DIR:-}" ] || cp "$work/pixel.xwd" "$SCREENSHOT_DIR/loupe-$1.xwd"
    xdotool key --window "$win" F6

    kill "$pid"
    wait "$pid" 2>/dev/null || true
    grep -q '^X=100' "$work/tavlinko.ini" && grep -q '^Y=300' "$work/tavlinko.ini" ||
        fail "at ratio $1 the place is stored as $(grep -E '^[XY]=' "$work/tavlinko.ini" | tr '\n' ' ')"
}

run_session 1
run_session 1.5
echo "edges end to end: all passed"
