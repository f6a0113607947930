#!/bin/sh
# Runs a command on the X display it was given, else on a virtual one of its own.
if [ -z "$DISPLAY" ]; then exec xvfb-run -a "$@"; fi
exec "$@"
