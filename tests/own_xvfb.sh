# Sourced by the scripts that drive the real program. start_own_xvfb FOLDER starts a virtual X
# server of their own and sets DISPLAY: the server picks a free display itself and tells which,
# so that runs beside each other never race for one (as xvfb-run -a does). The server is a job
# of the sourcing shell, so `kill $(jobs -p)` ends it.
start_own_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" 2>/dev/null &
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    [ -s "$1/display" ] || { echo "no X server started"; exit 1; }
    export DISPLAY=":$(cat "$1/display")"
}
