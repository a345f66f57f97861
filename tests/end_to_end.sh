#!/bin/bash
# Runs the built program in a real X server from a fresh program folder: checks where the window
# opens, measures with a real click, copies the reading with Ctrl+Insert, presses the exit
# button and checks what the settings file holds afterwards. Then it measures again on a
# desktop scaled by 150 %, where the ruler must count the screen's real pixels.
set -euo pipefail

program="$1"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
source "$source_dir/tests/x_session.sh"
start_own_xvfb "$work"

copy_program "$program" "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Dark pixels of one screen row, as offsets from x0 up to x0 + count - 1.
dark_columns() {  # dump y x0 count
    local offset bytes
    read -r offset bytes < <(xwd_pixel "$1" "$3" "$2")
    od -An -tu1 -v -w"$bytes" -j "$offset" -N $(($4 * bytes)) "$1" |
        awk '$1 < 100 && $2 < 100 && $3 < 100 { printf "%d ", NR - 1 }'
}

skin_value() {  # section key default
    awk -v s="[$1]" -v k="$2" -v d="$3" '
        BEGIN { IGNORECASE = 1; v = d }
        /^\[/ { in_s = (tolower($0) == tolower(s)) }
        in_s && tolower($0) ~ "^" tolower(k) "=" { sub(/^[^=]*=/, ""); v = $0 }
        END { print v }' "$work/skin/Funny/skin.ini" | tr -d '\r'
}

# Prints the id of the ruler window once it is mapped (focusing it before would fail); a loaded
# machine may take a while.
ruler_window() {
    local win
    win="$(find_window '^Tavlinko$')"
    [ -n "$win" ] || fail "the ruler window did not appear"
    echo "$win"
}

# Clicks the exit button of the lying ruler and gives the program 5 s to end.
press_exit() {  # ruler-window pid failure-message
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync $((X + $(skin_value Horizontal ButtonExit.x 158) + 4)) \
        $((Y + $(skin_value Horizontal ButtonExit.y 38) + 4)) click 1
    for _ in $(seq 50); do
        kill -0 "$2" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "$3"
}

# Saves the readings through the function menu's second entry and the save dialog.
save_distances() {  # file
    xdotool key F10
    sleep 0.5
    xdotool key Down Down Return
    local dialog
    dialog="$(find_window 'Save|Uložit|Speichern')"
    [ -n "$dialog" ] || fail "the save dialog did not appear"
    sleep 0.5
    xdotool type --delay 20 "$1"
    xdotool key Return
    for _ in $(seq 50); do
        [ -s "$1" ] && break
        sleep 0.1
    done
    [ -s "$1" ] || fail "no distances file was saved"
}

run_session() {
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" &
    local pid=$!
    local win
    win="$(ruler_window)"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "$X" = 211 ] && [ "$Y" = 118 ] || fail "window at $X,$Y instead of 211,118"
    [ "$WIDTH" = 472 ] || fail "window is $WIDTH wide instead of 472"
    [ "$HEIGHT" = "$(skin_value Horizontal rule.height 64)" ] || fail "window is $HEIGHT high"

    # A click on the scale 100 pixels from the zero end measures 100 pixels.
    xdotool mousemove --sync $((X + 100)) $((Y + 5)) click 1
    sleep 0.3
    xdotool key --window "$win" ctrl+Insert
    sleep 0.3
    local copied
    copied="$(xclip -selection clipboard -o 2>/dev/null || true)"
    [ "$copied" = 100 ] || fail "clipboard holds '$copied' instead of 100"

    # Ctrl+Shift+Tab reaches the program as Backtab and still cycles the unit: three presses
    # lead to percent, where 100 of 472 pixels read 21.19.
    xdotool key ctrl+shift+Tab ctrl+shift+Tab ctrl+shift+Tab
    sleep 0.3
    xdotool key ctrl+Insert
    sleep 0.3
    copied="$(xclip -selection clipboard -o 2>/dev/null || true)"
    [ "$copied" = 21.19 ] || fail "Ctrl+Shift+Tab: clipboard holds '$copied' instead of 21.19"

    # A marker at the arrow, the zero moved to the far end, the bar spread over the desktop:
    # the marker now reads (1280 - 100) / 12.8 = 92.19 %, and shortening the bar in percent
    # must keep that reading instead of an old one.
    xdotool key Insert F3 F11
    sleep 0.3
    xdotool key ctrl+Left
    sleep 0.3
    save_distances "$work/distances.txt"
    local marker
    marker="$(sed -n 3p "$work/distances.txt" | tr -d '\r' | cut -d' ' -f1)"
    awk -v m="$marker" 'BEGIN { exit !(m >= 92.1 && m <= 92.3) }' ||
        fail "after swap, span and resize the marker reads '$marker' % instead of about 92.19"
    # Back to the former length and pixels, so the settings below are those of a fresh start.
    xdotool key F11 F3 ctrl+Tab
    sleep 0.3

    press_exit "$win" "$pid" "the exit button did not close the program"
    wait "$pid" || fail "the program ended with an error"
}

run_session

ini="$work/tavlinko.ini"
[ -f "$ini" ] || fail "no settings file was written"
grep -q '^\[Jednotky\]' "$ini" || fail "the unit lines are missing"
for line in 'X=211' 'Y=118' 'Delka=472' 'Poloha=Horizontalni' 'Obracene=Ne' 'Vzhled=Funny' 'Jednotka=0'; do
    grep -qx "$line" <(tr -d '\r' < "$ini") || fail "settings file lacks $line"
done
order="$(tr -d '\r' < "$ini" | grep -o '^\[[^]]*\]' | tr '\n' ' ')"
[ "$order" = "[Jednotky] [Obecne] [Mereni] " ] || fail "sections in the wrong order: $order"
# A bar stored shorter than the skin's minimum length: the shorten key leaves it as it is and
# does not jump up to the minimum; the lengthen key lengthens it by one pixel each.
sed -i 's/^Delka=.*/Delka=200/' "$ini"
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" &
pid=$!
win="$(ruler_window)"
sleep 0.5
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key Left
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" = 200 ] || fail "Left made a 200 pixel bar $WIDTH long"
xdotool key Right Right
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" = 202 ] || fail "Right twice made a 200 pixel bar $WIDTH long instead of 202"
kill -TERM "$pid"
wait "$pid" || fail "the program did not end cleanly on SIGTERM"
# The settings dialog from the keyboard: F10 opens the function menu, its last item the dialog.
# The first control takes the next skin, Tab and Space tick always-on-top, Enter confirms.
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" -language:english.lng &
pid=$!
win="$(ruler_window)"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
bar_before="$(pixel $((X + WIDTH / 2)) $((Y + HEIGHT - 4)))"
xdotool key --window "$win" F10
sleep 0.5
xdotool key Up Return
dialog="$(find_window '^Settings$')"
[ -n "$dialog" ] || fail "the settings dialog did not open from the keyboard"
sleep 0.5
xdotool windowfocus --sync "$dialog"
xdotool key Down Tab space Return
sleep 1
xdotool search --name '^Settings$' >/dev/null 2>&1 && xdotool search --onlyvisible --name '^Settings$' >/dev/null 2>&1 &&
    fail "OK did not close the settings dialog"
bar_after="$(pixel $((X + WIDTH / 2)) $((Y + HEIGHT - 4)))"
[ "$bar_before" != "$bar_after" ] || fail "the ruler kept its skin ($bar_after) after OK"
kill -TERM "$pid"
wait "$pid" || fail "the program did not end cleanly after the settings"
for line in 'Vzhled=Night' 'Vzdy nahore=Ano'; do
    grep -qx "$line" <(tr -d '\r' < "$ini") || fail "after the settings dialog the file lacks $line"
done

# A session that ends with SIGTERM (as at logout) still saves: started vertical, it must say so.
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" -vertical &
pid=$!
ruler_window >/dev/null
sleep 0.5
kill -TERM "$pid"
wait "$pid" || fail "the program did not end cleanly on SIGTERM"
grep -qx 'Poloha=Vertikalni' <(tr -d '\r' < "$ini") || fail "SIGTERM lost the settings"
# F1 opens the help on the ruler's page, in English, as the C locale gives an English ruler;
# the help is found beside the program although the program is started from elsewhere.
rm -f "$ini"
(cd / && LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko") &
pid=$!
win="$(ruler_window)"
sleep 0.5
xdotool key --window "$win" F1
help="$(find_window '^The ruler – Help – Tavlinko$')"
[ -n "$help" ] || fail "F1 did not open the help on the ruler's page"
# The ruler's exit button ends the program, the open help window notwithstanding (moved off
# the ruler first: without a window manager it opens at the screen's corner, over the ruler).
xdotool windowmove --sync "$help" 0 300
press_exit "$win" "$pid" "the open help window kept the program running"
wait "$pid" || fail "the program did not end cleanly with the help open"

# 150 %: the stored place and length are screen pixels, the ticks are one screen pixel wide and
# five apart, and a click on a screen pixel reads its distance from the zero.
rm -f "$ini"
printf '[Obecne]\r\nX=300\r\nY=150\r\nDelka=600\r\n' > "$ini"
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1.5 "$work/tavlinko" &
pid=$!
win="$(ruler_window)"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X,$Y,$WIDTH" = "300,150,600" ] || fail "scaled window at $X,$Y, $WIDTH long instead of 300,150, 600"
xwd -root -silent > "$work/screen.xwd"
expected="$(seq 0 5 $((WIDTH - 40)) | awk '$1 >= 30 { printf "%d ", $1 - 30 }')"
ticks="$(dark_columns "$work/screen.xwd" "$Y" $((X + 30)) $((WIDTH - 40 - 30 + 1)))"
[ "$ticks" = "$expected" ] || fail "scaled ticks at: $ticks"
xdotool mousemove --sync $((X + 137)) $((Y + 5)) click 1
sleep 0.3
xdotool key --window "$win" ctrl+Insert
sleep 0.3
copied="$(xclip -selection clipboard -o 2>/dev/null || true)"
[ "$copied" = 137 ] || fail "a click 137 screen pixels from the zero reads '$copied'"
kill -TERM "$pid"
wait "$pid" || fail "the scaled ruler did not end cleanly"
grep -qx 'Delka=600' <(tr -d '\r' < "$ini") || fail "the scaled ruler stored another length"

# One ruler per settings file: a second start with the same file brings the running ruler
# forward and ends at once; one with another file opens a second ruler. The first start on a
# German system speaks German, which ships.
rm -f "$ini"
LANG=de_DE.UTF-8 LC_ALL= QT_QPA_PLATFORM=xcb "$work/tavlinko" &
pid=$!
ruler_window >/dev/null
rulers() { xdotool search --onlyvisible --name '^Tavlinko$' 2>/dev/null | wc -l; }
timeout 10 env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" -vertical ||
    fail "the second start on the same settings file did not end by itself"
[ "$(rulers)" = 1 ] || fail "the second start on the same settings file opened a ruler"
printf '[Obecne]\r\nX=20\r\nY=500\r\n' > "$work/other.ini"
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$work/tavlinko" -config:other &
other=$!
for _ in $(seq 100); do
    [ "$(rulers)" = 2 ] && break
    sleep 0.1
done
[ "$(rulers)" = 2 ] || fail "a start with another settings file opened no second ruler"
kill -TERM "$pid" "$other"
wait "$pid" && wait "$other" || fail "the two rulers did not end cleanly"
grep -qx 'Jazyk=german.lng' <(tr -d '\r' < "$ini") || fail "a German system did not get German"
grep -qx 'Poloha=Horizontalni' <(tr -d '\r' < "$ini") ||
    fail "the second start's switch reached the settings file"
echo "end-to-end: all checks passed"
