#!/bin/bash
# Runs a test program on a real X server with a bridge to assistive technology, as a desktop with
# a screen reader has: a session bus, the accessibility bus beside it, and Qt's bridge on.
#
#   tests/accessibility_session.sh PROGRAM [ARGUMENT...]
set -euo pipefail

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
source "$source_dir/tests/x_session.sh"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_own_xvfb "$work"
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
