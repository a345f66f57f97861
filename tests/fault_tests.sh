#!/bin/bash
# Faults that only show in the real program, run in a real X server: a full disk, a read-only
# folder, FIFOs where files belong, a bad language file, a huge window title, a place off every
# screen, SIGTERM during start-up, with a box open and with the display hung, SIGKILL after a
# change, and a session bus that never answers or whose ruler name another program holds. Nothing may hang, abort or lose
# the user's settings.
# Usage: fault_tests.sh PROGRAM BUS_SQUATTER [SCENARIO...]
set -uo pipefail

program="$1"
squatter="$2"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
cleanup() {
    kill $(jobs -p) 2>/dev/null
    awk -v w="$work/" 'index($2, w) == 1 { print $2 }' /proc/mounts | xargs -r umount -l
    rm -rf "$work"
}
trap cleanup EXIT

source "$source_dir/tests/x_session.sh"
start_own_xvfb "$work"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
skip() { echo "skipped: $*"; }

# A fresh program folder with the shipped data; prints its path.
program_folder() {
    local dir="$work/$1"
    copy_program "$program" "$dir"
    echo "$dir"
}

# A folder on a file system of its own, or nothing when this machine lets no test mount one.
small_file_system() {
    local dir="$work/mnt-$1"
    mkdir -p "$dir"
    mount -t tmpfs -o "size=$2" tmpfs "$dir" 2>/dev/null && echo "$dir"
}

pid=""
start() { # folder arguments...
    local dir="$1"
    shift
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$dir/tavlinko" "$@" 2>"$work/stderr" &
    pid=$!
}

# Number of the program's visible windows: the ruler, and one more while a box is open.
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# Closes the newest box with Return. The box closes on the press, so the release finds no window
# and is lost; it is sent once more, or the key would stay held down in the X server and close
# the next program's boxes at once.
close_box() {
    xdotool key --window "$(newest_window)" Return 2>/dev/null
    xdotool keyup Return 2>/dev/null || true
}

# Waits up to 30 s by default: a loaded machine may take a while.
wait_windows() { # count [tenths of a second]
    for _ in $(seq "${2:-300}"); do
        [ "$(windows)" -ge "$1" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits for the program to end and sets status to its exit status, or to "hang" when it does
# not end within 5 s (it is then killed).
status=""
await_end() {
    for _ in $(seq 50); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            status=$?
            return
        fi
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    status=hang
}

ended_cleanly() { await_end; [ "$status" = 0 ]; }

# Like await_end, and fails when the end took longer than a second after the signal just sent.
ends_within_a_second() {
    local began=$(date +%s%N)
    await_end
    local took=$((($(date +%s%N) - began) / 1000000))
    [ "$took" -le 1000 ] || fail "${FUNCNAME[1]}: the program ended $took ms after the signal"
}

# The session bus name of the ruler holding the settings file in FOLDER, computed here on its
# own: the folder's canonical path and the file name.
ruler_bus_name() { # folder file
    printf 'tavlinko.Ruler.f%s' "$(printf '%s/%s' "$(realpath "$1")" "$2" | sha256sum | cut -c1-32)"
}

# Milliseconds until the program's window shows; 99999 when it does not within 30 s.
window_after_start() {
    local began=$(date +%s%N)
    wait_windows 1 || { echo 99999; return; }
    echo $((($(date +%s%N) - began) / 1000000))
}

# The topmost of the program's windows (a box, when one is open).
newest_window() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -n1; }

same_bytes() { cmp -s "$1" "$2"; }

leftovers() { ls -A "$1" | grep -E '\.[A-Za-z0-9]{6}\.tmp$'; }

units_only="$work/units.ini"
printf '[Jednotky]\r\n1=Pixel;px;1;0;5\r\n2=Centimetr;cm;1;1;0,1\r\n3=Palec;in;1;2;0,1\r\n4=Procenta d\xc3\xa9lky;%%;1;3;1\r\n5=Stopa;ft;12;2;0,01\r\n' >"$units_only"

# --- A full disk: the save fails, the old file stays byte for byte, and the user hears of it.
full_disk() {
    local dir settings
    dir="$(program_folder full)"
    settings="$(small_file_system full 64k)"
    if [ -z "$settings" ]; then
        # Without a mount, a file size limit fails the writes the same way.
        settings="$work/limited"
        mkdir -p "$settings"
        (printf '; %.0s' $(seq 700); printf '\r\n'; cat "$units_only") >"$settings/tavlinko.ini"
        cp "$settings/tavlinko.ini" "$work/full.before"
        (trap '' XFSZ; ulimit -f 1; exec env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
            "$dir/tavlinko" "-config:$settings/tavlinko.ini") 2>"$work/stderr" &
        pid=$!
    else
        cp "$units_only" "$settings/tavlinko.ini"
        cp "$units_only" "$work/full.before"
        dd if=/dev/zero of="$settings/filler" bs=4k 2>/dev/null
        start "$dir" "-config:$settings/tavlinko.ini"
    fi
    wait_windows 1 || fail "full disk: the ruler did not appear"
    # The settings are saved soon after the start, and the failure is told then.
    wait_windows 2 150 || fail "full disk: no box reported the failed save"
    close_box
    sleep 0.5
    kill -TERM "$pid"
    ends_within_a_second
    [ "$status" = 1 ] || fail "full disk: the failed save at the end gave status $status"
    grep -q 'cannot be saved' "$work/stderr" || fail "full disk: no line on stderr"
    same_bytes "$work/full.before" "$settings/tavlinko.ini" ||
        fail "full disk: the settings file changed"
    [ -z "$(leftovers "$settings")" ] || fail "full disk: a temporary file stayed"
}

# --- A read-only folder: the failed save is reported while the ruler runs; SIGTERM ends the
# program within a second with the box still open.
read_only_folder() {
    local dir settings
    dir="$(program_folder readonly)"
    if [ "$(id -u)" -ne 0 ]; then
        settings="$work/readonly-settings"
        mkdir -p "$settings"
        cp "$units_only" "$settings/tavlinko.ini"
        chmod a-w "$settings"
    else
        settings="$(small_file_system readonly 1m)"
        [ -n "$settings" ] || { skip "read-only folder: root can write anywhere and cannot mount"; return; }
        cp "$units_only" "$settings/tavlinko.ini"
        mount -o remount,ro "$settings" || { skip "read-only folder: no read-only remount"; return; }
    fi
    start "$dir" "-config:$settings/tavlinko.ini"
    wait_windows 1 || fail "read-only: the ruler did not appear"
    wait_windows 2 150 || fail "read-only: no box reported the failed save"
    kill -TERM "$pid"
    ends_within_a_second
    [ "$status" = 1 ] || fail "read-only: SIGTERM with the box open gave status $status"
    same_bytes "$units_only" "$settings/tavlinko.ini" || fail "read-only: the settings changed"
    [ "$(id -u)" -ne 0 ] && chmod u+w "$settings"
}

# --- FIFOs as skin.ini, as the language file and as the settings file: start-up never blocks.
fifos() {
    local dir
    dir="$(program_folder fifo)"
    rm -f "$dir/skin/Funny/skin.ini" "$dir/jazyky/english.lng"
    mkfifo "$dir/skin/Funny/skin.ini" "$dir/jazyky/english.lng" "$dir/tavlinko.ini"
    start "$dir" -language:english
    wait_windows 1 || fail "fifo: start-up blocked"
    # The settings cannot be written to a FIFO; that is reported (the box stays open) and the
    # FIFO stays one.
    sleep 1
    kill -TERM "$pid"
    ends_within_a_second
    [ "$status" = 1 ] || fail "fifo: status $status"
    [ -p "$dir/tavlinko.ini" ] || fail "fifo: the settings FIFO was replaced"
}

# --- A bad line in the language file: one box, then the ruler in its skin; SIGTERM while that
# box is open still ends start-up and saves what is complete.
bad_language() {
    local dir height
    dir="$(program_folder badlanguage)"
    sed -i 's/^14=/14a=x\r\n14=/' "$dir/jazyky/english.lng"
    printf '[Obecne]\r\nJazyk=english.lng\r\n' >"$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || fail "bad language: nothing appeared"
    sleep 0.5
    close_box
    sleep 0.5
    [ "$(windows)" = 1 ] || fail "bad language: more than one box"
    eval "$(xdotool getwindowgeometry --shell "$(newest_window)")"
    [ "$HEIGHT" = "$(tr -d '\r' <"$dir/skin/Funny/skin.ini" | sed -n 's/^rule.height=//p' | head -n1)" ] ||
        fail "bad language: the skin was not loaded (height $HEIGHT)"
    kill -TERM "$pid"
    ended_cleanly || fail "bad language: the program did not end cleanly"

    # Start-up waits in the error box; SIGTERM ends the run and the settings read so far stay.
    printf '[Obecne]\r\nJazyk=english.lng\r\nDelka=300\r\n' >"$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || fail "start-up box: nothing appeared"
    sleep 1
    kill -TERM "$pid"
    ended_cleanly || fail "start-up box: SIGTERM did not end the program"
    tr -d '\r' <"$dir/tavlinko.ini" | grep -qx 'Delka=300' || fail "start-up box: settings lost"
    tr -d '\r' <"$dir/tavlinko.ini" | grep -qx 'Vzhled=Funny' || fail "start-up box: nothing saved"
}

# --- SIGTERM at once: the program ends at any point of its start, never half a settings file.
early_signal() {
    local dir
    dir="$(program_folder early)"
    for delay in 0.05 0.2 0.4; do
        cp "$units_only" "$dir/tavlinko.ini"
        start "$dir"
        sleep "$delay"
        kill -TERM "$pid"
        await_end
        [ "$status" = 0 ] || [ "$status" = 143 ] || fail "early SIGTERM after $delay s: $status"
        grep -q '^5=Stopa' "$dir/tavlinko.ini" || fail "early SIGTERM after $delay s: units lost"
    done
}

# --- Each signal that asks a program to end (TERM from the session, INT from Ctrl+C in a
# terminal, HUP when the terminal closes) ends the ruler cleanly, its settings saved: the
# vertical position given on the command line is in the file afterwards.
each_signal() {
    local dir signal
    dir="$(program_folder signals)"
    for signal in TERM INT HUP; do
        cp "$units_only" "$dir/tavlinko.ini"
        start "$dir" -vertical
        wait_windows 1 || { fail "SIG$signal: the ruler did not appear"; continue; }
        sleep 0.5
        kill "-$signal" "$pid"
        ended_cleanly || fail "SIG$signal: the program did not end cleanly ($status)"
        tr -d '\r' <"$dir/tavlinko.ini" | grep -qx 'Poloha=Vertikalni' ||
            fail "SIG$signal: the settings were not saved"
        grep -q '^5=Stopa' "$dir/tavlinko.ini" || fail "SIG$signal: units lost"
    done
}

# --- A window title of most of a megabyte and a language file beyond the size cap: the X
# connection survives, the ruler runs.
huge_title() {
    local dir
    dir="$(program_folder title)"
    { printf '2='; head -c 900000 /dev/zero | tr '\0' 'T'; printf '\r\n'; } >>"$dir/jazyky/english.lng"
    printf '[Obecne]\r\nJazyk=english.lng\r\n' >"$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || fail "huge title: the ruler did not appear"
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "huge title: the program died"
    kill -TERM "$pid"
    ended_cleanly || fail "huge title: the program did not end cleanly"

    head -c 50000000 /dev/zero | tr '\0' 'T' >"$dir/jazyky/english.lng"
    start "$dir"
    wait_windows 1 || fail "huge language file: nothing appeared"
    # A second signal does not wait for the orderly end.
    kill -TERM "$pid"
    kill -TERM "$pid" 2>/dev/null
    ends_within_a_second
    [ "$status" = 0 ] || [ "$status" = 143 ] || fail "huge language file: status $status"
}

# --- A place off every screen: the ruler comes back fully visible.
off_screen() {
    local dir
    dir="$(program_folder offscreen)"
    printf '[Obecne]\r\nX=2147483647\r\nY=2147483647\r\n' >"$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || fail "off screen: the ruler did not appear"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$(newest_window)")"
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ] ||
        fail "off screen: window at $X,$Y size ${WIDTH}x$HEIGHT"
    kill -TERM "$pid"
    ended_cleanly || fail "off screen: the program did not end cleanly"
    tr -d '\r' <"$dir/tavlinko.ini" | grep -qx "X=$X" || fail "off screen: the new place was not saved"
}

# --- Help files planted in the folder the ruler starts from, which is searched first: damaged,
# far too large, nested and listed to exhaust a reader. F1 shows a box or the help, the ruler
# keeps answering keys and saves at the end.
hostile_help() {
    local dir here name
    dir="$(program_folder hostilehelp)"
    here="$work/downloads"
    mkdir -p "$here"
    for name in damaged huge nested; do
        case $name in
        damaged) head -c 6000 /dev/urandom | sed '1s/^/ITSF/' >"$here/tavlinko.chm" ;;
        huge) truncate -s 100M "$here/tavlinko.chm" ;;
        nested) tail -c +2 "$source_dir/fuzz/seeds/helpfile/nested-contents-long-index" >"$here/tavlinko.chm" ;;
        esac
        rm -f "$dir/tavlinko.ini"
        (cd "$here" && exec env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$dir/tavlinko") 2>"$work/stderr" &
        pid=$!
        wait_windows 1 || { fail "hostile help $name: the ruler did not appear"; continue; }
        sleep 0.5
        xdotool key --window "$(newest_window)" F1
        wait_windows 2 100 || fail "hostile help $name: F1 showed neither a box nor the help"
        [ "$name" = nested ] || close_box
        sleep 0.3
        xdotool windowfocus --sync "$(xdotool search --onlyvisible --pid "$pid" --name '^Tavlinko$' | head -n1)"
        xdotool key F2
        sleep 0.3
        kill -TERM "$pid"
        ended_cleanly || fail "hostile help $name: the program did not end cleanly ($status)"
        tr -d '\r' <"$dir/tavlinko.ini" 2>/dev/null | grep -qx 'Poloha=Vertikalni' ||
            fail "hostile help $name: the ruler stopped answering keys or saving"
    done
}


# --- Settings reach the disk soon after a change: a ruler killed 2 s after it loses nothing.
killed_after_change() {
    local dir
    dir="$(program_folder killed)"
    cp "$units_only" "$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || { fail "killed: the ruler did not appear"; return; }
    sleep 0.5
    xdotool key --window "$(newest_window)" F2
    sleep 2
    kill -KILL "$pid"
    await_end
    tr -d '\r' <"$dir/tavlinko.ini" | grep -qx 'Poloha=Vertikalni' ||
        fail "killed: the change made 2 s before SIGKILL was lost"
    grep -q '^5=Stopa' "$dir/tavlinko.ini" || fail "killed: units lost"
}

# --- The settings file turned into a folder while the ruler runs: SIGTERM ends it within a
# second, without a box, with status 1 and a line on stderr; the next start tells the user.
unwritable_at_signal() {
    local dir
    dir="$(program_folder unwritable)"
    cp "$units_only" "$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || { fail "unwritable: the ruler did not appear"; return; }
    sleep 1
    rm "$dir/tavlinko.ini"
    mkdir "$dir/tavlinko.ini"
    kill -TERM "$pid"
    ends_within_a_second
    [ "$status" = 1 ] || fail "unwritable: status $status"
    grep -q "cannot be saved to $dir/tavlinko.ini" "$work/stderr" || fail "unwritable: no line on stderr"
    rmdir "$dir/tavlinko.ini"
    cp "$units_only" "$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || fail "unwritable: the next start showed nothing"
    sleep 0.5
    xprop -id "$(newest_window)" _NET_WM_WINDOW_TYPE | grep -q DIALOG ||
        fail "unwritable: the next start did not tell of the failed save"
    kill -TERM "$pid"
    await_end
}

# --- A session bus that takes the connection and never answers: the ruler shows within the
# bus deadline and ends on SIGTERM.
silent_bus() {
    local dir took
    dir="$(program_folder silentbus)"
    "$squatter" silent "$work/silent-bus" >"$work/silent.ready" &
    local bus=$!
    for _ in $(seq 50); do [ -s "$work/silent.ready" ] && break; sleep 0.1; done
    DBUS_SESSION_BUS_ADDRESS="unix:path=$work/silent-bus" start "$dir"
    took="$(window_after_start)"
    [ "$took" -le 5000 ] || fail "silent bus: the window showed after $took ms"
    sleep 0.5
    kill -TERM "$pid"
    ends_within_a_second
    [ "$status" = 0 ] || fail "silent bus: status $status"
    kill "$bus"
}

# --- Another program holds the ruler's bus name and answers Activate with nothing, another
# file, an error, or never: none of it counts as a ruler, and this one starts within the bus
# deadline.
squatters() {
    local dir mode took name
    dir="$(program_folder squatted)"
    name="$(ruler_bus_name "$dir" tavlinko.ini)"
    for mode in empty wrong error never; do
        rm -f "$work/squatter.ready"
        "$squatter" "$name" "$mode" >"$work/squatter.ready" &
        local holder=$!
        for _ in $(seq 50); do [ -s "$work/squatter.ready" ] && break; sleep 0.1; done
        [ -s "$work/squatter.ready" ] || fail "squatter $mode: did not get the name"
        start "$dir"
        took="$(window_after_start)"
        [ "$took" -le 5000 ] || fail "squatter $mode: the window showed after $took ms"
        kill -TERM "$pid"
        ended_cleanly || fail "squatter $mode: status $status"
        kill "$holder"
        wait "$holder" 2>/dev/null
    done
}

# --- One ruler per settings file, however its folder is reached: a start through a link to the
# folder, then one through the folder itself, and the other way round, hand over to the first.
linked_folder() {
    local dir first second
    dir="$(program_folder linked)"
    mkdir -p "$work/settings-real"
    ln -s "$work/settings-real" "$work/settings-link"
    cp "$units_only" "$work/settings-real/tavlinko.ini"
    for first in settings-link settings-real; do
        second=settings-real
        [ "$first" = settings-real ] && second=settings-link
        start "$dir" "-config:$work/$first/tavlinko.ini"
        wait_windows 1 || { fail "linked $first: the ruler did not appear"; continue; }
        local running=$pid
        start "$dir" "-config:$work/$second/tavlinko.ini"
        await_end
        [ "$status" = 0 ] || fail "linked $first then $second: the second start did not hand over ($status)"
        pid=$running
        [ "$(windows)" = 1 ] || fail "linked $first then $second: the first ruler is gone"
        kill -TERM "$pid"
        ended_cleanly || fail "linked $first: status $status"
    done
}

# --- A hung display (its server stopped, as when a logout stops the compositor first): the
# interface thread blocks on it, and SIGTERM still ends the ruler within a second, with the
# change made before on disk.
hung_display() {
    local dir server
    dir="$(program_folder hung)"
    cp "$units_only" "$dir/tavlinko.ini"
    start "$dir"
    wait_windows 1 || { fail "hung display: the ruler did not appear"; return; }
    sleep 0.5
    xdotool key --window "$(newest_window)" F2
    sleep 1
    server="$(jobs -l | awk '/Xvfb/ { print $2; exit }')"
    kill -STOP "$server"
    kill -TERM "$pid"
    ends_within_a_second
    kill -CONT "$server"
    tr -d '\r' <"$dir/tavlinko.ini" | grep -qx 'Poloha=Vertikalni' ||
        fail "hung display: the change was lost"
}

# --- A session bus at an abstract socket address, as some desktops give: the ruler finds it
# answering and a second start hands over.
abstract_bus() {
    local dir bus address
    dir="$(program_folder abstractbus)"
    dbus-daemon --session --address="unix:abstract=$work/abstract-bus" --nofork --nosyslog \
        --print-address=3 3>"$work/abstract.address" 2>/dev/null &
    bus=$!
    for _ in $(seq 50); do [ -s "$work/abstract.address" ] && break; sleep 0.1; done
    address="$(head -n1 "$work/abstract.address")"
    DBUS_SESSION_BUS_ADDRESS="$address" start "$dir"
    wait_windows 1 || { fail "abstract bus: the ruler did not appear"; kill "$bus"; return; }
    local running=$pid
    DBUS_SESSION_BUS_ADDRESS="$address" start "$dir"
    await_end
    [ "$status" = 0 ] || fail "abstract bus: the second start did not hand over ($status)"
    pid=$running
    [ "$(windows)" = 1 ] || fail "abstract bus: a second ruler opened"
    kill -TERM "$pid"
    ended_cleanly || fail "abstract bus: status $status"
    kill "$bus"
}

scenarios=("${@:3}")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(full_disk read_only_folder fifos bad_language early_signal
    each_signal huge_title off_screen hostile_help killed_after_change unwritable_at_signal
    silent_bus abstract_bus squatters linked_folder hung_display)
for scenario in "${scenarios[@]}"; do
    "$scenario"
    grep -v XDG_RUNTIME_DIR "$work/stderr" | sed "s/^/  $scenario: /" | head -n 5
done

[ "$failures" -eq 0 ] || { echo "$failures fault checks failed"; exit 1; }
echo "fault tests: all checks passed"
