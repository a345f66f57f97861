# Sourced by the scripts that drive the real program.

# A program folder as a build leaves it: the program with its help reader, printing module and
# help file, and the shipped skins and languages.
copy_program() {  # program folder
    mkdir -p "$2"
    cp "$1" "$2/tavlinko"
    cp "$(dirname "$1")/tavlinko-help-reader" "$(dirname "$1")/tavlinko.chm" \
        "$(dirname "$1")/tavlinko-print.so" "$2/"
    cp -r "$source_dir/data/skin" "$source_dir/data/jazyky" "$2/"
}

# start_own_xvfb FOLDER starts a virtual X server of their own and sets DISPLAY: the server
# picks a free display itself and tells which, so that runs beside each other never race for one
# (as xvfb-run -a does). Its screen is 1280 x 1024 unless a size is given. The server is a job
# of the sourcing shell, so `kill $(jobs -p)` ends it.
# It is held open (see hold_display) once it takes clients.
start_own_xvfb() {  # folder [WIDTHxHEIGHT]
    Xvfb -displayfd 3 -screen 0 "${2:-1280x1024}x24" -nolisten tcp 3>"$1/display" 2>/dev/null &
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    [ -s "$1/display" ] || { echo "no X server started"; exit 1; }
    export DISPLAY=":$(cat "$1/display")"
    hold_display
    start_own_session_bus "$1"
}

# start_headless_xwayland FOLDER starts a headless weston with a rootless XWayland, as a Wayland
# session runs X11 programs, and sets WAYLAND_DISPLAY (socket "screen" in XDG_RUNTIME_DIR),
# DISPLAY and a session bus. The debugging protocol lets weston-screenshooter read the output;
# pixman draws it. weston logs to FOLDER/weston.log.
start_headless_xwayland() {
    weston --backend=headless-backend.so --socket=screen --idle-time=0 --xwayland --debug \
        --use-pixman --width=1024 --height=768 --log="$1/weston.log" &
    local display=""
    for _ in $(seq 100); do
        display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$1/weston.log" 2>/dev/null || true)"
        [ -n "$display" ] && break
        sleep 0.1
    done
    [ -n "$display" ] || { echo "weston started no XWayland"; exit 1; }
    export DISPLAY="$display" WAYLAND_DISPLAY=screen
    start_own_session_bus "$1"
}

# The shown windows of a process, and waiting up to 5 s until it shows at least COUNT.
windows_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null || true; }
wait_windows_of() {  # pid count
    for _ in $(seq 50); do
        [ "$(windows_of "$1" | wc -l)" -ge "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

# start_own_session_bus FOLDER gives the programs a session bus, as every desktop has, unless one
# is set already. Without one, Qt's bridge to screen readers has libdbus fork a helper to launch
# a bus. A sanitizer build's allocator is not safe across fork: a child forked while another
# thread allocates can wait forever before it runs the helper, and the program with it. The bus
# is a job of the sourcing shell, so `kill $(jobs -p)` ends it.
start_own_session_bus() {
    [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || return 0
    dbus-daemon --session --nofork --nosyslog --print-address=3 3>"$1/bus" 2>/dev/null &
    for _ in $(seq 100); do
        [ -s "$1/bus" ] && break
        sleep 0.1
    done
    [ -s "$1/bus" ] || { echo "no session bus started"; exit 1; }
    export DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$1/bus")"
}

# Waits until the X server on DISPLAY takes clients, then keeps one client connected as a job
# of the sourcing shell. An X server resets whenever its last client leaves, and a program that
# starts during the reset cannot connect and aborts; with a client always there it never resets.
hold_display() {
    for _ in $(seq 100); do
        if xdotool getdisplaygeometry >/dev/null 2>&1; then
            xprop -root -spy >/dev/null 2>&1 &
            return 0
        fi
        sleep 0.1
    done
    echo "the X server on $DISPLAY takes no clients"
    exit 1
}

# Prints the id of the first shown window whose title matches the pattern, waiting up to 30 s
# (a loaded machine may take a while; focusing a window before it is shown fails). Prints
# nothing when none appears.
find_window() {  # title-pattern
    local win=""
    for _ in $(seq 300); do
        win="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)"
        [ -n "$win" ] && break
        sleep 0.1
    done
    echo "$win"
}

# Pixels of the screen, read from an xwd dump of the root window: a big-endian header, a colour
# table, then rows of 24- or 32-bit pixels.
xwd_field() { od -An -tu4 --endian=big -j "$2" -N4 "$1" | tr -d ' '; }
# Prints the offset of pixel x,y in the dump and the bytes a pixel takes.
xwd_pixel() {  # dump x y
    local header bytes bpl colours
    header="$(xwd_field "$1" 0)"
    bytes=$(($(xwd_field "$1" 44) / 8))
    bpl="$(xwd_field "$1" 48)"
    colours="$(xwd_field "$1" 76)"
    echo "$((header + colours * 12 + $3 * bpl + $2 * bytes)) $bytes"
}

# The bytes of one screen pixel; the dump goes to $work.
pixel() {  # x y
    local offset bytes
    xwd -root -silent > "$work/pixel.xwd"
    read -r offset bytes < <(xwd_pixel "$work/pixel.xwd" "$1" "$2")
    od -An -tu1 -j "$offset" -N "$bytes" "$work/pixel.xwd" | tr -s ' '
}
