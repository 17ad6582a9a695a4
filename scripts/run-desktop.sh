#!/bin/sh
# Starts the desktop program $1 on the data directory $2. A new (missing or empty) directory is
# set up by the tallivan-cli beside the program: the account group zrdata and today's fee
# schedule; an existing one is left as it is.
set -e
program="$1"
data="$2"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
    echo "tallivan: no display (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session," >&2
    echo "or under Xvfb: xvfb-run -a make run" >&2
    exit 1
fi
if [ ! -d "$data" ] || [ -z "$(ls -A "$data")" ]; then
    mkdir -p "$data"
    "$(dirname "$program")/tallivan-cli" --data "$data" init
fi
cd "$data"
exec "$program"
