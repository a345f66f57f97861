#!/bin/bash
# Makes the Debian package from a Release build folder and uses it as a person would: installs
# it with apt-get, starts `tavlinko` from the PATH under Xvfb in a fresh home folder with a skin
# of the user's own, checks the window and the settings written at exit, then purges the
# package and checks that none of its files is left. Validates the desktop entry and the
# metainfo on the way. Changes the machine's packages, so it runs from scripts/test.sh (CI), not
# from ctest.
#
#   tests/package_test.sh BUILD_FOLDER
set -euo pipefail

# Without a display, start again inside a virtual X server.
if [ -z "${TAVLINKO_PACKAGE_INNER:-}" ]; then
    export TAVLINKO_PACKAGE_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

build="$(cd "$1" && pwd)"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
source "$source_dir/tests/x_session.sh"
hold_display
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
home="$(mktemp -d)"
start_own_session_bus "$home"
files="$home.files"
installed=""
# The package needs the build configured for /usr; afterwards the folder installs where it did
# before, so that a later `cmake --install` without --prefix does not write into the system.
prefix="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"

fail() { echo "FAIL: $*" >&2; exit 1; }
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    [ -z "$installed" ] || $SUDO apt-get purge -y -qq tavlinko >/dev/null 2>&1 || true
    [ -z "$prefix" ] || cmake "$build" -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
    rm -rf "$home" "$files"
}
trap cleanup EXIT

if dpkg-query -W -f='${Status}' tavlinko 2>/dev/null | grep -q "install ok installed"; then
    fail "tavlinko is installed already; this test would replace and then remove it"
fi

# The desktop reads these two; a mistake in either hides the program from menus and stores.
desktop-file-validate "$source_dir/data/desktop/tavlinko.desktop"
# The program has no web domain of its own, so its id cannot be reverse-DNS without naming
# someone else's; that note is all the validator may say.
validate_metainfo() {
    appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$1"
}
validate_metainfo "$build/data/tavlinko.metainfo.xml"
# The screenshots are listed once the project publishes them; that form must be valid too (the
# address uses a top-level domain reserved to stay unused).
shots="$home/screenshots-build"
cmake -S "$source_dir" -B "$shots" -DTAVLINKO_BENCHMARKS=OFF \
    -DTAVLINKO_SCREENSHOT_URL=https://tavlinko.invalid/screenshots >/dev/null
for skin in "$source_dir"/data/skin/*/; do
    picture="$(basename "$skin").png"
    [ -f "$source_dir/data/metainfo/screenshots/$picture" ] || fail "no screenshot $picture"
    grep -qF "/screenshots/$picture</image>" "$shots/data/tavlinko.metainfo.xml" ||
        fail "the metainfo does not list $picture"
done
validate_metainfo "$shots/data/tavlinko.metainfo.xml"

# The package installs where a Debian package must.
cmake "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" --target tavlinko tavlinko_manual -j "$(nproc)" >/dev/null
rm -f "$build"/tavlinko_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/tavlinko_*.deb)"
# What a distribution asks of a package, errors and warnings alike; the overrides shipped with
# the package say why the few remaining reports are as they must be.
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libchm1; do
    [[ "$depends" == *"$library"* ]] || fail "the package does not depend on $library: $depends"
done

DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$deb" >/dev/null
installed=1
dpkg-query -L tavlinko >"$files"
for expected in /usr/bin/tavlinko /usr/share/tavlinko/skin/Funny/skin.ini \
    /usr/share/tavlinko/jazyky/tavlinko30.lnd /usr/share/tavlinko/jazyky/czech.lng \
    /usr/share/tavlinko/tavlinko.chm /usr/libexec/tavlinko/tavlinko-help-reader \
    /usr/libexec/tavlinko/tavlinko-print.so \
    /usr/share/applications/tavlinko.desktop /usr/share/metainfo/tavlinko.metainfo.xml \
    /usr/share/man/man1/tavlinko.1.gz /usr/share/icons/hicolor/scalable/apps/tavlinko.svg \
    /usr/share/icons/hicolor/16x16/apps/tavlinko.png \
    /usr/share/icons/hicolor/256x256/apps/tavlinko.png /usr/share/doc/tavlinko/copyright \
    /usr/share/doc/tavlinko/changelog.gz; do
    grep -qx "$expected" "$files" || fail "the package lacks $expected"
done
[ "$(command -v tavlinko)" = /usr/bin/tavlinko ] || fail "tavlinko is not on the PATH"
# The installed program reads its help through the reader it finds in ../libexec/tavlinko.
[ "$(/usr/libexec/tavlinko/tavlinko-help-reader /usr/share/tavlinko/tavlinko.chm | head -c 15)" = \
    TAVLINKO-HELP-1 ] || fail "the installed help reader cannot read the installed help"
desktop-file-validate /usr/share/applications/tavlinko.desktop

# The first things a user types answer on the terminal, without a display.
version="$(env -u DISPLAY -u WAYLAND_DISPLAY tavlinko --version)" || fail "--version failed"
[ "$version" = "tavlinko $(dpkg-deb -f "$deb" Version)" ] || fail "--version says: $version"
usage="$(env -u DISPLAY -u WAYLAND_DISPLAY tavlinko --help)" || fail "--help failed"
for switch in -config: -readonly -vertical -inverted -language: -skin:; do
    [[ "$usage" == *"$switch"* ]] || fail "--help does not name $switch"
done

# A skin of the user's own, thinner than any shipped one so the window shows which was used.
user_skin="$home/.local/share/tavlinko/skin/Mine"
mkdir -p "$user_skin"
cp /usr/share/tavlinko/skin/Night/* "$user_skin/"
sed -i 's/^rule\.height=.*/rule.height=44/' "$user_skin/skin.ini"
grep -q '^rule.height=44' "$user_skin/skin.ini" || fail "the test skin has no rule.height"

# Started from a neutral folder as a desktop menu would, with nothing of a previous run.
(cd / && exec env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" \
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" LC_ALL=C.UTF-8 \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" tavlinko -skin:Mine -language:german) &
pid=$!
win="$(find_window '^Tavlinko$')"
[ -n "$win" ] || fail "the ruler window did not appear"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X" = 211 ] && [ "$Y" = 118 ] || fail "window at $X,$Y instead of 211,118"
[ "$WIDTH" = 472 ] && [ "$HEIGHT" = 44 ] || fail "window is ${WIDTH}x$HEIGHT, not 472x44"

# Ending the session the way a logout does; the settings are saved on the way out.
kill -TERM "$pid"
wait "$pid" || fail "the ruler ended with status $?"
settings="$home/.config/tavlinko/tavlinko.ini"
[ -f "$settings" ] || fail "no settings in $settings"
for line in "X=211" "Y=118" "Delka=472" "Vzhled=Mine" "Jazyk=german.lng" "1=Pixel;px;1;0;5"; do
    grep -qxF "$line" <(tr -d '\r' <"$settings") || fail "the settings lack $line"
done
[ ! -e /usr/bin/tavlinko.ini ] || fail "the ruler wrote its settings beside the program"

# Purged, nothing of the package stays behind.
$SUDO apt-get purge -y -qq tavlinko >/dev/null
installed=""
while read -r path; do
    [ -d "$path" ] && continue
    [ ! -e "$path" ] || fail "$path is left after the purge"
done <"$files"
[ ! -e /usr/share/tavlinko ] || fail "/usr/share/tavlinko is left after the purge"
echo "package test passed: $(basename "$deb")"
