#!/bin/sh
# Installs the Debian 12 packages the build, the program and the tests need (only the missing ones).
set -e
PACKAGES="cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libbenchmark-dev
  libxcb1-dev pkg-config fonts-dejavu-core xvfb xauth xdotool xclip x11-xserver-utils libchm1 libchm-dev fp-utils x11-apps x11-utils dbus-daemon at-spi2-core
  dpkg-dev file desktop-file-utils appstream lintian weston xwayland qt6-wayland libwayland-dev clang libclang-rt-14-dev
  pipewire pipewire-bin libpipewire-0.3-dev dbus"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
