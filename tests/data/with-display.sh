#!/bin/sh
# Runs a command on the display in use, or on a virtual display of its own when there is none.
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a "$@"
