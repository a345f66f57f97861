#!/bin/bash
# Runs the built program under a headless Wayland compositor (weston), without XWayland and
# with it. Without it the ruler runs natively on Wayland, where the compositor places windows
# and tells no client where: the place stored in the settings file must survive the run, and
# the user is told once why the ruler stands elsewhere. With XWayland the ruler stays an X11
# program, which may place itself and stay on top; under a compositor that enlarges X11 windows
# it says how to let them scale themselves.
#
#   tests/wayland_test.sh PROGRAM
set -euo pipefail

program="$1"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$program" "$work/tavlinko"
cp -r "$(dirname "$program")"/{skin,jazyky} "$work/"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=

# Starts weston with the given options and waits for its socket.
start_weston() {  # socket [option...]
    local socket="$1"
    shift
    weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
        --log="$work/$socket.log" "$@" &
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && return 0
        sleep 0.1
    done
    fail "weston did not start"
}

# Runs the ruler for a few seconds, then ends it the way a logout does; prints what it said to
# the compositor.
run_ruler() {
    WAYLAND_DEBUG=client "$work/tavlinko" 2>"$work/wayland.log" &
    local pid=$!
    sleep 4
    kill -TERM "$pid"
    wait "$pid" || fail "the ruler ended with status $?"
}

printf '[Obecne]\r\nX=300\r\nY=150\r\nDelka=500\r\n' > "$work/tavlinko.ini"
start_weston plain
export WAYLAND_DISPLAY=plain
run_ruler
grep -q 'xdg_toplevel@[0-9]*\.set_title("Tavlinko")' "$work/wayland.log" ||
    fail "the ruler did not run natively on Wayland"
for line in X=300 Y=150 Delka=500; do
    grep -qx "$line" <(tr -d '\r' < "$work/tavlinko.ini") || fail "the stored place lost $line"
done
# The ruler and the note about placing it.
[ "$(grep -c 'xdg_toplevel@[0-9]*\.set_title' "$work/wayland.log")" = 2 ] ||
    fail "the ruler did not tell why it cannot place itself"

start_weston with-x --xwayland
export WAYLAND_DISPLAY=with-x
for _ in $(seq 100); do
    display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/with-x.log")"
    [ -n "$display" ] && break
    sleep 0.1
done
[ -n "$display" ] || fail "weston started no XWayland"
export DISPLAY="$display"
run_ruler
! grep -q 'xdg_toplevel' "$work/wayland.log" || fail "with XWayland the ruler ran on Wayland"
grep -qx "Delka=500" <(tr -d '\r' < "$work/tavlinko.ini") || fail "the ruler under XWayland lost its length"

# A compositor at 200 % that enlarges X11 windows itself: XWayland's screen has a quarter of the
# monitor's pixels, and the ruler says how to let X11 programs scale themselves.
start_weston scaled --xwayland --scale=2
export WAYLAND_DISPLAY=scaled
for _ in $(seq 100); do
    display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/scaled.log")"
    [ -n "$display" ] && break
    sleep 0.1
done
[ -n "$display" ] || fail "the scaled weston started no XWayland"
export DISPLAY="$display"
"$work/tavlinko" 2>/dev/null &
pid=$!
windows=0
for _ in $(seq 100); do
    windows="$( (xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true) | wc -l)"
    [ "$windows" -ge 2 ] && break
    sleep 0.1
done
kill -TERM "$pid" 2>/dev/null
kill -TERM "$pid" 2>/dev/null || true
wait "$pid" || true
[ "$windows" -ge 2 ] || fail "the ruler did not tell that the compositor enlarges it"
echo "wayland: all checks passed"
