#!/bin/sh
# Starts the desktop program on the ready data directory given as $2 (created when missing).
set -e
program="$1"
data="$2"
mkdir -p "$data"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
    echo "tallivan: no display (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session," >&2
    echo "or under Xvfb: xvfb-run -a make run" >&2
    exit 1
fi
cd "$data"
exec "$program"
